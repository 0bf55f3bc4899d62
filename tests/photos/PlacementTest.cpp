// The camera's texts as moments, and the tracks' positions at a moment in
// the cases a batch of photos rarely meets: the antimeridian, a logger's
// clock out of order, a moment right on a fix, no fixes at all.

#include <gtest/gtest.h>

#include <cmath>

#include "photos/GpsTags.h"
#include "photos/PhotoTime.h"
#include "photos/TrackMatch.h"

namespace vantrel {
namespace {

using namespace std::chrono;

Seconds At(int y, int mo, int d, int h, int mi, int s) { return *CalendarSeconds(y, mo, d, h, mi, s); }

TEST(PhotoTime, CameraTextsReadAsTheirMoments) {
    const Seconds photo = At(2024, 3, 31, 23, 50, 0);
    struct Case {
        const char* text;
        std::optional<Seconds> read;
    } dates[] = {
        {"2024:03:31 01:59:30", At(2024, 3, 31, 1, 59, 30)},
        {"2024-03-31T01:59:30", At(2024, 3, 31, 1, 59, 30)},
        {" 2024:02:29 00:00:00 ", At(2024, 2, 29, 0, 0, 0)},
        {"2023:02:29 00:00:00", std::nullopt},
        {"0000:00:00 00:00:00", std::nullopt},  // what cameras write when they do not know
        {"2024:03:31 01:59", std::nullopt},
    };
    for (const Case& c : dates) EXPECT_EQ(ParseExifDateTime(c.text), c.read) << c.text;
    EXPECT_EQ(ParseSubSeconds("5"), 500);
    EXPECT_EQ(ParseSubSeconds("123456"), 123);
    EXPECT_EQ(ParseSubSeconds("1a"), 0);
    EXPECT_EQ(ParseExifOffset("-05:30"), ZoneOffset{-330});
    EXPECT_EQ(ParseExifOffset("   :  "), std::nullopt);
    EXPECT_EQ(ParseXmpDateTime("2024-03-31T01:59:30.12+02:00"),
              (CameraTime{At(2024, 3, 31, 1, 59, 30), 120, ZoneOffset{120}}));
    // A clock's time of day is taken on the photo's day or the one after,
    // whichever is nearer: 00:05 past midnight is ten minutes after the photo.
    EXPECT_EQ(ParseClockReading("00:05", photo), At(2024, 4, 1, 0, 5, 0));
    EXPECT_EQ(ParseClockReading("23:49:15", photo), At(2024, 3, 31, 23, 49, 15));
    EXPECT_EQ(ParseClockReading("2024-04-01 00:05:00", photo), At(2024, 4, 1, 0, 5, 0));
    EXPECT_EQ(ClockOffsetSeconds({photo}, At(2024, 4, 1, 0, 5, 0)), 900);

    PhotoClock clock;
    clock.computerZone = ZoneRules::Fixed({60});
    clock.offsetSeconds = -30;
    const PhotoMoment moment = ResolveMoment({photo, 250}, clock);
    EXPECT_EQ(moment.utc, Millis(At(2024, 3, 31, 22, 49, 30)) + milliseconds(250));
    EXPECT_EQ(moment.source, ZoneSource::Computer);
}

TEST(TrackMatch, EdgesOfTheTracks) {
    const Seconds t0 = At(2024, 1, 1, 0, 0, 0);
    const Tracks tracks = {
        // Across the antimeridian, logged out of order with one fix twice.
        {"Pacific", 255, 1, true,
         {{t0 + seconds(10), -17.0, -179.9, 10, 0},
          {t0, -17.0, 179.9, 0, 0},
          {t0 + seconds(10), -17.0, -179.9, 99, 0}}},
        {"Empty", 255, 1, true, {}},
    };
    const TrackMatcher matcher(tracks, seconds(300));
    const TrackMatch half = matcher.Find(Millis(t0 + seconds(5)));
    ASSERT_EQ(half.kind, TrackMatch::Kind::Between);
    EXPECT_NEAR(std::fabs(half.position.longitude), 180.0, 1e-9);
    EXPECT_DOUBLE_EQ(half.position.altitude, 5);
    const TrackMatch onFix = matcher.Find(Millis(t0 + seconds(10)));
    EXPECT_EQ(onFix.kind, TrackMatch::Kind::Between);
    EXPECT_DOUBLE_EQ(onFix.position.altitude, 10);  // the first of the repeated fix
    EXPECT_EQ(matcher.Find(Millis(t0 + seconds(311))).kind, TrackMatch::Kind::Outside);
    EXPECT_EQ(matcher.Find(Millis(t0 - seconds(300))).kind, TrackMatch::Kind::NearestEnd);
    EXPECT_EQ(TrackMatcher({}, seconds(300)).Find(Millis(t0)).kind, TrackMatch::Kind::NoTracks);

    // The tags' texts keep the position to well under a millimetre.
    EXPECT_EQ(DegreeRationals(52.999999999), "53/1 0/1 0/10000");
    EXPECT_EQ(XmpCoordinate(-17.5, 'N', 'S'), "17,30.00000000S");
    EXPECT_NEAR(*ParseXmpCoordinate(XmpCoordinate(-179.123456789, 'E', 'W')), -179.123456789, 1e-9);
    EXPECT_NEAR(*ParseXmpCoordinate("52,31,30N"), 52.525, 1e-12);
    EXPECT_EQ(ParseXmpCoordinate("52,31.1X"), std::nullopt);
}

}  // namespace
}  // namespace vantrel
