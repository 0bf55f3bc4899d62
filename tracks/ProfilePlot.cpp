#include "tracks/ProfilePlot.h"

#include <algorithm>
#include <cmath>

#include "base/TimeText.h"
#include "tracks/Geodesy.h"

namespace vantrel {

namespace {

struct Units {
    const char* distance;
    double kmFactor;
    const char* value;
    double valueFactor;
};

Units UnitsOf(ProfileKind kind, ProfileUnits units) {
    const bool metric = units == ProfileUnits::Metric;
    const char* distance = metric ? "km" : "mi";
    const double kmFactor = metric ? 1.0 : KmToMile;
    if (kind == ProfileKind::Altitude)
        return {distance, kmFactor, metric ? "m" : "ft", metric ? 1.0 : MetreToFoot};
    return {distance, kmFactor, metric ? "km/h" : "mph", metric ? 1.0 : KmToMile};
}

// "" at UTC, "+01:00", "-03:30" ...
std::string ZoneSuffix(ZoneOffset zone) {
    return zone.minutes == 0 ? std::string() : IsoZoneText(zone);
}

}  // namespace

ProfilePlot PlotProfile(const Track* track, const ProfileOptions& options) {
    const Units u = UnitsOf(options.kind, options.units);
    const bool altitude = options.kind == ProfileKind::Altitude;
    const bool distance = options.axis == ProfileAxis::Distance;
    ProfilePlot plot;
    plot.axis = options.axis;
    plot.bottomAxisTitle = distance ? std::string("Distance (") + u.distance + ")"
                                    : "Time of day (UTC" + ZoneSuffix(options.zone) + ")";
    const char* title = !altitude ? "Speed ("
                        : options.heights == HeightReference::MeanSeaLevel
                            ? "Altitude ("
                            : "Altitude above ellipsoid (";
    plot.leftAxisTitle = std::string(title) + u.value + ")";
    if (track == nullptr) return plot;
    plot.name = track->name;
    plot.color = track->color;
    const std::vector<double> along = DistancesAlong(track->points);
    plot.points.reserve(along.size());
    for (std::size_t i = 0; i < along.size(); ++i) {
        const TrackPoint& p = track->points[i];
        const double x = distance
                             ? along[i] * u.kmFactor
                             : static_cast<double>(
                                   (p.time + options.zone.Duration()).time_since_epoch().count());
        plot.points.push_back({x, (altitude ? p.altitude : p.speedKmh) * u.valueFactor});
    }
    return plot;
}

ProfilePlot PlotProfile(const Track* track, ProfileKind kind, ProfileUnits units,
                        HeightReference heights) {
    return PlotProfile(track, ProfileOptions{kind, units, ProfileAxis::Distance, {}, heights});
}

std::vector<ProfilePoint> ThinToColumns(std::span<const ProfilePoint> points, int columns) {
    const std::size_t n = points.size();
    if (columns < 1 || n <= 2 * static_cast<std::size_t>(columns) + 2)
        return {points.begin(), points.end()};
    const double x0 = points.front().x;
    const double width = points.back().x - x0;
    auto columnOf = [&](std::size_t i) {
        if (!(width > 0)) return 0;
        const double at = (points[i].x - x0) / width * columns;
        return std::clamp(static_cast<int>(at), 0, columns - 1);
    };
    std::vector<ProfilePoint> kept{points.front()};
    std::size_t i = 1;
    while (i + 1 < n) {
        // One column: the indices of its lowest and highest value.
        const int c = columnOf(i);
        std::size_t low = i, high = i;
        for (; i + 1 < n && columnOf(i) == c; ++i) {
            if (points[i].y < points[low].y) low = i;
            if (points[i].y > points[high].y) high = i;
        }
        kept.push_back(points[std::min(low, high)]);
        if (low != high) kept.push_back(points[std::max(low, high)]);
    }
    kept.push_back(points.back());
    return kept;
}

ValueRange ProfileValueRange(std::span<const ProfilePoint> points) {
    if (points.empty()) return {0, 1};
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
    if (low->y == high->y) return {low->y - 1, high->y + 1};
    return {low->y, high->y};
}

}  // namespace vantrel
