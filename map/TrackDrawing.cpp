#include "map/TrackDrawing.h"

#include <cstdio>
#include <vector>

namespace vantrel {

std::string TrackColourText(std::uint32_t currentTrackColor) {
    const std::uint32_t red = currentTrackColor & 0xFFu;
    const std::uint32_t green = (currentTrackColor >> 8) & 0xFFu;
    const std::uint32_t blue = (currentTrackColor >> 16) & 0xFFu;
    char text[16];
    std::snprintf(text, sizeof text, "#%06x", (red << 16) | (green << 8) | blue);
    return text;
}

DrawTrackResult DrawTrackOnMap(MapPage& view, const Track* track,
                               std::uint32_t currentTrackColor) {
    DrawTrackResult result;
    view.CallPageFunction("clearTracks");
    if (track == nullptr || track->points.empty()) return result;
    std::vector<MapPoint> points;
    points.reserve(track->points.size());
    for (const TrackPoint& p : track->points)
        points.push_back({p.latitude, p.longitude});
    view.addPointsBatch(points);
    result.pointsSent = static_cast<int>(points.size());
    view.drawPoints(TrackColourText(currentTrackColor));
    return result;
}

}  // namespace vantrel
