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

std::string DrawTrackErrorText(const DrawTrackResult& result) {
    if (result.ok()) return {};
    return "Row " + std::to_string(result.failedRow) +
           " of the point list has no valid coordinates; the track is drawn up to it.";
}

namespace {

// The rows whose points go to the page: 1 up to n - 4 for a list of n
// points, stopping where a row or the one after it has no time.
int LastDrawnRow(const TextGrid& pointList) {
    int last = 0;
    for (int row = 1; row < pointList.RowCount() - 4; ++row) {
        if (pointList.IsEmpty(kTrackTimeColumn, row) ||
            pointList.IsEmpty(kTrackTimeColumn, row + 1))
            break;
        last = row;
    }
    return last;
}

}  // namespace

DrawTrackResult DrawTrackOnMap(MapPage& view, const TextGrid& pointList,
                               std::uint32_t currentTrackColor, const NumberFormat& numbers) {
    DrawTrackResult result;
    if (pointList.IsEmpty(kTrackLatitudeColumn, 1)) return result;
    CenterPage(view, pointList.Cell(kTrackLatitudeColumn, 1), "13",
               pointList.Cell(kTrackLongitudeColumn, 1), numbers);

    const int last = LastDrawnRow(pointList);
    std::vector<MapPoint> points;
    points.reserve(static_cast<std::size_t>(last));
    for (int row = 1; row <= last; ++row) {
        auto latitude = CellToFloat(pointList.Cell(kTrackLatitudeColumn, row), numbers);
        auto longitude = CellToFloat(pointList.Cell(kTrackLongitudeColumn, row), numbers);
        if (!latitude || !longitude) {
            result.failedRow = row;
            break;
        }
        points.push_back({*latitude, *longitude});
    }
    if (!points.empty()) view.addPointsBatch(points);
    result.pointsSent = static_cast<int>(points.size());
    view.drawPoints(TrackColourText(currentTrackColor));
    return result;
}

}  // namespace vantrel
