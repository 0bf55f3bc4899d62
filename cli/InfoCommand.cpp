// vantrel-cli info FILE [--zone H]: what a track (.trk), plan (.rte) or POI
// (.wpt) file holds.

#include <array>
#include <cstdio>

#include "cli/Cli.h"
#include "cli/Documents.h"
#include "locale/TimeZone.h"
#include "plans/PlanImage.h"

namespace vantrel::cli {

namespace {

void PrintRows(const TextGrid& grid, int count) {
    for (int row = 1; row <= count; ++row)
        std::printf("%4d  %-24s %12s %12s\n", row, grid.Cell(0, row).c_str(),
                    grid.Cell(1, row).c_str(), grid.Cell(2, row).c_str());
}

// A track colour (0x00BBGGRR) as "#RRGGBB".
std::string ColourText(std::uint32_t color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFFu, (color >> 8) & 0xFFu,
                  (color >> 16) & 0xFFu);
    return text;
}

int TrackInfo(const std::string& path, const CommandOptions& options) {
    TrackDocument tracks(options);
    if (int failed = tracks.Open(path)) return failed;
    TrackStore& store = tracks.store;
    const int count = store.ListedTracks();
    std::printf("%s: track file\ntracks: %d\n", path.c_str(), count);
    std::printf("   #  %-20s %7s  %-7s  %-20s  %s\n", "name", "points", "colour", "first", "last");
    for (int k = 0; k < count; ++k) {
        store.ShowTrack(k);  // the first and last times, and the points the file holds
        const TrackEntry& entry = store.TrackTable[static_cast<std::size_t>(k)];
        std::printf("%4d  %-20s %7u  %-7s  %-20s  %s\n", k + 1, EntryName(entry).c_str(),
                    unsigned{entry.pointCount}, ColourText(entry.color).c_str(),
                    store.edStartTime.c_str(), store.edEndTime.c_str());
    }
    return kOk;
}

int PlanInfo(const std::string& path, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = plan.Open(path)) return failed;
    const TransferArea& area = *plan.area;
    auto header = CheckPlanImage(area.Valid());
    std::printf("%s: route plan, %zu bytes\n", path.c_str(), area.TransferLength);
    std::printf("points: %d\ncharacters: %zu\n", plan.list.PlanCount, header->TableEntries() - 1);
    std::printf("   #  %-24s %12s %12s\n", "title", "latitude", "longitude");
    PrintRows(plan.list.gridPlan, plan.list.PlanCount);
    return kOk;
}

int PoiInfo(const std::string& path, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = pois.Open(path)) return failed;
    std::printf("%s: points of interest, %zu bytes\n", path.c_str(), pois.area->TransferLength);
    std::printf("points: %d\ntimes shown at UTC%s%s\n", pois.list.PoiCount,
                options.zone.minutes < 0 ? "" : "+", ZoneText(options.zone).c_str());
    std::printf("   #  %-24s %12s %12s\n", "time", "latitude", "longitude");
    PrintRows(pois.list.gridPoi, pois.list.PoiCount);
    return kOk;
}

struct InfoKind {
    std::string_view extension;
    int (*run)(const std::string& path, const CommandOptions& options);
};

constexpr std::array kKinds = {
    InfoKind{".trk", TrackInfo},
    InfoKind{".rte", PlanInfo},
    InfoKind{".wpt", PoiInfo},
};

}  // namespace

int RunInfo(Args args) {
    std::vector<std::string> rest(args.begin(), args.end());
    CommandOptions options;
    if (!TakeZoneOption(rest, options)) return kUsage;
    if (rest.size() != 1) return Fail("info needs one FILE", kUsage);
    std::string extension = LowerExtension(rest[0]);
    for (const auto& kind : kKinds)
        if (kind.extension == extension) return kind.run(rest[0], options);
    return Fail(rest[0] + ": unknown file kind '" + extension + "'", kUsage);
}

}  // namespace vantrel::cli
