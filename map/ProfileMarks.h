#pragma once
// What the profile chart points at, shown on the track page: a marker at the
// point under the chart's cursor and the stretch picked on the chart.

#include <span>
#include <string>

#include "map/MapPage.h"
#include "tracks/Track.h"

namespace vantrel {

// "showProfileCursor(lat,lng);", or "hideProfileCursor();" for no point.
std::string ProfileCursorScript(const TrackPoint* point);
// "showProfileRange([[lat,lng],...]);": none clears the stretch.
std::string ProfileRangeScript(std::span<const TrackPoint> points);

inline void ShowProfileCursor(MapPage& view, const TrackPoint* point) {
    view.RunPageScript(ProfileCursorScript(point));
}
inline void ShowProfileRange(MapPage& view, std::span<const TrackPoint> points) {
    view.RunPageScript(ProfileRangeScript(points));
}

}  // namespace vantrel
