#pragma once
// Drawing a track on the track page: one line in the track's colour, the
// view fitted to it.

#include <cstdint>
#include <string>

#include "map/MapPage.h"
#include "tracks/Track.h"

namespace vantrel {

// The page's colour text "#rrggbb" of a track colour kept in blue-green-red
// order (red in the low byte); only the low 24 bits count.
std::string TrackColourText(std::uint32_t currentTrackColor);

struct DrawTrackResult {
    int pointsSent = 0;  // points handed to the page
};

// Shows the track on the track page, alone: the lines drawn before are
// cleared (clearTracks), every point goes to the page in order, and
// drawPoints draws them in `currentTrackColor` (a single point as a marker)
// and fits the view to them. No track, or one without points, leaves the
// page empty.
DrawTrackResult DrawTrackOnMap(MapPage& view, const Track* track, std::uint32_t currentTrackColor);

}  // namespace vantrel
