#pragma once
// The command line of vantrel-sim.

#include <cstddef>
#include <span>
#include <string>

#include "sim/DeviceProtocol.h"

namespace vantrel::sim {

inline constexpr const char* kUsage =
    "usage: vantrel-sim [--link PATH] [--memory FILE] [--plan FILE] [--poi FILE]\n"
    "                   [--tracks N --points M] [--pace] [--noise] [--etx-first]\n"
    "                   [--repeat-block N] [--stall-after N] [--hangup-after N]\n"
    "                   [--save-uploads DIR] [--help] [--version]\n"
    "Prints the device's port (a pseudo-terminal) on the first line of its output and\n"
    "serves it until interrupted. --memory loads a raw track memory; otherwise N tracks\n"
    "of M points are generated (3 of 300 by default). --plan and --poi load device\n"
    "images (.rte, .wpt). Block counts for the faults start at 0 (before the first block).\n";

inline constexpr std::size_t kNoiseBytesOnRequest = 7;

struct SimArguments {
    std::string link;
    std::string memoryFile;
    std::string planFile;
    std::string poiFile;
    std::string uploadDir;
    std::size_t tracks = 3;
    std::size_t points = 300;
    LineOptions line;
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument naming the offending argument.
SimArguments ParseArguments(std::span<const std::string> args);

}  // namespace vantrel::sim
