// vantrel-cli convert IN OUT [--zone H]: one file kind to another, by extension.

#include <array>
#include <cstdio>

#include "cli/Cli.h"
#include "cli/Conversions.h"

namespace vantrel::cli {

namespace {

constexpr std::array kConversions = {
    Conversion{".trk", ".kml", "track file to KML", ConvertTrackToKml},
    Conversion{".csv", ".rte", "plan from CSV", CsvToPlan},
    Conversion{".csv", ".wpt", "POIs from CSV", CsvToPois},
    Conversion{".rte", ".csv", "plan to CSV", PlanToCsv},
    Conversion{".wpt", ".csv", "POIs to CSV (times in the display zone)", PoisToCsv},
};

void PrintConversions() {
    std::fprintf(stderr, "conversions:\n");
    for (const auto& c : kConversions)
        std::fprintf(stderr, "  %.*s -> %.*s  %.*s\n", int(c.from.size()), c.from.data(),
                     int(c.to.size()), c.to.data(), int(c.what.size()), c.what.data());
}

}  // namespace

int RunConvert(Args args) {
    std::vector<std::string> rest(args.begin(), args.end());
    CommandOptions options;
    if (!TakeZoneOption(rest, options)) return kUsage;
    if (rest.size() != 2) {
        Fail("convert: expected IN and OUT", kUsage);
        PrintConversions();
        return kUsage;
    }
    const std::string from = LowerExtension(rest[0]);
    const std::string to = LowerExtension(rest[1]);
    for (const auto& c : kConversions)
        if (c.from == from && c.to == to) return c.run(rest[0], rest[1], options);
    Fail("convert: no conversion from '" + from + "' to '" + to + "'", kUsage);
    PrintConversions();
    return kUsage;
}

}  // namespace vantrel::cli
