#pragma once
// Drawing the track shown in the point list on the track page: one line in
// the track's colour, the view fitted to it.

#include <cstdint>
#include <string>

#include "base/NumberText.h"
#include "base/TextGrid.h"
#include "map/MapPage.h"

namespace vantrel {

// The point list's columns that drawing reads.
inline constexpr int kTrackTimeColumn = 0;
inline constexpr int kTrackLatitudeColumn = 1;
inline constexpr int kTrackLongitudeColumn = 2;

// The page's colour text "#rrggbb" of a track colour kept in blue-green-red
// order (red in the low byte); only the low 24 bits count.
std::string TrackColourText(std::uint32_t currentTrackColor);

struct DrawTrackResult {
    int pointsSent = 0;  // addPoints calls made
    int failedRow = 0;   // the row whose coordinates did not convert; 0 when none
    bool ok() const { return failedRow == 0; }
};

// What the user is told when a drawing stopped at a cell that is not a number.
std::string DrawTrackErrorText(const DrawTrackResult& result);

// Shows the point list's track on the track page, alone: the lines drawn
// before are cleared (clearTracks), every point of rows 1 to n that has a
// time goes to the page in row order, and drawPoints draws them in the
// track's colour (a single point as a marker) and fits the view to them.
// An empty list leaves the page empty.
//
// A row whose latitude or longitude does not convert stops the drawing there:
// the points before it are still drawn, so none is left pending on the page
// to join the next drawing, and the result names the row.
DrawTrackResult DrawTrackOnMap(MapPage& view, const TextGrid& pointList,
                               std::uint32_t currentTrackColor, const NumberFormat& numbers);

}  // namespace vantrel
