#pragma once
// The conversions of `vantrel-cli convert`, chosen by the input and output
// file extensions. To add one, write its function and add a row to the
// table in ConvertCommand.cpp.
//   .trk -> .kml   a track file's tracks
//   .trk -> .gpx   the same as GPX tracks (times in UTC)
//   .trk -> .csv   the same as "track,time,latitude,longitude,altitude,speed"
//   .rte -> .gpx   a plan as a GPX route
//   .wpt -> .gpx   POIs as GPX waypoints
//   .gpx -> .rte   a GPX route (or waypoints) as a plan
//   .gpx -> .wpt   GPX waypoints (or a route's points, each with a time) as POIs
//   .csv -> .rte   a plan from "title,latitude,longitude" rows
//   .csv -> .wpt   POIs from "time,latitude,longitude" rows
//   .rte -> .csv   a plan's points
//   .wpt -> .csv   the POIs, times shown in the display zone
// Times in POI CSV are ISO 8601 with their offset, shown in the display zone
// (--zone H, by default this computer's offset): 2011-01-25T15:13:20+01:00.
// Read, a time may also be "YYYY/MM/DD hh:mm:ss" as the POI list shows it,
// taken as shown in the display zone.
// A track file's times are shown in the zone they were saved at; --zone H
// names it (by default this computer's offset). --split-gap SECONDS starts a
// new track wherever the points of one lie further apart.
// Coordinates in CSV are decimal degrees with a point.

#include <string>
#include <string_view>

#include "app/UserMessages.h"
#include "cli/Options.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"
#include "tracks/LoggedTracks.h"

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

int ConvertTrackFile(const std::string& in, const std::string& out, const CommandOptions& options);

// True when OUT is written by WriteLoggedTracks (.gpx, .kml, .csv).
bool WritesLoggedTracks(const std::string& out);
// Writes tracks to OUT by its extension, split at --split-gap first; an exit
// code (kUsage for another extension).
int WriteLoggedTracks(const LoggedTracks& tracks, const std::string& out,
                      const CommandOptions& options);

// GpxConversions.cpp
int PlanToGpx(const std::string& in, const std::string& out, const CommandOptions& options);
int PoisToGpx(const std::string& in, const std::string& out, const CommandOptions& options);
int GpxToPlan(const std::string& in, const std::string& out, const CommandOptions& options);
int GpxToPois(const std::string& in, const std::string& out, const CommandOptions& options);
// A list from a GPX file and a list written as GPX: kOk, or kBadFile after
// saying why on stderr.
int ReadPlanGpx(const std::string& path, PlanList& list);
int ReadPoiGpx(const std::string& path, PoiList& list);
int WritePlanGpx(const std::string& path, const PlanList& list);
int WritePoiGpx(const std::string& path, const PoiList& list);

// PlanConversions.cpp
int CsvToPlan(const std::string& in, const std::string& out, const CommandOptions& options);
int CsvToPois(const std::string& in, const std::string& out, const CommandOptions& options);
int PlanToCsv(const std::string& in, const std::string& out, const CommandOptions& options);
int PoisToCsv(const std::string& in, const std::string& out, const CommandOptions& options);

// A list from its CSV (kOk, or kBadFile after saying why on stderr), and a
// list written as CSV (false after saying why: a POI time that is no date
// and time, or the "Cannot Save File!" message).
int ReadPlanCsv(const std::string& path, PlanList& list);
int ReadPoiCsv(const std::string& path, PoiList& list);
bool WritePlanCsv(const std::string& path, const PlanList& list, UserMessages& messages);
bool WritePoiCsv(const std::string& path, const PoiList& list, UserMessages& messages);

}  // namespace vantrel::cli
