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
// new track wherever the points of one lie further apart in time; --from,
// --to, --split-at, --merge and --max-speed edit the tracks (Options.h).
//   .trk -> .trk   a track file's tracks, edited so
// Either file may be "-" (standard input or output) with --format naming
// what it holds.
// Coordinates in CSV are decimal degrees with a point.

#include <string>
#include <string_view>

#include "cli/Options.h"
#include "cli/Streams.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"
#include "tracks/Track.h"

namespace vantrel::cli {

// A conversion's run: an exit code.
using ConversionRun = int (*)(const FileArg& in, const FileArg& out,
                              const CommandOptions& options);

struct Conversion {
    std::string_view from;  // input extension, lower case, with its dot
    std::string_view to;    // output extension
    std::string_view what;  // shown by --help
    ConversionRun run;
};

// TrackConversions.cpp
// A track file as KML, GPX or CSV (kIncomplete when it was damaged and read
// up to the damage).
int ConvertTrackFile(const FileArg& in, const FileArg& out, const CommandOptions& options);

// True when tracks of this kind are written by WriteTracks (.trk, .gpx,
// .kml, .csv).
bool WritesTracks(std::string_view kind);
// Writes tracks to OUT by its kind, edited first as the track options and
// --split-gap ask (EditTracks): kOk, kIncomplete when a track file could not
// hold them all (told on stderr), kBadFile, or kUsage for another kind or an
// edit that cannot be done (nothing is written then).
int WriteTracks(Tracks tracks, const FileArg& out, const CommandOptions& options);

// TrackOptions.cpp
// The tracks as the track options ask (TrackEditOptions, in its order), the
// edits told in notes: kOk, or kUsage after saying why when --from and --to
// keep no point or --merge finds tracks that overlap in time.
int EditTracks(Tracks& tracks, const CommandOptions& options);

// GpxConversions.cpp
int PlanToGpx(const FileArg& in, const FileArg& out, const CommandOptions& options);
int PoisToGpx(const FileArg& in, const FileArg& out, const CommandOptions& options);
int GpxToPlan(const FileArg& in, const FileArg& out, const CommandOptions& options);
int GpxToPois(const FileArg& in, const FileArg& out, const CommandOptions& options);
// A list from a GPX file and a list written as GPX: kOk, or kBadFile after
// saying why on stderr.
int ReadPlanGpx(const FileArg& in, PlanList& list);
int ReadPoiGpx(const FileArg& in, PoiList& list);
int WritePlanGpx(const FileArg& out, const PlanList& list);
int WritePoiGpx(const FileArg& out, const PoiList& list);

// PlanConversions.cpp
int CsvToPlan(const FileArg& in, const FileArg& out, const CommandOptions& options);
int CsvToPois(const FileArg& in, const FileArg& out, const CommandOptions& options);
int PlanToCsv(const FileArg& in, const FileArg& out, const CommandOptions& options);
int PoisToCsv(const FileArg& in, const FileArg& out, const CommandOptions& options);

// A list from its CSV and a list written as CSV: kOk, or kBadFile after
// saying why on stderr (a POI time that is no date and time among the
// reasons).
int ReadPlanCsv(const FileArg& in, PlanList& list);
int ReadPoiCsv(const FileArg& in, PoiList& list);
int WritePlanCsv(const FileArg& out, const PlanList& list);
int WritePoiCsv(const FileArg& out, const PoiList& list);

}  // namespace vantrel::cli
