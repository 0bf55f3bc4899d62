#pragma once
// Repairs of a track's points: keep a time range or a run of points, delete
// a run of points, join tracks in time order, drop the points a bad fix
// threw far away. Each returns new tracks and leaves its input as it was;
// TrackStore applies them to the list and keeps them for undo. Distances
// and durations are measured from the points, so they follow every edit.

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "tracks/Track.h"

namespace vantrel {

// The points from `first` to `last`, both included (indices into a track).
struct PointRange {
    std::size_t first = 0;
    std::size_t last = 0;
    std::size_t Count() const { return last - first + 1; }
    friend bool operator==(const PointRange&, const PointRange&) = default;
};

// Whether `range` runs forwards and lies within the track's points.
bool Within(const Track& track, PointRange range);

// The track with only its points logged from `from` to `to`, both included.
Track KeptBetween(const Track& track, Seconds from, Seconds to);
// The track with only the points of `range` (which lies within it).
Track KeptPoints(const Track& track, PointRange range);
// The track without the points of `range` (which lies within it).
Track WithoutPoints(const Track& track, PointRange range);

// Tracks joined into one.
struct Merged {
    std::optional<Track> track;  // none when refused
    std::string refusal;         // why, naming the tracks
};
// Joins the tracks one after another by the time each begins, into one that
// takes the earliest's name, colour and selection. Refused for fewer than
// two tracks and when one begins before the one before it ends (tracks
// that overlap in time would zigzag between the two paths); a track without
// points overlaps nothing.
Merged MergedInTimeOrder(std::span<const Track> tracks);

inline constexpr double kDefaultMaxSpeedKmh = 300;
// How many points in a row one excursion may hold.
inline constexpr std::size_t kMaxOutlierRun = 32;
// The track without the points that imply a speed above `maxKmh`: a point
// (or a run of up to kMaxOutlierRun points) that the track jumps to and back
// from faster than that. A stretch that really went faster, with no way
// back, is kept, so a limit set too low never eats the rest of a track. The
// first point goes when it alone lies far from the second, which lies
// plausibly near the third.
Track WithoutOutliers(const Track& track, double maxKmh);

}  // namespace vantrel
