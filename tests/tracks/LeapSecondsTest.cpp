// GPS time to UTC: the leap-second history from the system's list or the
// built-in table, applied at each time's own count, across the boundaries.

#include "tracks/LeapSeconds.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "support/ScratchFolder.h"
#include "tracks/TrackMemory.h"
#include "tracks/TrackText.h"

namespace vantrel {
namespace {

using namespace std::chrono;

// Seconds from the GPS epoch to midnight starting `day`, counted without
// leap seconds (the GPS calendar).
std::uint32_t GpsMidnight(year_month_day day) {
    return static_cast<std::uint32_t>(
        (sys_days{day} - sys_days{year{1980} / January / 6}).count() * 86400);
}

Seconds Utc(year_month_day day, int h, int m, int s) {
    return sys_days{day} + hours{h} + minutes{m} + seconds{s};
}

// The list's text of the UTC time of `gps`.
std::string CalendarUtc(std::uint32_t gps, const LeapSecondTable& leaps) {
    std::string text;
    AppendListTime(text, leaps.UtcAt(gps));
    return text;
}

// Around a leap second: the last second of the old count, the inserted
// second (shown as 23:59:59 again) and the first second of the new day.
void ExpectLeapAt(const LeapSecondTable& leaps, year_month_day newDay, int before) {
    const year_month_day lastDay{sys_days{newDay} - days{1}};
    const std::uint32_t midnight = GpsMidnight(newDay);
    const auto gps = [&](int s) { return midnight + static_cast<std::uint32_t>(s); };
    EXPECT_EQ(leaps.OffsetAt(gps(before - 1)), before);
    EXPECT_EQ(leaps.UtcAt(gps(before - 1)), Utc(lastDay, 23, 59, 59));
    EXPECT_EQ(leaps.UtcAt(gps(before)), Utc(lastDay, 23, 59, 59));
    EXPECT_EQ(leaps.UtcAt(gps(before + 1)), Utc(newDay, 0, 0, 0));
    EXPECT_EQ(leaps.OffsetAt(gps(before + 1)), before + 1);
    // The list shows the same times.
    const std::string last = std::to_string(int(lastDay.year())) + "/" +
                             std::to_string(unsigned(lastDay.month())) + "/" +
                             std::to_string(unsigned(lastDay.day())) + "  23:59:59";
    EXPECT_EQ(CalendarUtc(gps(before - 1), leaps), last);
    EXPECT_EQ(CalendarUtc(gps(before + 1), leaps),
              std::to_string(int(newDay.year())) + "/" +
                  std::to_string(unsigned(newDay.month())) + "/1  0:0:0");
}

TEST(LeapSeconds, BuiltInHistoryAcrossTheBoundaries) {
    const LeapSecondTable leaps = LeapSecondTable::BuiltIn();
    EXPECT_FALSE(leaps.FromSystemList());
    ExpectLeapAt(leaps, year{2012} / July / 1, 15);
    ExpectLeapAt(leaps, year{2017} / January / 1, 17);
    EXPECT_EQ(leaps.OffsetAt(GpsMidnight(year{2015} / July / 1) + 17), 17);
    EXPECT_EQ(leaps.OffsetAt(GpsMidnight(year{2009} / January / 1) + 15), 15);
    EXPECT_EQ(leaps.OffsetAt(GpsMidnight(year{2009} / January / 1) + 13), 14);
    EXPECT_EQ(leaps.OffsetAt(0), 0);  // the GPS epoch
    EXPECT_EQ(leaps.OffsetAt(-1000), 0);
    EXPECT_EQ(leaps.OffsetAt(GpsMidnight(year{2040} / January / 1)), 18);
    EXPECT_EQ(leaps.LatestOffset(), 18);
    // The zone shifts the calendar, not the count: the count is the record's.
    const TrackRecord record{GpsMidnight(year{2012} / July / 1) + 16, 4000000, 1, 4000000, 0, 0};
    const TrackPoint point = RecordPoint(record, record.Seconds(), leaps, nullptr);
    EXPECT_EQ(PointCell(point, PointColumn::Time, ZoneOffset::Hours(2), '.'), "2012/7/1  2:0:0");
    EXPECT_EQ(PointCell(point, PointColumn::Time, ZoneOffset::Hours(-1), '.'), "2012/6/30  23:0:0");
}

TEST(LeapSeconds, SystemListAgreesWithTheBuiltInHistory) {
    if (!std::filesystem::exists(LeapSecondTable::kSystemList))
        GTEST_SKIP() << "no system leap-second list";
    const LeapSecondTable system = LeapSecondTable::System();
    ASSERT_TRUE(system.FromSystemList());
    const LeapSecondTable builtIn = LeapSecondTable::BuiltIn();
    ExpectLeapAt(system, year{2012} / July / 1, 15);
    ExpectLeapAt(system, year{2017} / January / 1, 17);
    for (std::int64_t t = -86400; t < std::int64_t{1} << 31; t += 86400 * 7 + 13)
        ASSERT_EQ(system.OffsetAt(t), builtIn.OffsetAt(t)) << t;
}

TEST(LeapSeconds, AMissingOrDamagedListFallsBackToTheBuiltInHistory) {
    testing::ScratchFolder folder;
    const LeapSecondTable missing = LeapSecondTable::FromFile(folder.Path() / "none.list");
    EXPECT_FALSE(missing.FromSystemList());
    ExpectLeapAt(missing, year{2017} / January / 1, 17);

    const auto write = [&](const char* name, const char* text) {
        std::ofstream(folder.Path() / name) << text;
        return LeapSecondTable::FromFile(folder.Path() / name);
    };
    EXPECT_FALSE(write("words.list", "2524521600 19\nnot a line\n").FromSystemList());
    EXPECT_FALSE(write("backwards.list", "3692217600 37\n3644697600 36\n").FromSystemList());
    EXPECT_FALSE(write("empty.list", "# nothing but comments\n").FromSystemList());

    // A list with a later leap second than the built-in history knows.
    const LeapSecondTable later = write("later.list",
                                        "#@\t3991593600\n"
                                        "2524521600\t19\t# 1 Jan 1980\n"
                                        "3692217600\t37\t# 1 Jan 2017\n"
                                        "3976214400\t38\t# 1 Jan 2026 (made up)\n");
    EXPECT_TRUE(later.FromSystemList());
    EXPECT_EQ(later.OffsetAt(GpsMidnight(year{2016} / June / 1)), 0);  // only what it lists
    ExpectLeapAt(later, year{2026} / January / 1, 18);
    EXPECT_EQ(later.LatestOffset(), 19);
}

}  // namespace
}  // namespace vantrel
