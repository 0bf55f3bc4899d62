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

TEST(DrawTrackOnMap, EmptyListSendsNothing) {
    FakeMapPage page;
    DrawTrackResult result = DrawTrackOnMap(page, PointList(0), 255, {});
    EXPECT_TRUE(page.log.empty());
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.pointsSent, 0);
}

TEST(DrawTrackOnMap, ShortTracksAreCentredAndLeaveOutTheirLastFourPoints) {
    FakeMapPage four;
    DrawTrackOnMap(four, PointList(4), 255, {});
    EXPECT_EQ(four.log,
              (std::vector<std::string>{"script: map.setCenter(new GLatLng(22.1,114.5) ,13);",
                                        "drawPoints(#ff0000)"}));

    FakeMapPage five;
    DrawTrackResult result = DrawTrackOnMap(five, PointList(5), 0xFF8000, {});
    EXPECT_EQ(five.Calls(),
              (std::vector<std::string>{"addPoints(22.100000,114.500000)", "drawPoints(#0080ff)"}));
    EXPECT_EQ(result.pointsSent, 1);
}

TEST(DrawTrackOnMap, SendsRowsOneToNMinusFourInOneBatch) {
    FakeMapPage page;
    DrawTrackResult result = DrawTrackOnMap(page, PointList(9), 255, {});
    std::vector<std::string> calls = page.Calls();
    ASSERT_EQ(calls.size(), 6u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(calls[i], "addPoints(22." + std::to_string(i + 1) + "00000,114.500000)");
    EXPECT_EQ(page.batches, 1);
    EXPECT_EQ(result.pointsSent, 5);
}

TEST(DrawTrackOnMap, StopsAtTheFirstRowWithoutTimeOrWhoseNextRowHasNone) {
    TextGrid grid = PointList(12);
    grid.SetCell(kTrackTimeColumn, 5, "");
    FakeMapPage page;
    EXPECT_EQ(DrawTrackOnMap(page, grid, 255, {}).pointsSent, 3);  // rows 1..3
}

TEST(DrawTrackOnMap, ReadsCommaCellsWithTheUsersSeparator) {
    NumberFormat comma{",", ","};
    FakeMapPage page;
    DrawTrackOnMap(page, PointList(5, ","), 255, comma);
    EXPECT_EQ(page.log.front(), "script: map.setCenter(new GLatLng(22.1,114.5) ,13);");
    EXPECT_EQ(page.Calls().front(), "addPoints(22.100000,114.500000)");
}

TEST(DrawTrackOnMap, ABadCellStopsTheDrawingThereAndIsReported) {
    TextGrid grid = PointList(10);
    grid.SetCell(kTrackLongitudeColumn, 4, "x");
    FakeMapPage page;
    DrawTrackResult result = DrawTrackOnMap(page, grid, 255, {});
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.failedRow, 4);
    EXPECT_EQ(result.pointsSent, 3);
    // The points before it are drawn, so none waits on the page for the next track.
    EXPECT_EQ(page.Calls().back(), "drawPoints(#ff0000)");
    EXPECT_NE(DrawTrackErrorText(result).find("Row 4"), std::string::npos);
}

}  // namespace
}  // namespace vantrel
