#pragma once
// Tracks split where their points lie far apart in time, for logs whose
// track-start marks are missing.

#include <cstdint>
#include <span>

#include "tracks/Track.h"

namespace vantrel {

// Starts a new track wherever two points lie more than `gapSeconds` apart,
// forwards or (a clock that jumped back) backwards; the pieces after a
// track's first are named "NAME.2", "NAME.3", ... A gap of 0 or less splits
// nothing.
Tracks SplitAtGaps(std::span<const Track> tracks, std::int64_t gapSeconds);

}  // namespace vantrel
