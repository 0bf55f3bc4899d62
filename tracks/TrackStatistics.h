#pragma once
// The figures of a track, or of a stretch of one: its times, its distance,
// its speeds and its climbs. Times that run backwards add no time; a point
// without an altitude (a file may give none) counts for the distance and
// the times but not for the climbs.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "tracks/Track.h"

namespace vantrel {

// The slowest mean speed over an interval that still counts as moving.
inline constexpr double kMovingKmh = 1.8;
// The rise or fall from the last counted altitude that counts as a climb.
inline constexpr double kClimbThresholdM = 5.0;

struct AltitudeStatistics {
    double ascentM = 0;
    double descentM = 0;
    double lowestM = 0;
    double highestM = 0;
};

struct TrackStatistics {
    std::size_t points = 0;
    double km = 0;
    // The sum of the intervals from each point to the next, none negative.
    std::int64_t seconds = 0;
    // The intervals whose mean speed is at least kMovingKmh.
    std::int64_t movingSeconds = 0;
    double topKmh = 0;  // the largest speed the device logged
    // None for a track without a single altitude.
    std::optional<AltitudeStatistics> altitude;

    // Distance over time; none when no time passed.
    std::optional<double> MeanKmh() const;
    std::optional<double> MovingKmh() const;
};

TrackStatistics StatisticsOf(std::span<const TrackPoint> points);
inline TrackStatistics StatisticsOf(const Track& track) {
    return StatisticsOf(track.points);
}

// The ascent and descent through the altitudes: a reference starts at the
// first; an altitude at least kClimbThresholdM above or below it adds the
// difference to the ascent or the descent and becomes the reference.
// Small noise therefore adds nothing.
std::optional<AltitudeStatistics> AltitudeStatisticsOf(std::span<const TrackPoint> points);

}  // namespace vantrel
