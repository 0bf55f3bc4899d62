// The logger's 30-bit clock: a stored time stands for GPS time plus a whole
// number of eras of 2^30 s, chosen so the memory ends no later than a day
// after the computer's clock; a wrap inside the memory adds one era to the
// records after it. The times then get the leap seconds of their own date.

#include <gtest/gtest.h>

#include "support/TrackMemoryBuilder.h"
#include "tracks/ClockEra.h"
#include "tracks/TrackMemory.h"

namespace vantrel::testing {
namespace {

using namespace std::chrono;

// GPS seconds of a GPS calendar time (no leap seconds counted).
std::int64_t Gps(year_month_day day, int h = 0, int m = 0, int s = 0) {
    return (sys_days{day} - kGpsEpoch).count() * 86400 + h * 3600 + m * 60 + s;
}

Seconds Day(year_month_day day) {
    return sys_days{day};
}

struct EraCase {
    const char* what;
    std::vector<std::int64_t> gps;  // the true GPS times, logged in this order
    Seconds now;                    // the computer's clock
    std::vector<const char*> utc;   // what each record reads, in UTC
};

TEST(ClockEra, TimesAreThoseTheDeviceLogged) {
    const std::int64_t wrap = kClockEraSeconds;  // 2014-01-14 13:37:04 GPS
    const EraCase cases[] = {
        {"the GPS epoch, with no leap seconds yet", {0, 1}, Day(year{1990} / 1 / 1),
         {"1980-01-06T00:00:00Z", "1980-01-06T00:00:01Z"}},
        {"7300 days on: 13 leap seconds", {630'720'000}, Day(year{2026} / 12 / 10),
         {"1999-12-31T23:59:47Z"}},
        {"the last second of February in a leap year",
         {Gps(year{2012} / 2 / 29, 23, 59, 59), Gps(year{2012} / 3 / 1)}, Day(year{2026} / 12 / 10),
         {"2012-02-29T23:59:44Z", "2012-02-29T23:59:45Z"}},  // 15 s either side
        {"a log of 2009, read in 2026", {Gps(year{2009} / 6 / 1, 12)}, Day(year{2026} / 12 / 10),
         {"2009-06-01T11:59:45Z"}},
        {"a log of December 2013, just before the wrap", {Gps(year{2013} / 12 / 31, 23, 59, 59)},
         Day(year{2026} / 12 / 10), {"2013-12-31T23:59:43Z"}},
        {"a log across the wrap of January 2014", {wrap - 2, wrap - 1, wrap, wrap + 1},
         Day(year{2026} / 12 / 10),
         {"2014-01-14T13:36:46Z", "2014-01-14T13:36:47Z", "2014-01-14T13:36:48Z",
          "2014-01-14T13:36:49Z"}},
        {"a log of 2026 (its stored times wrapped), read the same day",
         {Gps(year{2026} / 12 / 10, 8)}, Day(year{2026} / 12 / 10) + hours{1},
         {"2026-12-10T07:59:42Z"}},
        {"a log of 2026 read with the clock a few hours behind",
         {Gps(year{2026} / 12 / 10, 20)}, Day(year{2026} / 12 / 10), {"2026-12-10T19:59:42Z"}},
        {"a memory of tracks from 2013 to 2015",
         {Gps(year{2013} / 11 / 2), Gps(year{2014} / 1 / 1), Gps(year{2015} / 8 / 1)},
         Day(year{2026} / 12 / 10),
         {"2013-11-01T23:59:44Z", "2013-12-31T23:59:44Z", "2015-07-31T23:59:43Z"}},
        {"a computer clock set before the log", {Gps(year{2011} / 5 / 5)},
         Day(year{2001} / 1 / 1), {"2011-05-04T23:59:45Z"}},
    };
    for (const EraCase& c : cases) {
        TrackMemoryBuilder b;
        for (std::size_t i = 0; i < c.gps.size(); ++i)
            b.AddFix(static_cast<std::uint32_t>(c.gps[i] % kClockEraSeconds), 45, 7, 0, 0, i == 0);
        TrackDecoding decoding;
        decoding.leaps = LeapSecondTable::BuiltIn();
        decoding.now = [now = c.now] { return now; };
        const DecodedMemory decoded = DecodeTrackMemory(b.Image(b.Size()), decoding);
        ASSERT_EQ(decoded.tracks.size(), 1u) << c.what;
        const auto& points = decoded.tracks[0].points;
        ASSERT_EQ(points.size(), c.utc.size()) << c.what;
        for (std::size_t i = 0; i < points.size(); ++i)
            EXPECT_EQ(IsoTimeText(points[i].time), c.utc[i]) << c.what << ", record " << i;
    }
}

}  // namespace
}  // namespace vantrel::testing
