// vantrel-cli info FILE [--zone H] [--format F] [--csv]: what a track (.trk),
// plan (.rte) or POI (.wpt) file holds, as columns aligned on a terminal
// whatever the titles' characters; with --csv, a track file's statistics as
// CSV for scripts and spreadsheets.

#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdio>

#include "cli/Cli.h"
#include "cli/Documents.h"
#include "cli/Terminal.h"
#include "locale/TimeZone.h"
#include "plans/PlanImage.h"
#include "tracks/Track.h"
#include "tracks/TrackStatisticsText.h"
#include "tracks/TrackText.h"

namespace vantrel::cli {

namespace {

void PrintTable(const std::vector<TableRow>& rows, std::string_view align) {
    std::fputs(TableText(rows, align).c_str(), stdout);
}

// The list's rows under a heading of number, first column, latitude and
// longitude.
void PrintRows(const TextGrid& grid, int count, const std::string& first) {
    std::vector<TableRow> rows = {{"#", first, "latitude", "longitude"}};
    for (int row = 1; row <= count; ++row)
        rows.push_back({std::to_string(row), grid.Cell(0, row), grid.Cell(1, row),
                        grid.Cell(2, row)});
    PrintTable(rows, "rlrr");
}

// A track colour (0x00BBGGRR) as "#RRGGBB".
std::string ColourText(std::uint32_t color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFFu, (color >> 8) & 0xFFu,
                  (color >> 16) & 0xFFu);
    return text;
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Fixed(const std::optional<double>& value, int decimals) {
    return value ? Fixed(*value, decimals) : "-";
}

// "2011-01-25 14:13:20": the time as the file shows it, at `zone`.
std::string ShownTime(Seconds time, ZoneOffset zone) {
    std::string text = IsoTimeText(time, zone).substr(0, 19);
    text[10] = ' ';
    return text;
}

// One track's line: its points, start, end, times, distance, climbs,
// altitudes, speeds and colour.
TableRow TrackRow(int number, const Track& track, ZoneOffset zone) {
    const TrackStatistics stats = StatisticsOf(track);
    TableRow row = {std::to_string(number), track.name, std::to_string(track.points.size())};
    if (track.points.empty()) {
        row.insert(row.end(), {"-", "-"});
    } else {
        row.insert(row.end(), {ShownTime(track.points.front().time, zone),
                               ShownTime(track.points.back().time, zone)});
    }
    row.insert(row.end(), {DurationText(stats.seconds), DurationText(stats.movingSeconds),
                           Fixed(stats.km, 3)});
    const auto& alt = stats.altitude;
    for (double AltitudeStatistics::*field :
         {&AltitudeStatistics::ascentM, &AltitudeStatistics::descentM, &AltitudeStatistics::lowestM,
          &AltitudeStatistics::highestM})
        row.push_back(alt ? Fixed(*alt.*field, 0) : "-");
    row.insert(row.end(), {Fixed(stats.MeanKmh(), 1), Fixed(stats.MovingKmh(), 1),
                           Fixed(stats.topKmh, 1), ColourText(track.color)});
    return row;
}

int TrackInfo(const FileArg& file, const CommandOptions& options, bool csv) {
    TrackDocument document;
    const int opened = document.Open(file, options);
    if (opened != kOk && opened != kIncomplete) return opened;
    if (csv) {
        std::fputs(StatisticsCsvText(document.tracks).c_str(), stdout);
        return opened;
    }
    std::printf("%s: track file\ntracks: %zu\n", EscapeControls(file.InName()).c_str(),
                document.tracks.size());
    std::vector<TableRow> rows = {{"#", "name", "points", "start", "end", "duration", "moving",
                                   "km", "ascent m", "descent m", "lowest m", "highest m",
                                   "mean km/h", "moving km/h", "top km/h", "colour"}};
    for (std::size_t k = 0; k < document.tracks.size(); ++k)
        rows.push_back(TrackRow(int(k) + 1, document.tracks[k], options.zone));
    PrintTable(rows, "rlrllrrrrrrrrrrl");
    return opened;
}

int PlanInfo(const FileArg& file, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = plan.Open(file)) return failed;
    const TransferArea& area = *plan.area;
    auto header = CheckPlanImage(area.Valid());
    std::printf("%s: route plan, %zu bytes\n", EscapeControls(file.InName()).c_str(),
                area.TransferLength);
    std::printf("points: %d\ncharacters: %zu\n", plan.list.PlanCount, header->TableEntries() - 1);
    PrintRows(plan.list.gridPlan, plan.list.PlanCount, "title");
    return kOk;
}

int PoiInfo(const FileArg& file, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = pois.Open(file)) return failed;
    std::printf("%s: points of interest, %zu bytes\n", EscapeControls(file.InName()).c_str(),
                pois.area->TransferLength);
    std::printf("points: %d\ntimes shown at UTC%s%s\n", pois.list.PoiCount,
                options.zone.minutes < 0 ? "" : "+", ZoneText(options.zone).c_str());
    PrintRows(pois.list.gridPoi, pois.list.PoiCount, "time");
    return kOk;
}

struct InfoKind {
    std::string_view extension;
    int (*run)(const FileArg& file, const CommandOptions& options);
};

constexpr std::array kKinds = {
    InfoKind{".trk", [](const FileArg& file,
                        const CommandOptions& options) { return TrackInfo(file, options, false); }},
    InfoKind{".rte", PlanInfo},
    InfoKind{".wpt", PoiInfo},
};

}  // namespace

int RunInfo(Args args) {
    constexpr std::array kOptions = {kZoneOption, kFormatOption, kCsvOption};
    auto parsed = ParseArgs(args, kOptions);
    if (!parsed) return kUsage;
    auto options = FileOptions(*parsed);
    if (!options) return kUsage;
    if (parsed->operands.size() != 1) return Fail("info needs one FILE", kUsage);
    if (!FormatFitsOperands(*options, parsed->operands)) return kUsage;
    auto file = FileArgument(parsed->operands[0], *options);
    if (!file) return kUsage;
    if (parsed->Has(kCsvOption.name)) {
        if (file->kind == ".trk") return TrackInfo(*file, *options, true);
        return Fail(
            file->InName() + ": --csv describes track files (.trk), not '" + file->kind + "'",
            kUsage);
    }
    for (const auto& kind : kKinds)
        if (kind.extension == file->kind) return kind.run(*file, *options);
    return Fail(file->InName() + ": info reads .trk, .rte or .wpt, not '" + file->kind + "'",
                kUsage);
}

}  // namespace vantrel::cli
