// vantrel-cli: the companion's work without a window.

#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "base/AppValues.h"
#include "cli/Cli.h"
#include "cli/Options.h"

namespace vantrel::cli {

bool WantsHelp(Args args) {
    for (const auto& a : args) {
        if (a == "--") return false;
        if (a == "--help" || a == "-h") return true;
    }
    return false;
}

void PrintUsage(const Command& command, std::FILE* out) {
    std::fprintf(out, "usage: vantrel-cli %.*s %.*s\n  %.*s\n", int(command.name.size()),
                 command.name.data(), int(command.usage.size()), command.usage.data(),
                 int(command.summary.size()), command.summary.data());
}

namespace {

int RunVersion(Args args) {
    if (!args.empty()) return Fail("version takes no arguments", kUsage);
    std::printf("vantrel-cli %s\n", VersionText);
    return kOk;
}

// The options that edit the tracks a command writes, as its usage names them.
#define VANTREL_TRACK_OPTIONS \
    "[--from TIME] [--to TIME] [--split-at TIME[,TIME...]] [--merge] [--max-speed KMH]"

constexpr std::array kCommands = {
    Command{"version", "", "Print the program's version.", RunVersion},
    Command{"assemble",
            "MEMORY OUT [--zone H] [--split-gap SECONDS] " VANTREL_TRACK_OPTIONS
            " [--format F] [--quiet]",
            "Decode a raw track-memory image into a track file (.trk), or into .gpx, .kml or "
            ".csv with every track and point (zone: hours added to times; split-gap: a new "
            "track after a longer pause).",
            RunAssemble},
    Command{"convert",
            "IN OUT [--zone H] [--split-gap SECONDS] " VANTREL_TRACK_OPTIONS
            " [--format F] [--quiet]",
            "Convert a file by its extensions: .trk to .kml, .gpx, .csv or .trk; plans (.rte) "
            "and POIs (.wpt) to and from .csv and .gpx. Run without files to list them all.",
            RunConvert},
    Command{"info", "FILE [--zone H] [--format F] [--csv]",
            "Print what a track (.trk), plan (.rte) or POI (.wpt) file holds; POI times in zone H. "
            "With --csv, one CSV row of statistics per track.",
            RunInfo},
    Command{"download",
            "tracks|plan|poi OUT [--port P] [--raw RAW] [--zone H] [--split-gap SECONDS] "
            VANTREL_TRACK_OPTIONS " [--format F] [--quiet]",
            "Download from the device: tracks to .trk, .gpx, .kml or .csv, a plan to .rte, .csv "
            "or .gpx, POIs to .wpt, .csv or .gpx; --raw also keeps the bytes as received.",
            RunDownload},
    Command{"upload", "plan|poi FILE [--port P] [--zone H] [--format F] [--quiet]",
            "Upload a plan (.rte, .csv or .gpx) or POIs (.wpt, .csv or .gpx) to the device.",
            RunUpload},
    Command{"settings", "[--port P]", "Show the device's guider and logger settings.", RunSettings},
    Command{"ports", "", "List the serial ports, one a line with its device file.", RunPorts},
    Command{"geotag",
            "PHOTO|FOLDER... --track FILE... [--camera-zone ZONE] [--offset SECONDS | "
            "--clock-photo PHOTO --clock-time TIME] [--max-gap SECONDS] [--overwrite] "
            "[--sidecar auto|always|never] [--dry-run] [--zone H] [--port P] [--quiet]",
            "Write into photos where the tracks (.trk, .gpx, a memory image, or 'device'; "
            "--track again for more) were when they were taken.",
            RunGeotag},
    Command{"languages", "", "Show the data folder in use and the interface languages in it.",
            RunLanguages},
    Command{"maps", "",
            "Show the window's maps: the online tiles, the tile cache and the offline maps "
            "(* the one shown).",
            RunMaps},
};

#undef VANTREL_TRACK_OPTIONS

void PrintHelp(std::FILE* out) {
    std::fprintf(out,
                 "usage: vantrel-cli COMMAND [ARGS...]\n       vantrel-cli --help | --version\n\n"
                 "Commands:\n");
    for (const auto& c : kCommands)
        std::fprintf(out, "  %-10.*s %.*s\n", int(c.name.size()), c.name.data(),
                     int(c.summary.size()), c.summary.data());
    std::fprintf(
        out,
        "\nOptions take their value as --opt VALUE or --opt=VALUE. A file given as - is\n"
        "standard input or output; --format gpx|kml|csv|trk|rte|wpt says what it holds.\n"
        "-q, --quiet: no progress and no summaries (errors still go to stderr).\n"
        "\nThe tracks that convert, assemble and download write are edited in this order:\n"
        "--from TIME and --to TIME keep the points in that range; --split-gap SECONDS and\n"
        "--split-at TIME[,TIME...] start new tracks; --merge joins all tracks in time order\n"
        "(tracks that overlap in time are refused); --max-speed KMH drops the points a bad\n"
        "fix threw further than that speed allows (300 suits most logs). A TIME is ISO 8601\n"
        "with its offset or Z (2011-09-14T10:00:00+02:00) or as the lists show it\n"
        "(2011/09/14 10:00:00), read at --zone. A range that keeps no point is exit code 2.\n"
        "\nExit codes: 0 done, 2 bad arguments, 3 no device found, 4 the port could not be "
        "opened\nor was lost, 5 the device stopped answering or the transfer failed, 6 a file "
        "could not\nbe read, written or decoded, 7 done, but incomplete (what was left out is "
        "on stderr).\nProgress goes to stderr. The device's port: --port P, else "
        "$VANTREL_PORT, else\nthe first cp210x port.\n");
    std::fprintf(out, "\nRun 'vantrel-cli COMMAND --help' for a command's arguments.\n");
}

const Command* FindCommand(std::string_view name) {
    for (const auto& command : kCommands)
        if (command.name == name) return &command;
    return nullptr;
}

}  // namespace
}  // namespace vantrel::cli

int main(int argc, char** argv) {
    using namespace vantrel::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        PrintHelp(stderr);
        return kUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(stdout);
        return kOk;
    }
    if (args[0] == "--version") return RunVersion({});
    // "-q COMMAND ARGS" is "COMMAND -q ARGS".
    if ((args[0] == "-q" || args[0] == "--quiet") && args.size() > 1) std::swap(args[0], args[1]);
    const Command* command = FindCommand(args[0]);
    if (!command) {
        Fail((args[0].starts_with("-") ? "unknown option '" : "unknown command '") + args[0] + "'",
             kUsage);
        PrintHelp(stderr);
        return kUsage;
    }
    Args rest(args.data() + 1, args.size() - 1);
    if (WantsHelp(rest)) {
        PrintUsage(*command, stdout);
        return kOk;
    }
    const int code = command->run(rest);
    if (code == kUsage) PrintUsage(*command, stderr);
    return code;
}
