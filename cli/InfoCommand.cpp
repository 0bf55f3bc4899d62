// vantrel-cli info FILE [--zone H]: what a plan (.rte) or POI (.wpt) file holds.

#include <array>
#include <cstdio>
#include <memory>

#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/StderrMessages.h"
#include "locale/TimeZone.h"
#include "plans/ListFiles.h"
#include "plans/PlanImage.h"

namespace vantrel::cli {

namespace {

void PrintRows(const TextGrid& grid, int count) {
    for (int row = 1; row <= count; ++row)
        std::printf("%4d  %-24s %12s %12s\n", row, grid.Cell(0, row).c_str(),
                    grid.Cell(1, row).c_str(), grid.Cell(2, row).c_str());
}

int PlanInfo(const std::string& path, const CommandOptions&) {
    AppValues values;
    PlanList list(values);
    auto area = std::make_unique<TransferArea>();
    AbsentMapPage page;
    StderrMessages messages;
    if (int failed = OpenFailure(path, OpenPlanFile(path, list, *area, page, messages), "plan"))
        return failed;
    auto header = CheckPlanImage(area->Valid());
    std::printf("%s: route plan, %zu bytes\n", path.c_str(), area->TransferLength);
    std::printf("points: %d\ncharacters: %zu\n", list.PlanCount, header->TableEntries() - 1);
    std::printf("   #  %-24s %12s %12s\n", "title", "latitude", "longitude");
    PrintRows(list.gridPlan, list.PlanCount);
    return kOk;
}

int PoiInfo(const std::string& path, const CommandOptions& options) {
    AppValues values;
    values.LocalZoneHours = options.zoneHours;
    PoiList list(values);
    auto area = std::make_unique<TransferArea>();
    StderrMessages messages;
    if (int failed = OpenFailure(path, OpenPoiFile(path, list, *area, messages), "POI"))
        return failed;
    std::printf("%s: points of interest, %zu bytes\n", path.c_str(), area->TransferLength);
    std::printf("points: %d\ntimes shown at UTC%s%s\n", list.PoiCount,
                options.zoneHours < 0 ? "" : "+", ZoneHoursText(options.zoneHours).c_str());
    std::printf("   #  %-24s %12s %12s\n", "time", "latitude", "longitude");
    PrintRows(list.gridPoi, list.PoiCount);
    return kOk;
}

struct InfoKind {
    std::string_view extension;
    int (*run)(const std::string& path, const CommandOptions& options);
};

constexpr std::array kKinds = {
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
