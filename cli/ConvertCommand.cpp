// vantrel-cli convert IN OUT [--zone H] [--split-gap SECONDS] [track options] [--format F]
// [-q]: one file kind to another, by extension (or --format for "-"); a
// track file's tracks edited on the way as the track options ask.

#include <array>
#include <cstdio>

#include "cli/Cli.h"
#include "cli/Conversions.h"

namespace vantrel::cli {

namespace {

constexpr std::array kConversions = {
    Conversion{".trk", ".kml", "track file to KML", ConvertTrackFile},
    Conversion{".trk", ".gpx", "track file to GPX tracks (times in UTC)", ConvertTrackFile},
    Conversion{".trk", ".csv", "track file to CSV (track,time,latitude,longitude,altitude,speed)",
               ConvertTrackFile},
    Conversion{".trk", ".trk", "track file to a track file, edited by the track options",
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
    auto parsed = ParseArgs(args, kTrackFileOptions);
    if (!parsed) return kUsage;
    auto options = FileOptions(*parsed);
    if (!options) return kUsage;
    const auto& files = parsed->operands;
    if (files.size() != 2) {
        Fail("convert: expected IN and OUT", kUsage);
        PrintConversions();
        return kUsage;
    }
    if (!FormatFitsOperands(*options, files)) return kUsage;
    auto in = FileArgument(files[0], *options);
    auto out = FileArgument(files[1], *options);
    if (!in || !out) return kUsage;
    KeepNotesOffStdout(*options, *out);
    for (const auto& c : kConversions) {
        if (c.from != in->kind || c.to != out->kind) continue;
        const std::string_view edit = TrackOptionGiven(*options);
        if (!edit.empty() && in->kind != ".trk")
            return Fail(std::string(edit) + " edits tracks: it applies to .trk input only", kUsage);
        return c.run(*in, *out, *options);
    }
    Fail("convert: no conversion from '" + in->kind + "' to '" + out->kind + "'", kUsage);
    PrintConversions();
    return kUsage;
}

}  // namespace vantrel::cli
