#include "tracks/Track.h"

#include <algorithm>

#include "tracks/Geodesy.h"

namespace vantrel {

double LegKm(const TrackPoint& from, const TrackPoint& to) {
    return GreatCircleKm(to.longitude * DegToRad, to.latitude * DegToRad,
                         from.longitude * DegToRad, from.latitude * DegToRad);
}

std::vector<double> DistancesAlong(std::span<const TrackPoint> points) {
    std::vector<double> along;
    along.reserve(points.size());
    double km = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) km += LegKm(points[i - 1], points[i]);
        along.push_back(km);
    }
    return along;
}

double PathKm(std::span<const TrackPoint> points) {
    double km = 0;
    for (std::size_t i = 1; i < points.size(); ++i)
        km += LegKm(points[i - 1], points[i]);
    return km;
}

std::int64_t PathSeconds(std::span<const TrackPoint> points) {
    if (points.empty()) return 0;
    const auto [first, last] = std::minmax_element(
        points.begin(), points.end(),
        [](const TrackPoint& a, const TrackPoint& b) { return a.time < b.time; });
    return (last->time - first->time).count();
}

std::size_t PointCount(std::span<const Track> tracks) {
    std::size_t points = 0;
    for (const Track& track : tracks)
        points += track.points.size();
    return points;
}

std::uint32_t NewTrackColour(std::size_t index) {
    static constexpr std::uint32_t kColours[] = {0x0000FF, 0xC06000, 0x20A000, 0x0080FF,
                                                 0xA02090, 0xA0A000, 0x8000C0, 0x205080};
    return kColours[index % std::size(kColours)];
}

}  // namespace vantrel
