// Conversions of plan and POI files to and from CSV for vantrel-cli convert.

#include "cli/Cli.h"
#include "cli/Conversions.h"
#include "cli/Documents.h"
#include "plans/ListCsv.h"

namespace vantrel::cli {

namespace {

template <class List>
int WriteListCsv(const FileArg& out, const List& list,
                 std::string (*text)(const List&, std::string&)) {
    std::string error;
    const std::string csv = text(list, error);
    if (!error.empty()) return CannotWrite(out, error);
    return WriteOutput(out, csv) ? kOk : kBadFile;
}

}  // namespace

int ReadPlanCsv(const FileArg& in, PlanList& list) {
    return ReadListFile(in, list, kListCsvLimit, "a plan or POI CSV", vantrel::ReadPlanCsv);
}

int ReadPoiCsv(const FileArg& in, PoiList& list) {
    return ReadListFile(in, list, kListCsvLimit, "a plan or POI CSV", vantrel::ReadPoiCsv);
}

int WritePlanCsv(const FileArg& out, const PlanList& list) {
    return WriteListCsv(out, list, PlanCsvText);
}

int WritePoiCsv(const FileArg& out, const PoiList& list) {
    return WriteListCsv(out, list, PoiCsvText);
}

int CsvToPlan(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = ReadPlanCsv(in, plan.list)) return failed;
    return plan.Save(out);
}

int CsvToPois(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = ReadPoiCsv(in, pois.list)) return failed;
    return pois.Save(out);
}

int PlanToCsv(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PlanDocument plan(options);
    if (int failed = plan.Open(in)) return failed;
    return WritePlanCsv(out, plan.list);
}

int PoisToCsv(const FileArg& in, const FileArg& out, const CommandOptions& options) {
    PoiDocument pois(options);
    if (int failed = pois.Open(in)) return failed;
    return pois.Written(WritePoiCsv(out, pois.list), out);
}

}  // namespace vantrel::cli
