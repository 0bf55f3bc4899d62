// vantrel-cli convert IN OUT [--zone H] [--split-gap SECONDS]: one file kind to another, by
// extension.

#include <array>
#include <cstdio>

#include "cli/Cli.h"
#include "cli/Conversions.h"

namespace vantrel::cli {

namespace {

constexpr std::array kConversions = {
    Conversion{".trk", ".kml", "track file to KML", ConvertTrackToKml},
    Conversion{".trk", ".gpx", "track file to GPX tracks (times in UTC)", ConvertTrackFile},
    Conversion{".trk", ".csv", "track file to CSV (track,time,latitude,longitude,altitude,speed)",
               ConvertTrackFile},
    Conversion{".csv", ".rte", "plan from CSV", CsvToPlan},
    Conversion{".csv", ".wpt", "POIs from CSV", CsvToPois},
    Conversion{".rte", ".csv", "plan to CSV", PlanToCsv},
    Conversion{".wpt", ".csv", "POIs to CSV (ISO 8601 times with the display offset)", PoisToCsv},
    Conversion{".rte", ".gpx", "plan to a GPX route", PlanToGpx},
    Conversion{".wpt", ".gpx", "POIs to GPX waypoints", PoisToGpx},
    Conversion{".gpx", ".rte", "a GPX route (or waypoints) to a plan", GpxToPlan},
    Conversion{".gpx", ".wpt", "GPX waypoints (or a route) with times to POIs", GpxToPois},
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
    if (!TakeZoneOption(rest, options) || !TakeSplitGapOption(rest, options)) return kUsage;
    if (rest.size() != 2) {
        Fail("convert: expected IN and OUT", kUsage);
        PrintConversions();
        return kUsage;
    }
    const std::string from = LowerExtension(rest[0]);
    const std::string to = LowerExtension(rest[1]);
    for (const auto& c : kConversions) {
        if (c.from != from || c.to != to) continue;
        if (options.splitGapSeconds > 0 && from != ".trk")
            return Fail("--split-gap splits tracks: it applies to .trk input only", kUsage);
        return c.run(rest[0], rest[1], options);
    }
    Fail("convert: no conversion from '" + from + "' to '" + to + "'", kUsage);
    PrintConversions();
    return kUsage;
}

}  // namespace vantrel::cli
