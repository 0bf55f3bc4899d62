#include "locale/TimeZone.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::ScopedEnv;

// Shifts "YYYY/MM/DD hh:mm:ss" as a record's time bytes and shows the result.
std::string Shifted(const char* text, int offset) {
    int y, mo, d, h, mi, s;
    EXPECT_EQ(std::sscanf(text, "%d/%d/%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
    std::array<std::uint8_t, 6> record{std::uint8_t(y - 1900), std::uint8_t(mo), std::uint8_t(d),
                                       std::uint8_t(h),        std::uint8_t(mi), std::uint8_t(s)};
    ShiftRecordTime(offset, record.data());
    char out[32];
    std::snprintf(out, sizeof out, "%4d/%02d/%02d %02d:%02d:%02d", record[0] + 1900, record[1],
                  record[2], record[3], record[4], record[5]);
    return out;
}

TEST(ShiftRecordTime, CarriesAndBorrowsAcrossDaysMonthsAndYears) {
    EXPECT_EQ(Shifted("2010/03/01 02:00:00", -5), "2010/02/28 21:00:00");
    EXPECT_EQ(Shifted("2010/01/01 03:00:00", -8), "2009/12/31 19:00:00");
    EXPECT_EQ(Shifted("2010/05/03 20:00:00", 8), "2010/05/04 04:00:00");
    EXPECT_EQ(Shifted("2010/12/31 20:00:00", 8), "2011/01/01 04:00:00");
    EXPECT_EQ(Shifted("2010/04/30 23:59:58", 1), "2010/05/01 00:59:58");
    EXPECT_EQ(Shifted("2010/06/15 12:34:56", 0), "2010/06/15 12:34:56");
}

TEST(ShiftRecordTime, FebruaryAlwaysHas28Days) {
    // The leap day of 2012 does not exist for the shift in either direction.
    EXPECT_EQ(Shifted("2012/03/01 02:00:00", -5), "2012/02/28 21:00:00");
    EXPECT_EQ(Shifted("2012/02/28 20:00:00", 8), "2012/03/01 04:00:00");
}

TEST(LocalZoneHours, WholeHoursFromBiasAndDaylight) {
    EXPECT_EQ(LocalZoneHoursFromBias(-480, false, 0), 8);
    EXPECT_EQ(LocalZoneHoursFromBias(300, true, -60), -4);
    EXPECT_EQ(LocalZoneHoursFromBias(300, false, -60), -5);
    EXPECT_EQ(LocalZoneHoursFromBias(-330, false, 0), 5);   // the half hour is dropped
    EXPECT_EQ(LocalZoneHoursFromBias(210, false, 0), -3);   // truncated toward zero
    EXPECT_EQ(LocalZoneHoursFromBias(210, true, -60), -2);  // Newfoundland in summer
    EXPECT_EQ(ZoneHoursText(8), "8");
    EXPECT_EQ(ZoneHoursText(-4), "-4");
}

TEST(SystemZone, ReadsBiasAndDaylightFromTheLocalZone) {
    std::time_t july = 1720000000;     // 2024-07-03 UTC
    std::time_t january = 1704800000;  // 2024-01-09 UTC
    struct Case {
        const char* tz;
        std::time_t when;
        ZoneBias expected;
    };
    for (const auto& [tz, when, expected] :
         {Case{"CST-8", july, {-480, false, 0}},
          Case{"EST5EDT,M3.2.0,M11.1.0", july, {300, true, -60}},
          Case{"EST5EDT,M3.2.0,M11.1.0", january, {300, false, -60}},
          Case{"IST-5:30", july, {-330, false, 0}}}) {
        ScopedEnv zone("TZ", tz);
        auto read = ReadSystemZone(when);
        ASSERT_TRUE(read) << tz;
        EXPECT_EQ(read->bias, expected.bias) << tz;
        EXPECT_EQ(read->daylight, expected.daylight) << tz;
        EXPECT_EQ(read->daylightBias, expected.daylightBias) << tz;
    }
    ::tzset();
}

TEST(SystemZone, TheSystemOffsetFollowsTheZoneReader) {
    for (const auto& [tz, hours] : {std::pair{"CST-8", 8}, {"IST-5:30", 5}, {"UTC0", 0}}) {
        ScopedEnv zone("TZ", tz);
        EXPECT_EQ(SystemLocalZoneHours(), hours) << tz;
    }
    ::tzset();
}

TEST(comboTimeZoneChange, BothChoosersFollowAnOffsetAndIgnoreOtherText) {
    TimeZoneChoosers choosers;
    int hours = 0;
    testing::RecordingMessages messages;
    EXPECT_TRUE(comboTimeZoneChange("-5", choosers, hours, messages));
    EXPECT_TRUE(comboTimeZoneChange("+3", choosers, hours, messages));
    EXPECT_EQ(hours, 3);
    EXPECT_EQ(choosers.comboTimeZone, "+3");
    EXPECT_EQ(choosers.comboTimeZoneTrk, "+3");
    EXPECT_TRUE(messages.shown.empty());
    for (const char* bad : {"abc", "", "+", "3.5", "99", "8x"}) {
        EXPECT_FALSE(comboTimeZoneChange(bad, choosers, hours, messages)) << bad;
        EXPECT_EQ(hours, 3);
        EXPECT_EQ(choosers.comboTimeZone, "+3");
        EXPECT_EQ(choosers.comboTimeZoneTrk, "+3");
    }
    ASSERT_EQ(messages.shown.size(), 6u);
    EXPECT_EQ(messages.shown[0].text, "'abc' is not a valid time zone offset");
    EXPECT_EQ(messages.shown[0].caption, "Error");
}

}  // namespace
}  // namespace vantrel
