#include "tracks/Geodesy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "support/TrackMemoryBuilder.h"
#include "tracks/CalcSelfTest.h"

namespace vantrel {
namespace {

constexpr double kA = 6378137.0;
constexpr double kHalfPi = 1.570796326795;

GeodeticFix Convert(double x, double y, double z) {
    GeodeticFix fix{};
    LatLonTrig trig{};
    EcefToGeodetic({x, y, z, 0, 0, 0}, fix, trig);
    return fix;
}

// Days from 1970-01-01 of a proleptic Gregorian date, computed by eras.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

TEST(Geodesy, ConstantsAndTables) {
    EXPECT_DOUBLE_EQ(RadToDeg, 57.295827908797776);  // 180/3.14159, not 180/pi
    EXPECT_DOUBLE_EQ(KmToMile, 0.6213881811967936);
    EXPECT_EQ(sinTable[1], 0.0624593178);
    EXPECT_EQ(cosTable[1], 0.998047511);
    for (int k = 0; k < 102; ++k) {
        EXPECT_NEAR(sinTable[k], std::sin(k / 16.0), 5e-9 * std::max(1e-2, std::fabs(sinTable[k])));
        EXPECT_NEAR(cosTable[k], std::cos(k / 16.0), 5e-9 * std::max(1e-2, std::fabs(cosTable[k])));
    }
}

TEST(Geodesy, TableSinCosStaysWithinNanoradiansOfTheLibrary) {
    for (double x = -6.37; x < 6.375; x += 0.000731) {
        double s = 0, c = 0;
        TableSinCos(x, s, c);
        ASSERT_NEAR(s, std::sin(x), 1e-8) << x;
        ASSERT_NEAR(c, std::cos(x), 1e-8) << x;
    }
}

TEST(Geodesy, AxisAndImplausiblePointsTakeThePolarBranch) {
    const double polarHeight = [] {
        const double f = 1 / 298.257223563;
        return kA * std::sqrt(1 - static_cast<float>(2 * f - f * f));
    }();
    GeodeticFix north = Convert(0, 0, 6356852.0);
    EXPECT_EQ(north.latitude, kHalfPi);
    EXPECT_EQ(north.longitude, 0);
    EXPECT_DOUBLE_EQ(north.height, 6356852.0 - polarHeight);
    EXPECT_EQ(Convert(0.5, 0.5, -6356000).latitude, -kHalfPi);
    EXPECT_EQ(Convert(0, 0, 0).latitude, kHalfPi);  // z = 0 counts as north
    // 6,000,000 m from the centre, on the equator: still the polar branch.
    GeodeticFix inside = Convert(6e6, 0, 0);
    EXPECT_EQ(inside.latitude, kHalfPi);
    EXPECT_DOUBLE_EQ(inside.height, -polarHeight);
}

TEST(Geodesy, EquatorialPlaneGivesLatitudeZeroAndHeightAboveA) {
    for (double p : {kA, kA + 1234.5, 7e6}) {
        GeodeticFix fix = Convert(p * std::cos(0.3), p * std::sin(0.3), 0);
        EXPECT_EQ(fix.latitude, 0) << p;
        EXPECT_NEAR(fix.height, p - kA, 1e-6) << p;
        EXPECT_NEAR(fix.longitude, 0.3, 1e-15);
    }
    // Inside the ellipsoid on the equatorial plane the cubic has no real
    // root; the result is still latitude 0 and height p - a.
    GeodeticFix inside = Convert(6.35e6, 0, 0);
    EXPECT_EQ(inside.latitude, 0);
    EXPECT_NEAR(inside.height, 6.35e6 - kA, 1e-6);
}

TEST(Geodesy, FortyFiveNorthRoundTrip) {
    const double lat = std::numbers::pi / 4;
    const double lon = 3 * std::numbers::pi / 4;
    const double f = 1 / 298.257223563;
    const double e2 = 2 * f - f * f;
    const double n = kA / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
    GeodeticFix fix =
        Convert((n + 100) * std::cos(lat) * std::cos(lon),
                (n + 100) * std::cos(lat) * std::sin(lon), (n * (1 - e2) + 100) * std::sin(lat));
    EXPECT_NEAR(fix.latitude * 180 / std::numbers::pi, 45.0, 1e-12);
    EXPECT_NEAR(fix.longitude * 180 / std::numbers::pi, 135.0, 1e-12);
    EXPECT_NEAR(fix.height, 100.0, 0.002);
    // The displayed factor reads about 8.4e-7 high.
    EXPECT_NEAR(fix.latitude * RadToDeg / 45.0 - 1, 8.4e-7, 0.1e-7);
}

TEST(Geodesy, DatumTransformIsTheIdentityForWgs84AndRotatesOtherwise) {
    EcefState in{-3194469, 3194469, 4487419, 1, 2, 3};
    EcefState out{};
    DatumTransform(in, out);
    EXPECT_EQ(out.x, in.x);
    EXPECT_EQ(out.z, in.z);
    EXPECT_EQ(out.vy, in.vy);
    DatumParameters shifted = Wgs84Datum;
    shifted.dx = 10;
    shifted.rz = 1e-6f;
    DatumTransform(in, out, shifted);
    EXPECT_NEAR(out.x, in.x + 1e-6 * in.y + 10, 1e-6);
    EXPECT_NEAR(out.y, in.y - 1e-6 * in.x, 1e-6);
    EXPECT_NEAR(out.vx, in.vx + 1e-6 * in.vy, 1e-9);  // velocities are not translated
}

TEST(Geodesy, GpsToCalendarAtTheEpochAndAtTwoThousand) {
    CalendarTime t{};
    EXPECT_TRUE(GpsToCalendar(0, 0, t));
    EXPECT_EQ(t.year, 80);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 6);
    EXPECT_EQ(t.hour + t.minute + t.second, 0);
    GpsToCalendar(630720000, 0, t);
    EXPECT_EQ(t.year, 100);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour + t.minute + t.second, 0);
    UtcParameters off{};
    off.tot = -1;
    EXPECT_FALSE(GpsToCalendar(0, 0, t, off));
}

