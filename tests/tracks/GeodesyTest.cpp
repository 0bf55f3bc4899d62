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
    GeodeticFix north = Convert(0, 0, 6356852.0);
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
        GeodeticFix fix = Convert(p * std::cos(0.3), p * std::sin(0.3), 0);
        EXPECT_EQ(fix.latitude, 0) << p;
        EXPECT_NEAR(fix.height, p - kA, 1e-6) << p;
        EXPECT_NEAR(fix.longitude, 0.3, 1e-15);
    }
}

TEST(Geodesy, FortyFiveNorthRoundTrip) {
    const auto p = testing::GeodeticToEcefExact(45, 135, 100);
    GeodeticFix fix = Convert(p[0], p[1], p[2]);
    EXPECT_NEAR(fix.latitude * 180 / std::numbers::pi, 45.0, 1e-12);
    EXPECT_NEAR(fix.longitude * 180 / std::numbers::pi, 135.0, 1e-12);
    EXPECT_NEAR(fix.height, 100.0, 0.002);
    EXPECT_NEAR(fix.latitude * RadToDeg, 45.0, 1e-12);
    EXPECT_NEAR(fix.longitude * RadToDeg, 135.0, 1e-12);
}

// Every day from the year 0 to the 28th century, before and after the GPS epoch.
TEST(Geodesy, CivilDatesAreThoseOfTheGregorianCalendar) {
    using namespace std::chrono;
    const sys_days epoch = sys_days{year{1980} / January / 6};
    for (std::int64_t g = 0; g < 1'000'000; ++g) {
        const year_month_day want{epoch + days{g - kGpsEpochDayNumber}};
        const CivilDate got = CivilFromDayNumber(g);
        ASSERT_EQ(got.year, int(want.year())) << g;
        ASSERT_EQ(got.month, int(unsigned(want.month()))) << g;
        ASSERT_EQ(got.day, int(unsigned(want.day()))) << g;
    }
}

TEST(Geodesy, GpsToCalendarAgreesWithAnIndependentCalendar) {
    CalendarTime t{};
    GpsToCalendar(0, 0, t);
    EXPECT_EQ(std::tie(t.year, t.month, t.day, t.hour), std::tuple(80, 1, 6, 0));
    GpsToCalendar(630720000, 0, t);  // 7300 days
    EXPECT_EQ(std::tie(t.year, t.month, t.day, t.hour), std::tuple(100, 1, 1, 0));
    // Every month end from 1980 to 2155 and the second after it.
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
    put(1, EncodeTrackRecord(5, {1, 2, 3}, 0, false), 1);      // a wrong checksum
    put(2, EncodeTrackRecord(0, {0, 0, 6356852}, 0, false));   // a zero coordinate is converted too
    put(16, EncodeTrackRecord(0, {0, 0, 6356852}, 0, false));  // beyond the first 16
    TextGrid grid(5, 20);
    CalcSelfTest(area, AppValues{}, LeapSecondTable::BuiltIn(), grid);
    EXPECT_EQ(grid.Cell(0, 0), "Time");
    EXPECT_EQ(grid.Cell(0, 1), "2011/9/14  1:46:25");  // UTC: 15 s less than GPS time
    EXPECT_NEAR(std::stod(grid.Cell(1, 1)), 45.000001, 5e-7);  // default float-to-text
    EXPECT_GT(grid.Cell(1, 1).size(), 12u);
    EXPECT_TRUE(grid.IsEmpty(0, 2));
    EXPECT_EQ(grid.Cell(1, 3), FormatGeneral(1.570796326795 * 180 / std::numbers::pi, '.'));
    EXPECT_TRUE(grid.IsEmpty(0, 4));                // zero bytes: a checksum of 0 is not taken
    EXPECT_TRUE(grid.IsEmpty(0, 17));
}

}  // namespace
}  // namespace vantrel
