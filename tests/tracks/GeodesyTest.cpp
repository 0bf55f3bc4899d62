#include "tracks/Geodesy.h"

#include <gtest/gtest.h>

#include <chrono>

#include <cmath>
#include <limits>
#include <numbers>
#include <tuple>

#include "support/TrackMemoryBuilder.h"
#include "tracks/CalcSelfTest.h"
#include "tracks/LeapSeconds.h"
#include "base/TransferArea.h"

namespace vantrel {
namespace {

constexpr double kA = 6378137.0;
constexpr double kHalfPi = 1.570796326795;

GeodeticPosition Convert(double x, double y, double z) {
    return EcefToPosition(x, y, z);
}

TEST(Geodesy, TablesAndTableSinCos) {
    EXPECT_EQ(RadToDeg, 180 / std::numbers::pi);
    EXPECT_EQ(sinTable[1], 0.0624593178);
    EXPECT_EQ(cosTable[1], 0.998047511);
    for (int k = 0; k < 102; ++k)
        EXPECT_NEAR(sinTable[k], std::sin(k / 16.0), 5e-9 * std::max(1e-2, std::fabs(sinTable[k])));
    // The short series over the nine-digit tables stays within nanoradians.
    for (double x = -6.37; x < 6.375; x += 0.000731) {
        double s = 0, c = 0;
        TableSinCos(x, s, c);
        ASSERT_NEAR(s, std::sin(x), 1e-8) << x;
        ASSERT_NEAR(c, std::cos(x), 1e-8) << x;
    }
}

TEST(Geodesy, PolarBranchAndEquatorialPlane) {
    const double f = 1 / 298.257223563;
    const double polarHeight = kA * std::sqrt(1 - static_cast<float>(2 * f - f * f));
    GeodeticPosition north = Convert(0, 0, 6356852.0);
    EXPECT_EQ(north.latitude, kHalfPi);
    EXPECT_EQ(north.longitude, 0);
    EXPECT_DOUBLE_EQ(north.height, 6356852.0 - polarHeight);
    EXPECT_EQ(Convert(0.5, 0.5, -6356000).latitude, -kHalfPi);
    EXPECT_EQ(Convert(0, 0, 0).latitude, kHalfPi);  // z = 0 counts as north
    // 6,000,000 m from the centre, on the equator: still the polar branch.
    EXPECT_DOUBLE_EQ(Convert(6e6, 0, 0).height, -polarHeight);
    // On the equatorial plane: latitude 0 and height p - a, also inside the
    // ellipsoid where the cubic has no real root.
    for (double p : {kA, kA + 1234.5, 7e6, 6.35e6}) {
        GeodeticPosition fix = Convert(p * std::cos(0.3), p * std::sin(0.3), 0);
        EXPECT_EQ(fix.latitude, 0) << p;
        EXPECT_NEAR(fix.height, p - kA, 1e-6) << p;
        EXPECT_NEAR(fix.longitude, 0.3, 1e-15);
    }
}

TEST(Geodesy, FortyFiveNorthRoundTrip) {
    const auto p = testing::GeodeticToEcefExact(45, 135, 100);
    GeodeticPosition fix = Convert(p[0], p[1], p[2]);
    EXPECT_NEAR(fix.latitude * 180 / std::numbers::pi, 45.0, 1e-12);
    EXPECT_NEAR(fix.longitude * 180 / std::numbers::pi, 135.0, 1e-12);
    EXPECT_NEAR(fix.height, 100.0, 0.002);
    EXPECT_NEAR(fix.latitude * RadToDeg, 45.0, 1e-12);
    EXPECT_NEAR(fix.longitude * RadToDeg, 135.0, 1e-12);
}

TEST(Geodesy, GreatCircleDistance) {
    const double deg = std::numbers::pi / 180;
    EXPECT_NEAR(GreatCircleKm(10 * deg, 46 * deg, 10 * deg, 45 * deg), 6378.137 * deg, 1e-9);
    // The equator and the prime meridian are places like any other.
    EXPECT_NEAR(GreatCircleKm(0, 1 * deg, 0, 0), 6378.137 * deg, 1e-9);
    EXPECT_NEAR(GreatCircleKm(1 * deg, 0, 0, 0), 6378.137 * deg, 1e-9);
    EXPECT_NEAR(GreatCircleKm(0.5 * deg, 0, -0.5 * deg, 0), 6378.137 * deg, 1e-9);
    EXPECT_NEAR(GreatCircleKm(0, 90 * deg, 0, -90 * deg), 6378.137 * std::numbers::pi, 1e-9);
}

TEST(Geodesy, CalcSelfTestConvertsTheFirstSixteenValidRecords) {
    using namespace vantrel::testing;
    TransferArea area;
    auto put = [&](int slot, TrackRecordBytes r, std::uint8_t spoil = 0) {
        r[18] ^= spoil;
        std::copy(r.begin(), r.end(), area.bytes.begin() + slot * 20);
    };
    put(0, EncodeTrackRecord(1'000'000'000, {-3194469, 3194469, 4487419}, 123, true));
    put(1, EncodeTrackRecord(5, {1, 2, 3}, 0, false), 1);  // a wrong checksum
    put(2, EncodeTrackRecord(1'000'000'002, {0, 0, 6356852}, 0, false));  // on the axis
    for (int slot = 3; slot < 17; ++slot)
        put(slot, EncodeTrackRecord(1'000'000'000 + slot, {4000000, 1, 4000000}, 0, false));
    area.TransferLength = area.bytes.size();
    TrackDecoding decoding;
    decoding.leaps = LeapSecondTable::BuiltIn();
    const Track points = CalcSelfTest(area.Valid(), decoding);
    ASSERT_EQ(points.points.size(), 15u);  // slots 0, 2 to 15
    EXPECT_EQ(IsoTimeText(points.points[0].time), "2011-09-14T01:46:25Z");  // 15 s less than GPS
    EXPECT_NEAR(points.points[0].latitude, 45.000001, 5e-7);
    EXPECT_DOUBLE_EQ(points.points[1].latitude, kHalfPi * 180 / std::numbers::pi);
}

}  // namespace
}  // namespace vantrel
