#include "locale/TimeZone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::ScopedEnv;

using Record = std::array<std::uint8_t, 6>;

Record RecordOf(const char* text) {
    int y, mo, d, h, mi, s;
    EXPECT_EQ(std::sscanf(text, "%d/%d/%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s), 6);
    return {std::uint8_t(y - 1900), std::uint8_t(mo), std::uint8_t(d),
            std::uint8_t(h),        std::uint8_t(mi), std::uint8_t(s)};
}

std::string TextOf(const Record& record) {
    char out[32];
    std::snprintf(out, sizeof out, "%4d/%02d/%02d %02d:%02d:%02d", record[0] + 1900, record[1],
                  record[2], record[3], record[4], record[5]);
    return out;
}

// Shifts "YYYY/MM/DD hh:mm:ss" as a record's time bytes and shows the result.
std::string Shifted(const char* text, ZoneOffset offset) {
    Record record = RecordOf(text);
    ShiftRecordTime(offset, record.data());
    return TextOf(record);
}

std::string Shifted(const char* text, int hours) {
    return Shifted(text, ZoneOffset::Hours(hours));
}

TEST(ShiftRecordTime, CarriesAndBorrowsAcrossDaysMonthsAndYears) {
    EXPECT_EQ(Shifted("2010/03/01 02:00:00", -5), "2010/02/28 21:00:00");
    EXPECT_EQ(Shifted("2010/01/01 03:00:00", -8), "2009/12/31 19:00:00");
    EXPECT_EQ(Shifted("2010/05/03 20:00:00", 8), "2010/05/04 04:00:00");
    EXPECT_EQ(Shifted("2010/12/31 20:00:00", 8), "2011/01/01 04:00:00");
    EXPECT_EQ(Shifted("2010/04/30 23:59:58", 1), "2010/05/01 00:59:58");
    EXPECT_EQ(Shifted("2010/06/15 12:34:56", 0), "2010/06/15 12:34:56");
}

TEST(ShiftRecordTime, FebruaryHasItsLeapDay) {
    EXPECT_EQ(Shifted("2012/03/01 02:00:00", -5), "2012/02/29 21:00:00");
    EXPECT_EQ(Shifted("2012/02/28 20:00:00", 8), "2012/02/29 04:00:00");
    EXPECT_EQ(Shifted("2012/02/29 20:00:00", 8), "2012/03/01 04:00:00");
    EXPECT_EQ(Shifted("2000/02/28 23:00:00", 2), "2000/02/29 01:00:00");  // every 400 years
    EXPECT_EQ(Shifted("2100/02/28 23:00:00", 2), "2100/03/01 01:00:00");  // not every 100
}

TEST(ShiftRecordTime, MinutesOfAnOffsetCarryIntoTheHourAndDay) {
    EXPECT_EQ(Shifted("2011/01/25 14:13:20", ZoneOffset{330}), "2011/01/25 19:43:20");
    EXPECT_EQ(Shifted("2011/12/31 18:45:00", ZoneOffset{345}), "2012/01/01 00:30:00");
    EXPECT_EQ(Shifted("2011/03/01 01:10:00", ZoneOffset{-210}), "2011/02/28 21:40:00");
    EXPECT_EQ(Shifted("2012/03/01 00:20:00", ZoneOffset{-30}), "2012/02/29 23:50:00");
}

// Every date a day either side of 29 February, of month ends and of the
// year's end, at every hour and the minutes that carry, goes there and back
// exactly at each offset.
TEST(ShiftRecordTime, RoundTripsThroughLeapDaysMonthEndsAndYearEndsAreExact) {
    const ZoneOffset offsets[] = {ZoneOffset::Hours(-12), ZoneOffset::Hours(-5),
                                  ZoneOffset{},           ZoneOffset{330},
                                  ZoneOffset::Hours(8),   ZoneOffset::Hours(14)};
    const char* days[] = {"2012/02/28", "2012/02/29", "2012/03/01", "2011/02/28", "2011/03/01",
                          "2010/04/30", "2010/05/01", "2010/12/31", "2011/01/01", "2000/02/29"};
    int checked = 0;
    for (ZoneOffset offset : offsets)
        for (const char* day : days)
            for (int hour = 0; hour < 24; ++hour)
                for (int minute : {0, 29, 30, 59}) {
                    char text[32];
                    std::snprintf(text, sizeof text, "%s %02d:%02d:07", day, hour, minute);
                    Record record = RecordOf(text);
                    ShiftRecordTime(offset, record.data());
                    ShiftRecordTime(-offset, record.data());
                    ASSERT_EQ(TextOf(record), text) << "offset " << offset.minutes;
                    ++checked;
                }
    EXPECT_EQ(checked, 6 * 10 * 24 * 4);
    // The leap day itself is shown and written back as the device had it.
    EXPECT_EQ(Shifted("2012/02/29 23:30:00", 8), "2012/03/01 07:30:00");
    EXPECT_EQ(Shifted("2012/03/01 07:30:00", -8), "2012/02/29 23:30:00");
}

TEST(ZoneOffset, OffsetsFromTheSystemKeepTheirMinutes) {
    EXPECT_EQ(LocalZoneOffsetFromBias(-480, false, 0), ZoneOffset::Hours(8));
    EXPECT_EQ(LocalZoneOffsetFromBias(300, true, -60), ZoneOffset::Hours(-4));
    EXPECT_EQ(LocalZoneOffsetFromBias(300, false, -60), ZoneOffset::Hours(-5));
    EXPECT_EQ(LocalZoneOffsetFromBias(-330, false, 0), ZoneOffset{330});   // India
    EXPECT_EQ(LocalZoneOffsetFromBias(210, false, 0), ZoneOffset{-210});   // Newfoundland
    EXPECT_EQ(LocalZoneOffsetFromBias(210, true, -60), ZoneOffset{-150});  // in summer
    EXPECT_EQ(LocalZoneOffsetFromBias(-345, false, 0), ZoneOffset{345});   // Nepal
}

TEST(ZoneOffset, TextsShowWholeHoursAsBeforeAndMinutesWhenThereAreAny) {
    EXPECT_EQ(ZoneText(ZoneOffset::Hours(8)), "8");
    EXPECT_EQ(ZoneText(ZoneOffset::Hours(-4)), "-4");
    EXPECT_EQ(ZoneText(ZoneOffset{}), "0");
    EXPECT_EQ(ZoneText(ZoneOffset{330}), "5:30");
    EXPECT_EQ(ZoneText(ZoneOffset{-210}), "-3:30");
    EXPECT_EQ(ZoneText(ZoneOffset{-30}), "-0:30");
    EXPECT_EQ(IsoOffsetText(ZoneOffset{345}), "+05:45");
    EXPECT_EQ(IsoOffsetText(ZoneOffset{-210}), "-03:30");
    EXPECT_EQ(IsoOffsetText(ZoneOffset{}), "+00:00");
    EXPECT_EQ(IsoOffsetText(ZoneOffset::Hours(-12)), "-12:00");
}

TEST(ZoneOffset, ParsesHoursAndHoursWithMinutes) {
    const std::pair<const char*, int> good[] = {{"8", 480},      {"+8", 480},     {"-5", -300},
                                                {"+0", 0},       {" 3 ", 180},    {"5:30", 330},
                                                {"+05:30", 330}, {"-3:30", -210}, {"+5:45", 345},
                                                {"-0:30", -30},  {"+14", 840},    {"-12", -720}};
    for (const auto& [text, minutes] : good) {
        ASSERT_TRUE(ParseZoneOffset(text).has_value()) << text;
        EXPECT_EQ(ParseZoneOffset(text)->minutes, minutes) << text;
    }
    for (const char* bad : {"", "+", "abc", "3.5", "24", "99", "8x", "5:3", "5:60", "5:300", ":30",
                            "+-5", "5:30:00", "123", "15", "-13", "14:01", "-12:30", "23:59"})
        EXPECT_EQ(ParseZoneOffset(bad), std::nullopt) << bad;
    // Every item the choosers offer is an offset, from -12 up to +14 in order.
    const auto items = ZoneChooserItems();
    EXPECT_EQ(items.front(), "-12");
    EXPECT_EQ(items.back(), "+14");
    int previous = -24 * 60;
    for (const auto& item : items) {
        auto zone = ParseZoneOffset(item);
        ASSERT_TRUE(zone) << item;
        EXPECT_GT(zone->minutes, previous) << item;
        previous = zone->minutes;
    }
    for (const char* item : {"+0", "+8", "-5", "+5:30", "+5:45", "-3:30", "-9:30"})
        EXPECT_NE(std::find(items.begin(), items.end(), item), items.end()) << item;
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
    for (const auto& [tz, minutes] :
         {std::pair{"CST-8", 480}, {"IST-5:30", 330}, {"NPT-5:45", 345}, {"UTC0", 0}}) {
        ScopedEnv zone("TZ", tz);
        EXPECT_EQ(SystemLocalZoneOffset().minutes, minutes) << tz;
    }
    ::tzset();
}

TEST(comboTimeZoneChange, BothChoosersFollowAnOffsetAndIgnoreOtherText) {
    UiTexts texts;
    ZoneOffset zone;
    testing::RecordingMessages messages;
    EXPECT_TRUE(comboTimeZoneChange("-5", texts, zone, messages));
    EXPECT_TRUE(comboTimeZoneChange("+5:30", texts, zone, messages));
    EXPECT_EQ(zone, ZoneOffset{330});
    EXPECT_EQ(texts.Text("comboTimeZone", SlotKind::Text), "+5:30");
    EXPECT_EQ(texts.Text("comboTimeZoneTrk", SlotKind::Text), "+5:30");
    EXPECT_TRUE(messages.shown.empty());
    for (const char* bad : {"abc", "", "+", "3.5", "99", "8x"}) {
        EXPECT_FALSE(comboTimeZoneChange(bad, texts, zone, messages)) << bad;
        EXPECT_EQ(zone, ZoneOffset{330});
        EXPECT_EQ(texts.Text("comboTimeZone", SlotKind::Text), "+5:30");
        EXPECT_EQ(texts.Text("comboTimeZoneTrk", SlotKind::Text), "+5:30");
    }
    ASSERT_EQ(messages.shown.size(), 6u);
    EXPECT_EQ(messages.shown[0].text, "'abc' is not a valid time zone offset");
    EXPECT_EQ(messages.shown[0].caption, "Error");
}

}  // namespace
}  // namespace vantrel
