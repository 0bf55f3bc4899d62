#pragma once
// The command line of vantrel-sim.

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "sim/DeviceProtocol.h"
#include "sim/Routes.h"

namespace vantrel::sim {

inline constexpr const char* kUsage =
    "usage: vantrel-sim [--link PATH] [--memory FILE] [--plan FILE] [--poi FILE | --pois N]\n"
    "                   [--tracks N --points M] [--log-from DATE] [--save-uploads DIR]\n"
    "                   [--pace] [--slow PERCENT]\n"
    "                   [--noise] [--etx-first] [--eot-first] [--repeat-block N]\n"
    "                   [--damage-block N | --damage-block-always N]\n"
    "                   [--nak-block N | --nak-block-always N] [--nak-eot]\n"
    "                   [--cancel-upload-after N] [--stall-after N] [--hangup-after N]\n"
    "                   [--stray PLACE=HEX[,HEX...]]... [--drop-byte PLACE] [--ignore-c N]\n"
    "                   [--eot-once] [--stray-ack N] [--stream] [--help] [--version]\n"
    "Prints the device's port (a pseudo-terminal) on the first line of its output and\n"
    "serves it until interrupted. --memory loads a raw track memory; otherwise N tracks\n"
    "of M points are generated (3 of 300 by default), logged from DATE (YYYY-MM-DD, UTC;\n"
    "late January 2011 by default) with the logger's clock of 30 bits, which wrapped on\n"
    "14 January 2014. --plan and --poi load device\n"
    "images (.rte, .wpt); --pois N generates N POIs. --slow paces the line at PERCENT\n"
    "of its rate. Line faults: --eot-first answers a download's \"C\" with EOT;\n"
    "--damage-block sends download block N with a wrong CRC once (or each time);\n"
    "--nak-block answers upload block N with NAK once (or each time); --nak-eot answers\n"
    "an upload's first EOT with NAK; --cancel-upload-after, --stall-after and\n"
    "--hangup-after count blocks from 0 (before the first block). A download PLACE is\n"
    "N (before block N's STX; 0 the acknowledgement, one past the last block the EOT)\n"
    "or N+K (after K bytes of it): --stray adds the bytes there once, --drop-byte loses\n"
    "the byte there once. --ignore-c leaves a download's first N \"C\"s unheard;\n"
    "--eot-once does not send EOT again on NAK; --stray-ack sends a second ACK after\n"
    "upload block N's; --stream sends NMEA sentences without end and answers nothing.\n";

inline constexpr std::size_t kNoiseBytesOnRequest = 7;

struct SimArguments {
    std::string link;
    std::string memoryFile;
    std::string planFile;
    std::string poiFile;
    std::string uploadDir;
    std::size_t tracks = 3;
    std::size_t points = 300;
    std::uint32_t firstSecond = kFirstTrackSecond;  // --log-from: GPS second of the first fix
    std::optional<std::size_t> pois;  // --pois: generated POIs instead of the demo list
    LineOptions line;
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument naming the offending argument.
SimArguments ParseArguments(std::span<const std::string> args);

}  // namespace vantrel::sim
