#include "tracks/ProfileSamples.h"

#include <gtest/gtest.h>

#include "support/PointGrid.h"
#include "tracks/Geodesy.h"

namespace vantrel {
namespace {

using testing::PointGrid;

TEST(ProfileSamples, AtMost332PointsArePlotted) {
    const NumberFormat point;
    ProfileSamples samples =
        SampleAltitude(PointGrid(500, "35.5", "1"), ProfileUnits::Metric, point);
    EXPECT_EQ(samples[331], "35.5");
    EXPECT_EQ(samples[332], "");
    ProfilePlot plot = PlotProfile(ProfileKind::Altitude, samples, point);
    EXPECT_EQ(plot.leftAxisTitle, "Altitude");
    ASSERT_EQ(plot.points.size(), 332u);
    EXPECT_EQ(plot.points.back().x, 331);
    EXPECT_EQ(plot.points.back().label, "331");
    EXPECT_EQ(plot.points.front().label, "");  // "#.#" writes nothing for 0
    EXPECT_EQ(plot.points[5].y, 35.5);
    TextGrid empty(5, 2048);
    EXPECT_TRUE(
        PlotProfile(ProfileKind::Speed, SampleSpeed(empty, ProfileUnits::Metric, point), point)
            .points.empty());
}

TEST(ProfileSamples, ImperialGivesFeetAndMilesPerHourInTheUsersNotation) {
    const NumberFormat point;
    const NumberFormat comma{",", ","};
    TextGrid grid = PointGrid(3, "100,0", "16,0934");
    EXPECT_EQ(SampleAltitude(grid, ProfileUnits::Imperial, point)[0], "328.08399");
    EXPECT_EQ(SampleAltitude(grid, ProfileUnits::Imperial, comma)[0], "328,08399");
    ProfilePlot plot =
        PlotProfile(ProfileKind::Speed, SampleSpeed(grid, ProfileUnits::Imperial, comma), comma);
    EXPECT_EQ(plot.leftAxisTitle, "Speed");
    EXPECT_NEAR(plot.points[1].y, 16.0934 * KmToMile, 1e-9);
    // Metric keeps the cell's text, in the user's notation.
    EXPECT_EQ(SampleAltitude(grid, ProfileUnits::Metric, point)[2], "100.0");
    EXPECT_EQ(FormatHashDotHash(2.26, '.'), "2.3");
    EXPECT_EQ(FormatHashDotHash(0.5, ','), ",5");
}

}  // namespace
}  // namespace vantrel
