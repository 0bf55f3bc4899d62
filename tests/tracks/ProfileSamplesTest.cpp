#include "tracks/ProfileSamples.h"

#include <gtest/gtest.h>

#include "tracks/Geodesy.h"

namespace vantrel {
namespace {

TextGrid PointGrid(int points, const char* height, const char* speed) {
    TextGrid grid(5, points + 1);
    for (int row = 1; row <= points; ++row) {
        grid.SetCell(0, row, "2011/9/14  1:46:40");
        grid.SetCell(3, row, height);
        grid.SetCell(4, row, speed);
    }
    return grid;
}

TEST(ProfileSamples, AtMost332PointsArePlotted) {
    NumberFormat point;
    TextGrid grid = PointGrid(500, "35.5", "44.28");
    ProfileSamples samples = SampleAltitude(grid, ProfileUnits::Metric, point);
    EXPECT_EQ(samples[331], "35.5");
    EXPECT_EQ(samples[332], "");
    ProfilePlot plot = PlotProfile(ProfileKind::Altitude, samples, point);
    EXPECT_EQ(plot.leftAxisTitle, "Altitude");
    ASSERT_EQ(plot.points.size(), 332u);
    EXPECT_EQ(plot.points.back().x, 331);
    EXPECT_EQ(plot.points.back().label, "331");
    EXPECT_EQ(plot.points.front().label, "");  // "#.#" writes nothing for 0
    EXPECT_EQ(plot.points[5].y, 35.5);
}

TEST(ProfileSamples, ImperialGivesFeetAndMilesPerHour) {
    NumberFormat point;
    TextGrid grid = PointGrid(3, "100.0", "16.0934");
    ProfileSamples feet = SampleAltitude(grid, ProfileUnits::Imperial, point);
    EXPECT_EQ(feet[0], "328.08399");
    ProfileSamples mph = SampleSpeed(grid, ProfileUnits::Imperial, point);
    EXPECT_EQ(mph[2], FormatGeneral(16.0934 * KmToMile, '.'));
    ProfilePlot plot = PlotProfile(ProfileKind::Speed, mph, point);
    EXPECT_EQ(plot.leftAxisTitle, "Speed");
    EXPECT_NEAR(plot.points[1].y, 10.0, 1e-3);
}

TEST(ProfileSamples, DecimalCommaAndEmptyGrids) {
    NumberFormat comma{",", ","};
    TextGrid grid = PointGrid(2, "35,0", "1,5");
    ProfilePlot plot = PlotProfile(ProfileKind::Altitude,
                                   SampleAltitude(grid, ProfileUnits::Metric, comma), comma);
    ASSERT_EQ(plot.points.size(), 2u);
    EXPECT_EQ(plot.points[0].y, 35.0);
    EXPECT_EQ(SampleSpeed(grid, ProfileUnits::Imperial, comma)[0],
              FormatGeneral(1.5 * KmToMile, ','));
    // A point user reads a cell written with a comma as well.
    EXPECT_EQ(SampleAltitude(grid, ProfileUnits::Metric, NumberFormat{})[0], "35.0");
    TextGrid empty(5, 2048);
    EXPECT_TRUE(
        PlotProfile(ProfileKind::Speed, SampleSpeed(empty, ProfileUnits::Metric, comma), comma)
            .points.empty());
    EXPECT_EQ(FormatHashDotHash(2.26, '.'), "2.3");
    EXPECT_EQ(FormatHashDotHash(0.5, ','), ",5");
}

}  // namespace
}  // namespace vantrel
