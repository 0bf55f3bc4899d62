#pragma once
// Tracks read from GPX 1.0 or 1.1: every trkseg of every trk becomes one
// track (a segment ends where the logger lost its fix), named after its trk
// ("Walk", "Walk.2" for its second segment; "Track1" when it has no name).
// Each trkpt needs lat and lon within range and a time; its ele is the
// altitude above sea level, and a point without one has no altitude (NaN).
// A file that breaks these rules is refused whole, with the point named.

#include <cstddef>
#include <string>
#include <string_view>

#include "tracks/Track.h"

namespace vantrel {

// The largest GPX file of tracks read: about half a million points.
inline constexpr std::size_t kMaxGpxTrackBytes = std::size_t{64} << 20;

struct GpxTracksRead {
    Tracks tracks;
    std::string error;  // why the file was refused; empty when it was read
};

GpxTracksRead ReadGpxTracks(std::string_view text);

}  // namespace vantrel
