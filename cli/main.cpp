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
    Command{"assemble", "MEMORY OUT.trk [--zone H]",
            "Decode a raw track-memory image into a track file (zone: hours added to times).",
            RunAssemble},
    Command{"convert", "IN OUT [--zone H]",
            "Convert a file by its extensions (.trk to .kml, plans and POIs to and from .csv).",
            RunConvert},
    Command{"info", "FILE [--zone H]",
            "Print what a track (.trk), plan (.rte) or POI (.wpt) file holds; POI times in zone H.",
            RunInfo},
    Command{"download", "tracks|plan|poi OUT [--port P] [--raw RAW] [--zone H]",
            "Download from the device: tracks to .trk or .kml, a plan to .rte or .csv, POIs to "
            ".wpt or .csv; --raw also keeps the bytes as received.",
            RunDownload},
    Command{"upload", "plan|poi FILE [--port P] [--zone H]",
            "Upload a plan (.rte or .csv) or POIs (.wpt or .csv) to the device.", RunUpload},
    Command{"settings", "[--port P]", "Show the device's guider and logger settings.", RunSettings},
    Command{"ports", "", "List the serial ports, one a line with its device file.", RunPorts},
};

void PrintHelp() {
    std::printf("usage: vantrel-cli COMMAND [ARGS...]\n\nCommands:\n");
    for (const auto& c : kCommands)
        std::printf("  %-10.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()),
                    c.summary.data());
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
