// A track's figures on small tracks worked out by hand: points walked due
// north along the prime meridian, where the distance is the sphere's radius
// times the change of latitude, so every leg is a whole number of metres.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "tracks/Geodesy.h"
#include "tracks/TrackStatistics.h"
#include "tracks/TrackStatisticsText.h"

namespace vantrel {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

struct Fix {
    int second;     // from the start
    double northM;  // metres north of the start
    double altitude = 100;
    double speedKmh = 0;
};

std::vector<TrackPoint> Walk(const std::vector<Fix>& fixes) {
    const Seconds start = std::chrono::sys_days{std::chrono::year{2024} / 6 / 1};
    std::vector<TrackPoint> points;
    for (const Fix& f : fixes)
        points.push_back({start + std::chrono::seconds{f.second},
                          f.northM / (EarthRadiusKm * 1000) * RadToDeg, 0, f.altitude, f.speedKmh});
    return points;
}

TEST(TrackStatistics, TimesDistanceAndSpeeds) {
    struct Case {
        const char* name;
        std::vector<Fix> fixes;
        std::int64_t seconds, moving;
        double km;
        std::optional<double> meanKmh, movingKmh;
        double topKmh;
    };
    const Case cases[] = {
        // 15 m every 10 s is 5.4 km/h throughout.
        {"a steady walk",
         {{0, 0, 100, 5}, {10, 15, 100, 5.5}, {20, 30, 100, 5.4}, {30, 45, 100, 5}},
         30,
         30,
         0.045,
         5.4,
         5.4,
         5.5},
        // A minute standing still counts for the mean speed, not the moving speed.
        {"a pause", {{0, 0}, {10, 15}, {70, 15}, {80, 30}}, 80, 20, 0.030, 1.35, 5.4, 0},
        // 40 m in 100 s is 1.44 km/h: below the walking pace that counts as moving.
        {"a drift below 1.8 km/h", {{0, 0}, {100, 40}}, 100, 0, 0.040, 1.44, std::nullopt, 0},
        // A clock that runs back 5 s adds no time; the legs still add distance.
        {"backward times", {{0, 0}, {10, 15}, {5, 30}, {15, 45}}, 20, 20, 0.045, 8.1, 8.1, 0},
        {"a repeated time", {{0, 0}, {10, 15}, {10, 30}}, 10, 10, 0.030, 10.8, 10.8, 0},
        // The top speed is what the device logged, however the points lie.
        {"a logged top speed",
         {{0, 0, 100, 3}, {10, 15, 100, 9.5}, {20, 20, 100, 7}},
         20,
         10,
         0.020,
         3.6,
         7.2,
         9.5},
        {"one point", {{0, 0, 100, 4}}, 0, 0, 0, std::nullopt, std::nullopt, 4},
        {"no points", {}, 0, 0, 0, std::nullopt, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TrackStatistics stats = StatisticsOf(Walk(c.fixes));
        EXPECT_EQ(stats.points, c.fixes.size());
        EXPECT_EQ(stats.seconds, c.seconds);
        EXPECT_EQ(stats.movingSeconds, c.moving);
        EXPECT_NEAR(stats.km, c.km, 1e-9);
        EXPECT_EQ(stats.MeanKmh().has_value(), c.meanKmh.has_value());
        EXPECT_NEAR(stats.MeanKmh().value_or(0), c.meanKmh.value_or(0), 1e-6);
        EXPECT_EQ(stats.MovingKmh().has_value(), c.movingKmh.has_value());
        EXPECT_NEAR(stats.MovingKmh().value_or(0), c.movingKmh.value_or(0), 1e-6);
        EXPECT_EQ(stats.topKmh, c.topKmh);
    }
}

TEST(TrackStatistics, AscentAndDescentCountRisesOfFiveMetres) {
    struct Case {
        const char* name;
        std::vector<double> altitudes;
        double ascent, descent, lowest, highest;
    };
    std::vector<double> climb;  // 100 m up, one metre a point
    for (int m = 100; m <= 200; ++m)
        climb.push_back(m);
    const Case cases[] = {
        {"equal altitudes", {100, 100, 100}, 0, 0, 100, 100},
        // Every change stays within 5 m of the first altitude.
        {"noise below the threshold", {100, 103, 98, 102, 99, 104}, 0, 0, 98, 104},
        {"a long climb", climb, 100, 0, 100, 200},
        // Each step that counts becomes the new reference; the last 4 m do not count.
        {"up and down", {100, 110, 104, 96, 100}, 10, 14, 96, 110},
        {"exactly five metres", {100, 105, 100}, 5, 5, 100, 105},
        // Rises of 4 m from the last reference add up once they reach 5 m.
        {"steps of four", {100, 104, 108, 112, 116, 120}, 16, 0, 100, 120},
        {"missing altitudes", {kNone, 100, kNone, 110}, 10, 0, 100, 110},
        {"below sea level", {-20, -30, -24}, 6, 10, -30, -20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Fix> fixes;
        for (double altitude : c.altitudes)
            fixes.push_back({int(fixes.size()), 0, altitude});
        const auto stats = StatisticsOf(Walk(fixes)).altitude;
        ASSERT_TRUE(stats.has_value());
        EXPECT_DOUBLE_EQ(stats->ascentM, c.ascent);
        EXPECT_DOUBLE_EQ(stats->descentM, c.descent);
        EXPECT_EQ(stats->lowestM, c.lowest);
        EXPECT_EQ(stats->highestM, c.highest);
    }
    EXPECT_FALSE(StatisticsOf(Walk({{0, 0, kNone}, {10, 15, kNone}})).altitude.has_value());
}

// The CSV has its header, UTC times, a decimal point and empty fields for
// figures a track lacks; the window's lines follow the units.
TEST(TrackStatistics, TheTextsCarryEveryFigure) {
    Tracks tracks = {Track{"Walk, north", 255, 1, true, Walk({{0, 0, 100, 5}, {10, 15, 106, 5.5}})},
                     Track{"Still", 255, 1, true, Walk({{0, 0, kNone}})}};
    EXPECT_EQ(StatisticsCsvText(tracks),
              "track,points,start,end,duration_s,moving_s,km,ascent_m,descent_m,min_alt_m,"
              "max_alt_m,top_kmh,mean_kmh,moving_kmh\r\n"
              "\"Walk, north\",2,2024-06-01T00:00:00Z,2024-06-01T00:00:10Z,10,10,0.015,6.0,0.0,"
              "100.0,106.0,5.50,5.40,5.40\r\n"
              "Still,1,2024-06-01T00:00:00Z,2024-06-01T00:00:00Z,0,0,0.000,,,,,0.00,,\r\n");

    const TrackStatistics stats = StatisticsOf(tracks[0]);
    const std::vector<StatisticsLine> imperial = {
        {"Distance", "0,01 mi"},   {"Time", "0:00:10"},         {"Moving time", "0:00:10"},
        {"Mean speed", "3,4 mph"}, {"Moving speed", "3,4 mph"}, {"Top speed", "3,4 mph"},
        {"Ascent", "20 ft"},       {"Descent", "0 ft"},         {"Lowest", "328,1 ft"},
        {"Highest", "347,8 ft"}};
    EXPECT_EQ(StatisticsLines(stats, ProfileUnits::Imperial, ',', true), imperial);
    const auto metric = StatisticsLines(StatisticsOf(tracks[1]), ProfileUnits::Metric, '.');
    ASSERT_EQ(metric.size(), 8u);
    EXPECT_EQ(metric[1], (StatisticsLine{"Mean speed", ""}));
    EXPECT_EQ(metric[4], (StatisticsLine{"Ascent", ""}));
}

}  // namespace
}  // namespace vantrel
