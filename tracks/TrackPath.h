#pragma once
// A track's points as positions in decimal degrees, read from the cells of
// a point grid, and the distance along them. The track list's distances and
// the profile chart's distance axis both come from here, over the same
// cells, so they agree to the last bit.

#include <optional>
#include <span>
#include <vector>

#include "base/NumberText.h"
#include "base/TextGrid.h"

namespace vantrel {

struct PathPoint {
    double latitude;   // degrees
    double longitude;  // degrees
};

// The position of a grid row (latitude in column 1, longitude in column 2),
// or nothing when either cell is not a number.
std::optional<PathPoint> RowPosition(const TextGrid& grid, int row, const NumberFormat& numbers);

// The great-circle distance in km from one point to the next.
double LegKm(const PathPoint& from, const PathPoint& to);

// The distance in km from the first point to each point in turn (0 for the
// first); the last is the track's length.
std::vector<double> DistancesAlong(std::span<const PathPoint> points);

// The length in km of the path through the points (0 for fewer than two).
double PathKm(std::span<const PathPoint> points);

}  // namespace vantrel
