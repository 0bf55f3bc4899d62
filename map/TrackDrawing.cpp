#include "map/TrackDrawing.h"

#include <algorithm>
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

std::string DrawTrackErrorText(const DrawTrackResult& result) {
    if (result.ok()) return {};
    return "Row " + std::to_string(result.failedRow) +
           " of the point list has no valid coordinates; the track is drawn up to it.";
}

DrawTrackResult DrawTrackOnMap(MapPage& view, const TextGrid& pointList,
                               std::uint32_t currentTrackColor, const NumberFormat& numbers) {
    DrawTrackResult result;
    view.CallPageFunction("clearTracks");
    std::vector<MapPoint> points;
    points.reserve(static_cast<std::size_t>(std::max(pointList.RowCount() - 1, 0)));
    for (int row = 1; row < pointList.RowCount(); ++row) {
        if (pointList.IsEmpty(kTrackTimeColumn, row)) continue;
        auto latitude = CellToFloat(pointList.Cell(kTrackLatitudeColumn, row), numbers);
        auto longitude = CellToFloat(pointList.Cell(kTrackLongitudeColumn, row), numbers);
        if (!latitude || !longitude) {
            result.failedRow = row;
            break;
        }
        points.push_back({*latitude, *longitude});
    }
    if (points.empty()) return result;
    view.addPointsBatch(points);
    result.pointsSent = static_cast<int>(points.size());
    view.drawPoints(TrackColourText(currentTrackColor));
    return result;
}

}  // namespace vantrel
