// Conversions of plan and POI files to and from GPX for vantrel-cli convert,
// and the GPX reads and writes that download and upload share.

#include <cstdio>

#include "app/AtomicFile.h"
#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "plans/GpxPlans.h"
#include "plans/ListFiles.h"

namespace vantrel::cli {

namespace {

// A route or waypoint file needs far less than this even with a long track
// beside its points; a larger file is refused before it is read whole.
constexpr std::size_t kGpxReadLimit = std::size_t{16} << 20;

template <class List>
int ReadGpxList(const std::string& path, List& list,
                std::string (*read)(std::string_view text, List& list)) {
    std::error_code error;
    auto text = ReadFileBytes(path, error, kGpxReadLimit);
    if (!text) return ReadFailure(path, error, kGpxReadLimit, "a GPX file");
    if (std::string refused = read(*text, list); !refused.empty())
        return Fail(path + ": " + refused, kBadFile);
    return kOk;
}

int WriteText(const std::string& path, const std::string& text) {
    return WriteFileAtomically(path, text) ? kOk : Fail(path + ": cannot be written", kBadFile);
}

// GPX times are UTC and POI images hold the device's time: with both lists
// kept at zone 0 the times pass unshifted.
CommandOptions AtZoneZero(CommandOptions options) {
    options.zone = {};
    return options;
}

}  // namespace

int ReadPlanGpx(const std::string& path, PlanList& list) {
    return ReadGpxList(path, list, ReadGpxPlan);
}

int ReadPoiGpx(const std::string& path, PoiList& list) {
    return ReadGpxList(path, list, ReadGpxPois);
}

int WritePlanGpx(const std::string& path, const PlanList& list) {
    return WriteText(path, GpxPlanText(list));
}

int WritePoiGpx(const std::string& path, const PoiList& list) {
    std::string error;
    std::string text = GpxPoisText(list, error);
    if (!error.empty()) return Fail(path + ": " + error, kBadFile);
    return WriteText(path, text);
}

int PlanToGpx(const std::string& in, const std::string& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = plan.Open(in)) return failed;
    return WritePlanGpx(out, plan.list);
}

int PoisToGpx(const std::string& in, const std::string& out, const CommandOptions& options) {
    PoiDocument pois(AtZoneZero(options));
    if (int failed = pois.Open(in)) return failed;
    return WritePoiGpx(out, pois.list);
}

int GpxToPlan(const std::string& in, const std::string& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = ReadPlanGpx(in, plan.list)) return failed;
    GlyphRenderer glyphs;
    if (!SavePlanFile(out, plan.list, glyphs, *plan.area, plan.messages)) return kBadFile;
    std::printf("%d route points written to %s\n", plan.list.PlanCount, out.c_str());
    return kOk;
}

int GpxToPois(const std::string& in, const std::string& out, const CommandOptions& options) {
    PoiDocument pois(AtZoneZero(options));
    if (int failed = ReadPoiGpx(in, pois.list)) return failed;
    if (!SavePoiFile(out, pois.list, *pois.area, pois.messages)) return kBadFile;
    std::printf("%d POIs written to %s\n", pois.list.PoiCount, out.c_str());
    return kOk;
}

}  // namespace vantrel::cli
