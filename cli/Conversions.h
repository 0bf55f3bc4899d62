#pragma once
// The conversions of `vantrel-cli convert`, chosen by the input and output
// file extensions. To add one, write its function and add a row to the
// table in ConvertCommand.cpp.
//   .trk -> .kml   a track file's tracks
//   .csv -> .rte   a plan from "title,latitude,longitude" rows
//   .csv -> .wpt   POIs from "time,latitude,longitude" rows
//   .rte -> .csv   a plan's points
//   .wpt -> .csv   the POIs, times shown in the display zone
// Times in POI CSV read "YYYY/MM/DD hh:mm:ss" in the display zone (--zone H,
// by default this computer's offset), as the POI list shows them.
// Coordinates in CSV are decimal degrees with a point.

#include <string>
#include <string_view>

#include "app/UserMessages.h"
#include "cli/Options.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"

namespace vantrel::cli {

struct Conversion {
    std::string_view from;  // input extension, lower case, with its dot
    std::string_view to;    // output extension
    std::string_view what;  // shown by --help
    // Returns an exit code.
    int (*run)(const std::string& in, const std::string& out, const CommandOptions& options);
};

// TrackConversions.cpp
int ConvertTrackToKml(const std::string& in, const std::string& out, const CommandOptions& options);

// PlanConversions.cpp
int CsvToPlan(const std::string& in, const std::string& out, const CommandOptions& options);
int CsvToPois(const std::string& in, const std::string& out, const CommandOptions& options);
int PlanToCsv(const std::string& in, const std::string& out, const CommandOptions& options);
int PoisToCsv(const std::string& in, const std::string& out, const CommandOptions& options);

// A list from its CSV (kOk, or kBadFile after saying why on stderr), and a
// list written as CSV (false after the "Cannot Save File!" message).
int ReadPlanCsv(const std::string& path, PlanList& list);
int ReadPoiCsv(const std::string& path, PoiList& list);
bool WritePlanCsv(const std::string& path, const PlanList& list, UserMessages& messages);
bool WritePoiCsv(const std::string& path, const PoiList& list, UserMessages& messages);

}  // namespace vantrel::cli