TEST(Geodesy, EveryMonthEndAgreesWithAnIndependentCalendar) {
    const std::int64_t epoch = DaysFromCivil(1980, 1, 6);
    for (std::int64_t year = 1980; year <= 2155; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const std::int64_t nextFirst =
                month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, month + 1, 1);
            const std::int64_t lastDay = nextFirst - 1 - epoch;
            const int expectedDay = static_cast<int>(nextFirst - DaysFromCivil(year, month, 1));
            if (lastDay < 0) continue;
            CivilDate date = CivilFromDayNumber(kGpsEpochDayNumber + lastDay);
            ASSERT_EQ(date.year, year);
            ASSERT_EQ(date.month, month);
            ASSERT_EQ(date.day, expectedDay);
            // The 32-bit seconds reach into 2116: there the whole conversion is checked.
            const std::int64_t lastSecond = lastDay * 86400 + 86399;
            if (lastSecond + 1 > std::numeric_limits<std::uint32_t>::max()) continue;
            CalendarTime t{};
            GpsToCalendar(static_cast<std::uint32_t>(lastSecond), 0, t);
            ASSERT_EQ(t.year, (year - 1900) % 256);
            ASSERT_EQ(t.month, month);
            ASSERT_EQ(t.day, expectedDay);
            ASSERT_EQ(t.hour * 3600 + t.minute * 60 + t.second, 86399);
            GpsToCalendar(static_cast<std::uint32_t>(lastSecond + 1), 0, t);
            ASSERT_EQ(t.day, 1);
            ASSERT_EQ(t.month, month % 12 + 1);
        }
    }
}

TEST(Geodesy, GreatCircleDistance) {
    const double deg = std::numbers::pi / 180;
    EXPECT_NEAR(GreatCircleKm(10 * deg, 46 * deg, 10 * deg, 45 * deg), 6378.137 * deg, 1e-9);
    // No previous point yet: a far point adds nothing.
    EXPECT_EQ(GreatCircleKm(1, 1, 0, 0.5), 0);
    EXPECT_EQ(GreatCircleKm(1, 1, 0.5, 0), 0);
    EXPECT_NEAR(GreatCircleKm(0.1, 0.2, 0.1 + std::numbers::pi, -0.2), std::numbers::pi * 6378.137,
                1e-6);
}

TEST(Geodesy, CalcSelfTestConvertsTheFirstSixteenValidRecords) {
    using namespace vantrel::testing;
    TransferArea area;
    auto put = [&](int slot, const RecordBytes& r) {
        std::copy(r.begin(), r.end(), area.bytes.begin() + slot * 20);
    };
    put(0, EncodeRecord(1'000'000'000, {-3194469, 3194469, 4487419}, 123, true));
    RecordBytes bad = EncodeRecord(5, {1, 2, 3}, 0, false);
    bad[18] ^= 1;
    put(1, bad);
    put(2, EncodeRecord(0, {0, 0, 6356852}, 0, false));   // a zero coordinate is converted too
    put(16, EncodeRecord(0, {0, 0, 6356852}, 0, false));  // beyond the first 16
    AppValues values;
    TextGrid grid(5, 20);
    CalcSelfTest(area, values, grid);
    EXPECT_EQ(grid.Cell(0, 0), "Time");
    EXPECT_EQ(grid.Cell(0, 1), "2011/9/14  1:46:40");
    EXPECT_EQ(grid.Cell(1, 1).substr(0, 10), "45.0000385");  // default float-to-text
    EXPECT_TRUE(grid.IsEmpty(0, 2));
    EXPECT_EQ(grid.Cell(0, 3), "1980/1/6  0:0:0");
    EXPECT_EQ(grid.Cell(1, 3), "90.000076019818");  // 1.570796326795 times 180/3.14159
    // Zero bytes have a checksum of 0: not converted.
    EXPECT_TRUE(grid.IsEmpty(0, 4));
    EXPECT_TRUE(grid.IsEmpty(0, 17));
}

}  // namespace
}  // namespace vantrel
