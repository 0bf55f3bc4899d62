#pragma once
// Tracks cut in pieces: where their points lie far apart in time (logs whose
// track-start marks are missing), at chosen times, or before chosen points.
// The pieces after a track's first are named "NAME.2", "NAME.3", ... and
// keep the track's colour and selection.

#include <cstdint>
#include <span>
#include <vector>

#include "tracks/Track.h"

namespace vantrel {

// The track cut before each point of `starts` (ascending indices; 0 and
// those past the last point cut nothing).
Tracks SplitBefore(const Track& track, std::span<const std::size_t> starts);

// Starts a new track wherever two points lie more than `gapSeconds` apart,
// forwards or (a clock that jumped back) backwards. A gap of 0 or less
// splits nothing.
Tracks SplitAtGaps(std::span<const Track> tracks, std::int64_t gapSeconds);

// Starts a new track between two points of a track that lie on either side
// of one of `times`: the point logged at that moment begins the next piece.
// A time outside every track splits nothing.
Tracks SplitAtTimes(std::span<const Track> tracks, std::span<const Seconds> times);

}  // namespace vantrel
