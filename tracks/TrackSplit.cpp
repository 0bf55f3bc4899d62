#include "tracks/TrackSplit.h"

#include <string>

namespace vantrel {

Tracks SplitAtGaps(std::span<const Track> tracks, std::int64_t gapSeconds) {
    if (gapSeconds <= 0) return {tracks.begin(), tracks.end()};
    Tracks pieces;
    for (const Track& track : tracks) {
        int piece = 1;
        Track first = track;
        first.points.clear();
        pieces.push_back(first);
        for (const TrackPoint& point : track.points) {
            const auto& current = pieces.back().points;
            if (!current.empty()) {
                const std::int64_t step = (point.time - current.back().time).count();
                if (step > gapSeconds || -step > gapSeconds) {
                    Track next = first;
                    next.name = track.name + "." + std::to_string(++piece);
                    pieces.push_back(std::move(next));
                }
            }
            pieces.back().points.push_back(point);
        }
    }
    return pieces;
}

}  // namespace vantrel
