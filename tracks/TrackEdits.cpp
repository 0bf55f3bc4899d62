#include "tracks/TrackEdits.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace vantrel {

namespace {

using PointIt = std::vector<TrackPoint>::const_iterator;

PointIt At(const Track& track, std::size_t index) {
    return track.points.begin() + static_cast<std::ptrdiff_t>(index);
}

// The track's name, colour and selection with other points (its own are not copied).
Track WithPoints(const Track& track, std::vector<TrackPoint> points) {
    return {track.name, track.color, track.selectedFlag, track.selected, std::move(points)};
}

// The earliest and latest time of a track with points.
std::pair<Seconds, Seconds> TimeSpan(const Track& track) {
    const auto [first, last] = std::minmax_element(
        track.points.begin(), track.points.end(),
        [](const TrackPoint& a, const TrackPoint& b) { return a.time < b.time; });
    return {first->time, last->time};
}

// The speed in km/h that going from one fix to the other implies. Times
// are whole seconds, so two fixes of one second lie up to a second apart.
double ImpliedKmh(const TrackPoint& from, const TrackPoint& to) {
    const auto seconds = std::max<std::int64_t>(1, std::abs((to.time - from.time).count()));
    return LegKm(from, to) * 3600.0 / static_cast<double>(seconds);
}

// The first point after `jump` that lies within reach of `kept` (at most
// kMaxOutlierRun points on), or `end` when the track does not come back.
std::size_t ReturnAfter(const std::vector<TrackPoint>& points, std::size_t kept,
                        std::size_t jump, double maxKmh) {
    const std::size_t end = std::min(points.size(), jump + kMaxOutlierRun + 1);
    for (std::size_t i = jump + 1; i < end; ++i)
        if (ImpliedKmh(points[kept], points[i]) <= maxKmh) return i;
    return points.size();
}

}  // namespace

bool Within(const Track& track, PointRange range) {
    return range.first <= range.last && range.last < track.points.size();
}

Track KeptBetween(const Track& track, Seconds from, Seconds to) {
    std::vector<TrackPoint> kept;
    std::copy_if(track.points.begin(), track.points.end(), std::back_inserter(kept),
                 [&](const TrackPoint& p) { return from <= p.time && p.time <= to; });
    return WithPoints(track, std::move(kept));
}

Track KeptPoints(const Track& track, PointRange range) {
    return WithPoints(track, {At(track, range.first), At(track, range.last + 1)});
}

Track WithoutPoints(const Track& track, PointRange range) {
    std::vector<TrackPoint> kept(track.points.begin(), At(track, range.first));
    kept.insert(kept.end(), At(track, range.last + 1), track.points.end());
    return WithPoints(track, std::move(kept));
}

Merged MergedInTimeOrder(std::span<const Track> tracks) {
    if (tracks.size() < 2) return {std::nullopt, "choose two tracks or more to merge"};
    std::vector<std::size_t> order(tracks.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    // Tracks without points go last: they add nothing and overlap nothing.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (tracks[a].points.empty() || tracks[b].points.empty())
            return !tracks[a].points.empty() && tracks[b].points.empty();
        return TimeSpan(tracks[a]).first < TimeSpan(tracks[b]).first;
    });
    Track merged = tracks[order.front()];
    for (std::size_t k = 1; k < order.size(); ++k) {
        const Track& next = tracks[order[k]];
        if (next.points.empty()) continue;
        const Track& before = tracks[order[k - 1]];
        if (TimeSpan(next).first < TimeSpan(before).second)
            return {std::nullopt, before.name + " and " + next.name +
                                      " overlap in time; only tracks that follow one another "
                                      "can be merged"};
        merged.points.insert(merged.points.end(), next.points.begin(), next.points.end());
    }
    return {std::move(merged), {}};
}

Track WithoutOutliers(const Track& track, double maxKmh) {
    const std::vector<TrackPoint>& points = track.points;
    if (points.size() < 3) return track;
    std::vector<TrackPoint> kept;
    kept.reserve(points.size());
    std::size_t last = 0;  // the last point kept
    if (ImpliedKmh(points[0], points[1]) > maxKmh && ImpliedKmh(points[1], points[2]) <= maxKmh)
        last = 1;
    kept.push_back(points[last]);
    for (std::size_t i = last + 1; i < points.size(); ++i) {
        if (ImpliedKmh(points[last], points[i]) > maxKmh) {
            const std::size_t back = ReturnAfter(points, last, i, maxKmh);
            if (back < points.size()) i = back;  // the excursion is left out
        }
        kept.push_back(points[i]);
        last = i;
    }
    return WithPoints(track, std::move(kept));
}

}  // namespace vantrel
