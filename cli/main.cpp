// vantrel-cli: the companion's work without a window.

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AppValues.h"
#include "cli/Cli.h"

namespace vantrel::cli {

bool WantsHelp(Args args) {
    for (const auto& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

void PrintUsage(const Command& command) {
    std::printf("usage: vantrel-cli %.*s %.*s\n  %.*s\n", int(command.name.size()),
                command.name.data(), int(command.usage.size()), command.usage.data(),
                int(command.summary.size()), command.summary.data());
}

namespace {

int RunVersion(Args) {
    std::printf("vantrel-cli %s\n", VersionText);
    return kOk;
}

constexpr std::array kCommands = {
    Command{"version", "", "Print the program's version.", RunVersion},
    Command{"assemble", "MEMORY OUT [--zone H] [--split-gap SECONDS]",
            "Decode a raw track-memory image into a track file (.trk), or into .gpx, .kml or "
            ".csv with every track and point (zone: hours added to times; split-gap: a new "
            "track after a longer pause).",
            RunAssemble},
    Command{"convert", "IN OUT [--zone H] [--split-gap SECONDS]",
            "Convert a file by its extensions: .trk to .kml, .gpx or .csv; plans (.rte) and "
            "POIs (.wpt) to and from .csv and .gpx. Run without files to list them all.",
            RunConvert},
    Command{"info", "FILE [--zone H]",
            "Print what a track (.trk), plan (.rte) or POI (.wpt) file holds; POI times in zone H.",
            RunInfo},
    Command{"download",
            "tracks|plan|poi OUT [--port P] [--raw RAW] [--zone H] [--split-gap SECONDS]",
            "Download from the device: tracks to .trk, .gpx, .kml or .csv, a plan to .rte, .csv "
            "or .gpx, POIs to .wpt, .csv or .gpx; --raw also keeps the bytes as received.",
            RunDownload},
    Command{"upload", "plan|poi FILE [--port P] [--zone H]",
            "Upload a plan (.rte, .csv or .gpx) or POIs (.wpt, .csv or .gpx) to the device.",
            RunUpload},
    Command{"settings", "[--port P]", "Show the device's guider and logger settings.", RunSettings},
    Command{"ports", "", "List the serial ports, one a line with its device file.", RunPorts},
    Command{"languages", "", "Show the data folder in use and the interface languages in it.",
            RunLanguages},
};

void PrintHelp() {
    std::printf("usage: vantrel-cli COMMAND [ARGS...]\n       vantrel-cli --help | --version\n\n"
                "Commands:\n");
    for (const auto& c : kCommands)
        std::printf("  %-10.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()),
                    c.summary.data());
    std::printf(
        "\nExit codes: 0 done, 2 bad arguments, 3 no device found, 4 the port could not be "
        "opened\nor was lost, 5 the device stopped answering or the transfer failed, 6 a file "
        "could not\nbe read, written or decoded, 7 done, but incomplete (what was left out is "
        "on stderr).\nProgress goes to stderr. The device's port: --port P, else "
        "$VANTREL_PORT, else\nthe first cp210x port.\n");
    std::printf("\nRun 'vantrel-cli COMMAND --help' for a command's arguments.\n");
}

}  // namespace
}  // namespace vantrel::cli

int main(int argc, char** argv) {
    using namespace vantrel::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return args.empty() ? kUsage : kOk;
    }
    if (args[0] == "--version") return RunVersion({});
    for (const auto& command : kCommands) {
        if (command.name != args[0]) continue;
        Args rest(args.data() + 1, args.size() - 1);
        if (WantsHelp(rest)) {
            PrintUsage(command);
            return kOk;
        }
        return command.run(rest);
    }
    std::fprintf(stderr, "vantrel-cli: unknown command '%s'\n", args[0].c_str());
    PrintHelp();
    return kUsage;
}
