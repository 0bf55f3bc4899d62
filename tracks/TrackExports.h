#pragma once
// Tracks as GPX 1.1 and as CSV. Neither has a limit on tracks or
// points. Coordinates carry six decimals, heights one, as the lists show
// them.

#include <span>
#include <string>

#include "tracks/Track.h"

namespace vantrel {

// One trk per track (its name, one trkseg) with a trkpt per point: lat,
// lon, ele and the time in UTC.
std::string GpxTracksText(std::span<const Track> tracks);

// "track,time,latitude,longitude,altitude,speed" and a line per point: the
// track's name, the ISO 8601 time shown at `zone` with its offset,
// degrees, metres and km/h.
std::string TrackCsvText(std::span<const Track> tracks, ZoneOffset zone);

// "latitude" and "longitude" of a point as the exports write them.
std::string DegreesText(double degrees);
std::string AltitudeText(double metres);
// "first,second,altitude" appended to `out`: two coordinates in degrees and
// the altitude in metres, as the exports write them.
void AppendPosition(std::string& out, double first, double second, double altitude);

}  // namespace vantrel
