#include "tracks/TrackPath.h"

#include "tracks/Geodesy.h"

namespace vantrel {

std::optional<PathPoint> RowPosition(const TextGrid& grid, int row, const NumberFormat& numbers) {
    auto latitude = CellToFloat(grid.Cell(1, row), numbers);
    auto longitude = CellToFloat(grid.Cell(2, row), numbers);
    if (!latitude || !longitude) return std::nullopt;
    return PathPoint{*latitude, *longitude};
}

double LegKm(const PathPoint& from, const PathPoint& to) {
    return GreatCircleKm(to.longitude * DegToRad, to.latitude * DegToRad,
                         from.longitude * DegToRad, from.latitude * DegToRad);
}

std::vector<double> DistancesAlong(std::span<const PathPoint> points) {
    std::vector<double> along;
    along.reserve(points.size());
    double km = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0) km += LegKm(points[i - 1], points[i]);
        along.push_back(km);
    }
    return along;
}

double PathKm(std::span<const PathPoint> points) {
    const std::vector<double> along = DistancesAlong(points);
    return along.empty() ? 0.0 : along.back();
}

}  // namespace vantrel
