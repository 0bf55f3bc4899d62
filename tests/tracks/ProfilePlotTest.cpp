// The profile chart's data: every point against the distance along the
// track, in either units, and thinning that keeps the peaks.

#include "tracks/ProfilePlot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "TrackFixture.h"
#include "base/NumberText.h"
#include "tracks/Geodesy.h"

namespace vantrel::testing {
namespace {

using ProfilePlotTest = TrackFixture;

// A track of `count` points going north 0.001 degree a point, with heights
// that climb to a peak of 900 m at point 777 and dip below sea level.
TrackMemoryBuilder Hill(int count) {
    TrackMemoryBuilder b;
    for (int i = 0; i < count; ++i) {
        const double height = i == 777 ? 900 : -20 + (i % 50);
        b.AddFix(1'000'000'000 + i, 45 + 0.001 * i, 7, height, static_cast<unsigned>(i % 90),
                 i == 0);
    }
    return b;
}

TEST_F(ProfilePlotTest, EveryPointAgainstTheDistanceAlongTheTrack) {
    store.Decoding.geoid = GeoidSource::None();  // heights as made, above the ellipsoid
    Assemble(Hill(1500));
    const ProfilePlot plot = PlotProfile(store.Shown(), ProfileKind::Altitude,
                                         ProfileUnits::Metric, HeightReference::MeanSeaLevel);
    EXPECT_EQ(plot.bottomAxisTitle, "Distance (km)");
    EXPECT_EQ(plot.leftAxisTitle, "Altitude (m)");
    ASSERT_EQ(plot.points.size(), 1500u);
    EXPECT_EQ(plot.points.front().x, 0);
    // The last x is the track's distance, exactly as the summary shows it.
    EXPECT_EQ(FormatFixed(plot.points.back().x, 2, '.'), SummaryOf(store.Shown(), {}, '.').kilometres);
    EXPECT_NEAR(plot.points[1].x, 0.001 * DegToRad * EarthRadiusKm, 2e-3);
    EXPECT_TRUE(std::is_sorted(plot.points.begin(), plot.points.end(),
                               [](auto& a, auto& b) { return a.x < b.x; }));
    EXPECT_NEAR(plot.points[0].y, -20, 1);  // below sea level stays below
    EXPECT_NEAR(plot.points[777].y, 900, 1);
    const ValueRange range = ProfileValueRange(plot.points);
    EXPECT_LT(range.min, -19);
    EXPECT_GT(range.max, 899);
}

TEST_F(ProfilePlotTest, ImperialGivesMilesFeetAndMilesPerHour) {
    store.Decoding.geoid = GeoidSource::None();
    Assemble(Hill(100));
    const Track* shown = store.Shown();
    const ProfilePlot feet = PlotProfile(shown, ProfileKind::Altitude, ProfileUnits::Imperial);
    EXPECT_EQ(feet.bottomAxisTitle, "Distance (mi)");
    EXPECT_EQ(feet.leftAxisTitle, "Altitude (ft)");
    EXPECT_EQ(feet.points.back().x, TrackKm(*shown) * KmToMile);
    EXPECT_EQ(FormatFixed(feet.points.back().x, 2, ','), SummaryOf(shown, {}, ',').miles);
    EXPECT_NEAR(feet.points[30].y, 10 / 0.3048, 1);  // heights from whole-metre positions
    const ProfilePlot mph = PlotProfile(shown, ProfileKind::Speed, ProfileUnits::Imperial);
    EXPECT_EQ(mph.leftAxisTitle, "Speed (mph)");
    EXPECT_NEAR(mph.points[10].y, 10 * 0.36 * KmToMile, 1e-9);
    EXPECT_EQ(PlotProfile(shown, ProfileKind::Speed, ProfileUnits::Metric).leftAxisTitle,
              "Speed (km/h)");
    EXPECT_EQ(PlotProfile(shown, ProfileKind::Altitude, ProfileUnits::Metric,
                          HeightReference::Ellipsoid)
                  .leftAxisTitle,
              "Altitude above ellipsoid (m)");
}

TEST_F(ProfilePlotTest, NoTrackPlotsNothing) {
    const ProfilePlot none = PlotProfile(nullptr, ProfileKind::Speed, ProfileUnits::Metric);
    EXPECT_TRUE(none.points.empty());
    EXPECT_EQ(none.leftAxisTitle, "Speed (km/h)");
    EXPECT_EQ(ProfileValueRange(none.points).max, 1);
}

TEST(ThinToColumns, KeepsTheEndsAndEveryColumnsPeakAndDip) {
    std::vector<ProfilePoint> points;
    for (int i = 0; i <= 100000; ++i)
        points.push_back({i * 0.01, std::sin(i * 0.001) * 100});
    points[31337].y = 5000;
    points[77777].y = -5000;
    const auto thin = ThinToColumns(points, 600);
    EXPECT_LE(thin.size(), 2u * 600 + 2);
    EXPECT_GE(thin.size(), 600u);
    EXPECT_EQ(thin.front().x, points.front().x);
    EXPECT_EQ(thin.back().x, points.back().x);
    EXPECT_TRUE(std::is_sorted(thin.begin(), thin.end(),
                               [](auto& a, auto& b) { return a.x < b.x; }));
    const auto [low, high] = std::minmax_element(
        thin.begin(), thin.end(), [](auto& a, auto& b) { return a.y < b.y; });
    EXPECT_EQ(high->y, 5000);
    EXPECT_EQ(low->y, -5000);
    // Few points, or a track that never moves: nothing is lost.
    EXPECT_EQ(ThinToColumns(std::span(points).first(1000), 600).size(), 1000u);
    std::vector<ProfilePoint> still(5000, {0, 3});
    still[2500].y = 7;
    const auto kept = ThinToColumns(still, 600);
    EXPECT_LE(kept.size(), 4u);
    EXPECT_TRUE(std::any_of(kept.begin(), kept.end(), [](auto& p) { return p.y == 7; }));
}

}  // namespace
}  // namespace vantrel::testing
