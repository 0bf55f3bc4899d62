#pragma once
// A point grid as the Data page holds one: headings in row 0, then `points`
// rows with a time in column 0, a height in column 3 and a speed in column 4.

#include "base/TextGrid.h"

namespace vantrel::testing {

inline TextGrid PointGrid(int points, const char* height, const char* speed) {
    TextGrid grid(5, points + 1);
    for (int row = 1; row <= points; ++row) {
        grid.SetCell(0, row, "2011/9/14  1:46:40");
        grid.SetCell(3, row, height);
        grid.SetCell(4, row, speed);
    }
    return grid;
}

}  // namespace vantrel::testing
