// Conversions of plan and POI files to and from GPX for vantrel-cli convert,
// and the GPX reads and writes that download and upload share.

#include <cstdio>

#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "plans/GpxPlans.h"

namespace vantrel::cli {

namespace {

// GPX times are UTC and POI images hold the device's time: with both lists
// kept at zone 0 the times pass unshifted.
CommandOptions AtZoneZero(CommandOptions options) {
    options.zone = {};
    return options;
}

}  // namespace

int ReadPlanGpx(const FileArg& in, PlanList& list) {
    return ReadListFile(in, list, kMaxGpxListBytes, "a GPX file", ReadGpxPlan);
}

int ReadPoiGpx(const FileArg& in, PoiList& list) {
    return ReadListFile(in, list, kMaxGpxListBytes, "a GPX file", ReadGpxPois);
}

int WritePlanGpx(const FileArg& out, const PlanList& list) {
    return WriteOutput(out, GpxPlanText(list)) ? kOk : kBadFile;
}

int WritePoiGpx(const FileArg& out, const PoiList& list) {
    std::string error;
    std::string text = GpxPoisText(list, error);
    if (!error.empty()) return CannotWrite(out, error);
    return WriteOutput(out, text) ? kOk : kBadFile;
}

int PlanToGpx(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = plan.Open(in)) return failed;
    return WritePlanGpx(out, plan.list);
}

int PoisToGpx(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PoiDocument pois(AtZoneZero(options));
    if (int failed = pois.Open(in)) return failed;
    return pois.Written(WritePoiGpx(out, pois.list), out);
}

int GpxToPlan(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = ReadPlanGpx(in, plan.list)) return failed;
    if (int failed = plan.Save(out)) return failed;
    Note(options, std::to_string(plan.list.PlanCount) + " route points written to " +
                      out.OutName());
    return kOk;
}

int GpxToPois(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PoiDocument pois(AtZoneZero(options));
    if (int failed = ReadPoiGpx(in, pois.list)) return failed;
    if (int failed = pois.Save(out)) return failed;
    Note(options, std::to_string(pois.list.PoiCount) + " POIs written to " + out.OutName());
    return kOk;
}

}  // namespace vantrel::cli
