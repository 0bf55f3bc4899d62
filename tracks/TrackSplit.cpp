#include "tracks/TrackSplit.h"

#include <algorithm>
#include <string>

namespace vantrel {

namespace {

// Where `track` is cut: before each point i for which `cutsBefore(previous,
// point)` holds.
template <typename Cut>
std::vector<std::size_t> StartsWhere(const Track& track, Cut cutsBefore) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 1; i < track.points.size(); ++i)
        if (cutsBefore(track.points[i - 1], track.points[i])) starts.push_back(i);
    return starts;
}

template <typename Cut>
Tracks SplitEach(std::span<const Track> tracks, Cut cutsBefore) {
    Tracks pieces;
    for (const Track& track : tracks) {
        Tracks cut = SplitBefore(track, StartsWhere(track, cutsBefore));
        std::move(cut.begin(), cut.end(), std::back_inserter(pieces));
    }
    return pieces;
}

}  // namespace

Tracks SplitBefore(const Track& track, std::span<const std::size_t> starts) {
    Track piece = track;
    piece.points.clear();
    Tracks pieces;
    std::size_t from = 0;
    auto add = [&](std::size_t to) {
        piece.name = pieces.empty() ? track.name
                                    : track.name + "." + std::to_string(pieces.size() + 1);
        piece.points.assign(track.points.begin() + static_cast<std::ptrdiff_t>(from),
                            track.points.begin() + static_cast<std::ptrdiff_t>(to));
        pieces.push_back(piece);
        from = to;
    };
    for (std::size_t start : starts)
        if (start > from && start < track.points.size()) add(start);
    add(track.points.size());
    return pieces;
}

Tracks SplitAtGaps(std::span<const Track> tracks, std::int64_t gapSeconds) {
    if (gapSeconds <= 0) return {tracks.begin(), tracks.end()};
    return SplitEach(tracks, [gapSeconds](const TrackPoint& previous, const TrackPoint& point) {
        const std::int64_t step = (point.time - previous.time).count();
        return step > gapSeconds || -step > gapSeconds;
    });
}

Tracks SplitAtTimes(std::span<const Track> tracks, std::span<const Seconds> times) {
    return SplitEach(tracks, [times](const TrackPoint& previous, const TrackPoint& point) {
        return std::any_of(times.begin(), times.end(), [&](Seconds time) {
            return previous.time < time && time <= point.time;
        });
    });
}

}  // namespace vantrel
