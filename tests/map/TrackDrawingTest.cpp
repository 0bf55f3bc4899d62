#include "map/TrackDrawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeMapPage.h"

namespace vantrel {
namespace {

using testing::FakeMapPage;

// A point list of n points as the track list fills it: row 0 titles, rows 1
// to n with time, latitude and longitude.
TextGrid PointList(int n, const std::string& separator = ".") {
    TextGrid grid(5, n + 1);
    grid.SetCell(0, 0, "Time");
    for (int row = 1; row <= n; ++row) {
        grid.SetCell(kTrackTimeColumn, row, "12:00:" + std::to_string(row));
        grid.SetCell(kTrackLatitudeColumn, row, "22" + separator + std::to_string(row));
        grid.SetCell(kTrackLongitudeColumn, row, "114" + separator + "5");
    }
    return grid;
}

TEST(TrackColourText, SwapsRedAndBlue) {
    EXPECT_EQ(TrackColourText(255), "#ff0000");
    EXPECT_EQ(TrackColourText(0xFF8000), "#0080ff");  // blue 255, green 128, red 0
    EXPECT_EQ(TrackColourText(0x123456), "#563412");
    EXPECT_EQ(TrackColourText(0xAB000000u | 0x0000FF), "#ff0000");  // top byte ignored
}

TEST(DrawTrackOnMap, AnEmptyListClearsThePageAndSendsNoPoint) {
    FakeMapPage page;
    DrawTrackResult result = DrawTrackOnMap(page, PointList(0), 255, {});
    EXPECT_EQ(page.log, (std::vector<std::string>{"call: clearTracks"}));
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.pointsSent, 0);
}

TEST(DrawTrackOnMap, EveryPointAloneOnThePageInOneBatch) {
    for (int n : {1, 4, 5, 9}) {
        FakeMapPage page;
        DrawTrackResult result = DrawTrackOnMap(page, PointList(n), 0xFF8000, {});
        std::vector<std::string> calls = page.Calls();
        ASSERT_EQ(calls.size(), static_cast<std::size_t>(n) + 2) << n;
        EXPECT_EQ(calls.front(), "call: clearTracks");  // earlier drawings go first
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(calls[static_cast<std::size_t>(i) + 1],
                      "addPoints(22." + std::to_string(i + 1) + "00000,114.500000)");
        EXPECT_EQ(calls.back(), "drawPoints(#0080ff)");
        EXPECT_EQ(page.batches, 1);
        EXPECT_EQ(result.pointsSent, n);
        EXPECT_TRUE(page.scripts.empty());  // the page fits its view to the track
    }
}

TEST(DrawTrackOnMap, RowsWithoutATimeAreSteppedOver) {
    TextGrid grid = PointList(12);
    grid.SetCell(kTrackTimeColumn, 5, "");
    FakeMapPage page;
    EXPECT_EQ(DrawTrackOnMap(page, grid, 255, {}).pointsSent, 11);
}

TEST(DrawTrackOnMap, ReadsPointAndCommaCellsWhateverTheUsersSeparator) {
    for (const char* separator : {".", ","}) {
        for (const NumberFormat& user : {NumberFormat{}, NumberFormat{",", ","}}) {
            FakeMapPage page;
            DrawTrackOnMap(page, PointList(5, separator), 255, user);
            EXPECT_EQ(page.Calls()[1], "addPoints(22.100000,114.500000)");
            EXPECT_EQ(page.Calls().size(), 7u);
        }
    }
}

TEST(DrawTrackOnMap, ABadCellStopsTheDrawingThereAndIsReported) {
    TextGrid grid = PointList(10);
    grid.SetCell(kTrackLongitudeColumn, 4, "x");
    FakeMapPage page;
    DrawTrackResult result = DrawTrackOnMap(page, grid, 255, {});
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failedRow, 4);
    EXPECT_EQ(result.pointsSent, 3);
    EXPECT_EQ(page.Calls().size(), 5u);
    // The points before it are drawn, so none waits on the page for the next track.
    EXPECT_EQ(page.Calls().back(), "drawPoints(#ff0000)");
    EXPECT_NE(DrawTrackErrorText(result).find("Row 4"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
