#pragma once
// The track model: tracks of typed points, decoded once (from the device's
// memory or from a file) and read by everything that shows or writes them.
// Numbers become text only where they are shown or written.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/TimeText.h"

namespace vantrel {

// Which surface the altitudes are measured from.
enum class HeightReference {
    MeanSeaLevel,  // the geoid: what maps and receivers call altitude
    Ellipsoid,     // WGS-84's ellipsoid, where the geoid grid could not be read
};

struct TrackPoint {
    Seconds time;      // UTC
    double latitude;   // degrees
    double longitude;  // degrees
    double altitude;   // metres, above the surface the tracks' HeightReference names
    double speedKmh;
    friend bool operator==(const TrackPoint&, const TrackPoint&) = default;
};

struct Track {
    std::string name;
    std::uint32_t color = 255;  // 0x00BBGGRR, red when created
    // The track file's flag, kept as it was read (1 for a track decoded here).
    std::uint16_t selectedFlag = 1;
    // The list's Select column: whether the track is drawn and saved.
    bool selected = true;
    std::vector<TrackPoint> points;
    friend bool operator==(const Track&, const Track&) = default;
};

using Tracks = std::vector<Track>;

// The colour a new track gets by its place in the list (0x00BBGGRR): red for
// the first, as ever, then colours that stand apart from it and each other
// on a map, again from the start after the eighth.
std::uint32_t NewTrackColour(std::size_t index);

// The great-circle distance in km from one point to the next.
double LegKm(const TrackPoint& from, const TrackPoint& to);
// The distance in km from the first point to each point in turn (0 for the
// first); the last is the track's length.
std::vector<double> DistancesAlong(std::span<const TrackPoint> points);
// The length in km of the path through the points (0 for fewer than two).
double PathKm(std::span<const TrackPoint> points);
inline double TrackKm(const Track& track) { return PathKm(track.points); }
// From the earliest time to the latest, in seconds: never negative, whatever
// order a faulty clock logged the points in.
std::int64_t PathSeconds(std::span<const TrackPoint> points);
inline std::int64_t TrackSeconds(const Track& track) { return PathSeconds(track.points); }
// The points of all tracks.
std::size_t PointCount(std::span<const Track> tracks);

}  // namespace vantrel
