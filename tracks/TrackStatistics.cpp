#include "tracks/TrackStatistics.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

std::optional<double> TrackStatistics::MeanKmh() const {
    if (seconds <= 0) return std::nullopt;
    return km * 3600.0 / static_cast<double>(seconds);
}

std::optional<double> TrackStatistics::MovingKmh() const {
    if (movingSeconds <= 0) return std::nullopt;
    return km * 3600.0 / static_cast<double>(movingSeconds);
}

TrackStatistics StatisticsOf(std::span<const TrackPoint> points) {
    TrackStatistics stats;
    stats.points = points.size();
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (std::isfinite(points[i].speedKmh))
            stats.topKmh = std::max(stats.topKmh, points[i].speedKmh);
        if (i == 0) continue;
        const double km = LegKm(points[i - 1], points[i]);
        const std::int64_t seconds = (points[i].time - points[i - 1].time).count();
        stats.km += km;
        if (seconds <= 0) continue;
        stats.seconds += seconds;
        if (km * 3600.0 >= kMovingKmh * static_cast<double>(seconds))
            stats.movingSeconds += seconds;
    }
    stats.altitude = AltitudeStatisticsOf(points);
    return stats;
}

std::optional<AltitudeStatistics> AltitudeStatisticsOf(std::span<const TrackPoint> points) {
    std::optional<AltitudeStatistics> stats;
    double reference = 0;
    for (const TrackPoint& point : points) {
        const double altitude = point.altitude;
        if (!std::isfinite(altitude)) continue;
        if (!stats) {
            stats = AltitudeStatistics{0, 0, altitude, altitude};
            reference = altitude;
            continue;
        }
        stats->lowestM = std::min(stats->lowestM, altitude);
        stats->highestM = std::max(stats->highestM, altitude);
        const double rise = altitude - reference;
        if (rise >= kClimbThresholdM)
            stats->ascentM += rise;
        else if (-rise >= kClimbThresholdM)
            stats->descentM -= rise;
        else
            continue;
        reference = altitude;
    }
    return stats;
}

}  // namespace vantrel
