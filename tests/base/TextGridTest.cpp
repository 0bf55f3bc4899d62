#include "base/TextGrid.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(TextGrid, OutOfRangeReadsAreEmptyAndWritesAreIgnored) {
    TextGrid grid(3, 4);
    grid.SetCell(3, 0, "x");
    grid.SetCell(0, 4, "x");
    grid.SetCell(-1, 0, "x");
    EXPECT_EQ(grid.Cell(3, 0), "");
    EXPECT_EQ(grid.Cell(0, -1), "");
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_TRUE(grid.IsEmpty(c, r));
}

TEST(TextGrid, RemoveRowsMovesRowsUpAndEmptiesTheEnd) {
    TextGrid grid(2, 5);
    for (int r = 0; r < 5; ++r) grid.SetCell(0, r, std::to_string(r));
    grid.RemoveRows(1, 2);
    EXPECT_EQ(grid.Cell(0, 0), "0");
    EXPECT_EQ(grid.Cell(0, 1), "3");
    EXPECT_EQ(grid.Cell(0, 2), "4");
    EXPECT_EQ(grid.Cell(0, 3), "");
    EXPECT_EQ(grid.Cell(0, 4), "");
    grid.RemoveRows(4, 10);  // past the end: clamps
    EXPECT_EQ(grid.Cell(0, 2), "4");
}

TEST(TextGrid, ResizingKeepsRowsAndRevisionTracksChanges) {
    TextGrid grid(1, 2);
    auto before = grid.Revision();
    grid.SetCell(0, 1, "kept");
    grid.SetRowCount(70000);
    EXPECT_GT(grid.Revision(), before);
    EXPECT_EQ(grid.Cell(0, 1), "kept");
    grid.SetCell(0, 69999, "last");
    EXPECT_EQ(grid.Cell(0, 69999), "last");
    grid.SetRowCount(1);
    EXPECT_EQ(grid.RowCount(), 1);
    EXPECT_EQ(grid.Cell(0, 1), "");
}

}  // namespace
}  // namespace vantrel
