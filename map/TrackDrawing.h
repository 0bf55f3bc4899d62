#pragma once
// Drawing tracks on the track page: one line in the track's colour, the
// view fitted to it; or every selected track of a list, each in its own
// colour with its start, its end and its name in the legend.

#include <cstdint>
#include <string>
#include <vector>

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

// The words the legend gives the start and end markers, in the user's language.
struct TrackLegendWords {
    std::string start = "Start";
    std::string end = "End";
};

// What Draw shows of a track: its list index as its key, its colour, name
// and number of points.
struct DrawnTrack {
    int key = 0;
    std::uint32_t color = 0;
    std::string name;
    std::size_t points = 0;
    friend bool operator==(const DrawnTrack&, const DrawnTrack&) = default;
};
// The selected tracks that have points, in list order: what Draw shows.
std::vector<DrawnTrack> TracksToDraw(const Tracks& tracks);

// The script that draws the pending points as a named track:
// drawTrack("#rrggbb","name",key), the name quoted.
std::string DrawTrackScript(const DrawnTrack& track);

// Shows TracksToDraw(tracks) alone on the page: the lines drawn before are
// cleared, each track is drawn in its own colour with a marker at its start
// and its end and its name in the legend, the view is fitted to them all,
// and the track at `shown` (a list index, -1 for none) is drawn above the
// others. Returns what was drawn.
std::vector<DrawnTrack> DrawSelectedTracksOnMap(MapPage& view, const Tracks& tracks, int shown,
                                                const TrackLegendWords& words);
// Draws the track at list index `shown` above the others (-1: none).
void HighlightTrackOnMap(MapPage& view, int shown);

}  // namespace vantrel
