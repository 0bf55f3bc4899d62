// Zone rules read from the system's tzdata give the offset the C library
// gives for the same zone at every moment, the years past a TZif file's
// table included; wall-clock readings in the hours a change skips or
// repeats resolve as documented; damaged rules are refused.

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>

#include "locale/ZoneRules.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using namespace std::chrono;

Seconds At(int y, int mo, int d, int h, int mi, int s = 0) {
    return *CalendarSeconds(y, mo, d, h, mi, s);
}

int LibcOffset(Seconds t) {
    const std::time_t when = t.time_since_epoch().count();
    std::tm local{};
    ::localtime_r(&when, &local);
    return static_cast<int>(local.tm_gmtoff);
}

TEST(ZoneRules, OffsetsAgreeWithTheCLibraryFrom1970To2080) {
    for (const char* name : {"Europe/Berlin", "America/New_York", "Australia/Sydney",
                             "Asia/Kolkata", "America/Sao_Paulo", "Pacific/Chatham",
                             "Europe/London", "Africa/Casablanca"}) {
        SCOPED_TRACE(name);
        std::string error;
        const auto rules = ZoneRules::Named(name, error);
        ASSERT_TRUE(rules) << error;
        testing::ScopedEnv tz("TZ", std::string(":") + name);
        ::tzset();
        // Every 5 days and 7 hours: all the changes' seasons, every hour of the day.
        for (Seconds t = At(1970, 1, 1, 0, 0); t < At(2080, 1, 1, 0, 0); t += hours(127))
            ASSERT_EQ(rules->OffsetSecondsAt(t), LibcOffset(t)) << IsoTimeText(t);
    }
    ::tzset();
}

TEST(ZoneRules, WallClockReadingsAroundTheChanges) {
    std::string error;
    const auto berlin = ZoneRules::Named("Europe/Berlin", error);
    ASSERT_TRUE(berlin) << error;
    const auto fixed = ZoneRules::Fixed({-210});
    struct Case {
        const ZoneRules& rules;
        Seconds wall, utc;
    } cases[] = {
        {*berlin, At(2024, 3, 30, 12, 0), At(2024, 3, 30, 11, 0)},     // winter
        {*berlin, At(2024, 3, 31, 12, 0), At(2024, 3, 31, 10, 0)},     // summer, the day after
        {*berlin, At(2024, 3, 31, 2, 30), At(2024, 3, 31, 1, 30)},     // skipped: the offset before
        {*berlin, At(2024, 10, 27, 2, 30), At(2024, 10, 27, 0, 30)},   // repeated: the first
        {*berlin, At(2024, 10, 27, 3, 30), At(2024, 10, 27, 2, 30)},
        {*berlin, At(2099, 7, 1, 12, 0), At(2099, 7, 1, 10, 0)},       // past the table: its rule
        {fixed, At(2024, 1, 1, 0, 0), At(2024, 1, 1, 3, 30)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rules.FromWallClock(c.wall), c.utc) << IsoTimeText(c.wall);
}

TEST(ZoneRules, PosixRulesAndDamagedZonesAreReadOrRefused) {
    struct Rule {
        const char* text;
        bool valid;
        Seconds at;
        int offset;
    } rules[] = {
        {"CET-1CEST,M3.5.0,M10.5.0/3", true, At(2030, 7, 1, 0, 0), 7200},
        {"NZST-12NZDT,M9.5.0,M4.1.0/3", true, At(2030, 1, 1, 0, 0), 46800},  // summer in January
        {"NZST-12NZDT,M9.5.0,M4.1.0/3", true, At(2030, 7, 1, 0, 0), 43200},
        {"<+0330>-3:30", true, At(2030, 7, 1, 0, 0), 12600},
        {"EST5EDT", true, At(2030, 7, 1, 0, 0), -14400},  // the default rules
        {"<-03>3<-02>,M3.5.0/-2,M10.5.0/-1", true, At(2030, 7, 1, 0, 0), -7200},
        {"X", false},
        {"CET-1CEST,M13.1.0,M10.5.0", false},
        {"CET-1CEST,M3.5.0", false},
    };
    for (const Rule& r : rules) {
        SCOPED_TRACE(r.text);
        const auto rule = ParsePosixZoneRule(r.text);
        ASSERT_EQ(rule.has_value(), r.valid);
        if (rule) {
            EXPECT_EQ(rule->OffsetAt(r.at.time_since_epoch().count()), r.offset);
        }
    }
    std::string error;
    EXPECT_FALSE(ZoneRules::Named("../etc/passwd", error));
    EXPECT_FALSE(ZoneRules::Named("Mars/Olympus_Mons", error));
    EXPECT_FALSE(ZoneRules::FromTzif("TZif2", error));
    EXPECT_FALSE(ZoneRules::FromTzif(std::string(60, 'x'), error));
    EXPECT_FALSE(error.empty());
    const auto names = SystemZoneNames();
    EXPECT_EQ(names.front(), "UTC");
    EXPECT_NE(std::find(names.begin(), names.end(), "Europe/Berlin"), names.end());
}

}  // namespace
}  // namespace vantrel
