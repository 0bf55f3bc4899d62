// Tracks decoded straight from a memory image into point lists, their GPX
// and CSV texts, splitting at gaps, and the ISO 8601 times they carry.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "TrackFixture.h"
#include "tracks/LoggedTracks.h"
#include "tracks/TrackExports.h"

namespace vantrel::testing {
namespace {

using namespace std::chrono;

using LoggedTracksTest = TrackFixture;

Seconds At(int y, unsigned mo, unsigned d, int h, int mi, int s) {
    return sys_days{year{y} / mo / d} + hours{h} + minutes{mi} + seconds{s};
}

// The same memory gives the same points whether it goes through the track
// list (and a track file's cells) or straight into point lists: track
// starts begin tracks, times follow the zone.
TEST_F(LoggedTracksTest, StraightDecodingAgreesWithTheTrackList) {
    TrackMemoryBuilder b = ThreeTracks();
    b.AddFix(1'000'000'101, -33.5, -70.25, 520.5, 123, false);
    values.LocalZoneOffset = ZoneOffset::Hours(2);
    Assemble(b);
    const LoggedTracks straight = DecodeTrackMemory(b.Image(b.Size()));
    ASSERT_EQ(straight.size(), 3u);
    EXPECT_EQ(straight[2].name, "Track2");
    EXPECT_EQ(straight[2].points.size(), 6u);
    // UTC: GPS time less the 15 leap seconds of 2011.
    EXPECT_EQ(straight[0].points[0].time, GpsTime(1'000'000'000) - seconds{15});
    EXPECT_EQ(IsoTimeText(straight[0].points[0].time), "2011-09-14T01:46:25Z");
    EXPECT_EQ(TrackCsvText(straight, ZoneOffset::Hours(2)),
              TrackCsvText(StoreTracks(store, ZoneOffset::Hours(2)), ZoneOffset::Hours(2)));
    EXPECT_EQ(TrackCsvText(straight, ZoneOffset{}),
              TrackCsvText(StoreTracks(store, ZoneOffset::Hours(2)), ZoneOffset{}));
}

// Every valid record counts, the one after a corrupt record and those with
// a zero coordinate included; a record at the Earth's centre ends the data.
TEST_F(LoggedTracksTest, CorruptRecordsAreSkippedAndOnlyTheCentreEndsTheData) {
    TrackMemoryBuilder b;
    b.AddFix(1'000'000'000, 45, 135, 100, 0, false);  // no start flag: a track all the same
    b.AddCorrupt(1'000'000'001);
    b.AddFix(1'000'000'002, 46, 135, 100, 0, false);
    b.Add(sim::EncodeTrackRecord(1'000'000'003, sim::Ecef{0, 6378137, 0}, 0, false));
    b.Add(sim::EncodeTrackRecord(1'000'000'004, sim::Ecef{0, 0, 0}, 0, false));
    b.AddFix(1'000'000'005, 45, 135, 100, 0, false);
    MemoryDecodeReport report;
    const LeapSecondTable leaps = LeapSecondTable::BuiltIn();
    const LoggedTracks tracks = DecodeTrackMemory(b.Image(4096), &report, leaps);
    ASSERT_EQ(tracks.size(), 1u);
    ASSERT_EQ(tracks[0].points.size(), 3u);
    EXPECT_EQ(tracks[0].points[1].time, UtcFromGps(1'000'000'002, leaps));
    EXPECT_EQ(tracks[0].points[2].latitude, 0);
    EXPECT_DOUBLE_EQ(tracks[0].points[2].longitude, 90);
    EXPECT_EQ(report.skippedRecords, 1);
    EXPECT_TRUE(DecodeTrackMemory(std::vector<std::uint8_t>(19, 0)).empty());
}

TEST(SplitAtGaps, NewTrackOnlyAfterALongerGap) {
    LoggedTrack track{"Walk", {}};
    for (int t : {0, 5, 65, 70, 200, 201, 300})
        track.points.push_back({GpsTime(1000 + t), 1, 2, 3, 4});
    const LoggedTracks pieces = SplitAtGaps({track, {"Empty", {}}}, 60);
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].name, "Walk");
    EXPECT_EQ(pieces[0].points.size(), 4u);  // a gap of exactly 60 s does not split
    EXPECT_EQ(pieces[1].name, "Walk.2");
    EXPECT_EQ(pieces[1].points.size(), 2u);
    EXPECT_EQ(pieces[2].name, "Walk.3");
    EXPECT_EQ(pieces[2].points.size(), 1u);
    EXPECT_EQ(pieces[3].name, "Empty");
    EXPECT_EQ(SplitAtGaps({track}, 0).size(), 1u);
}

TEST(IsoTimes, WrittenAndReadBack) {
    const Seconds t = At(2011, 1, 25, 23, 13, 20);
    EXPECT_EQ(IsoTimeText(t), "2011-01-25T23:13:20Z");
    EXPECT_EQ(IsoTimeText(t, ZoneOffset::Hours(2)), "2011-01-26T01:13:20+02:00");
    EXPECT_EQ(IsoTimeText(t, ZoneOffset::Hours(-11)), "2011-01-25T12:13:20-11:00");
    EXPECT_EQ(IsoTimeText(t, ZoneOffset{330}), "2011-01-26T04:43:20+05:30");
    EXPECT_EQ(GpsTime(0), At(1980, 1, 6, 0, 0, 0));
    EXPECT_EQ(ParseIsoTime("2011-01-25T23:13:20Z"), t);
    EXPECT_EQ(ParseIsoTime(" 2011-01-26T01:13:20.750+02:00 "), t);
    EXPECT_EQ(ParseIsoTime("2011-01-25T12:13:20-11:00"), t);
    EXPECT_EQ(ParseIsoTime("2011-01-25T23:13:20"), t);  // no zone: UTC
    for (const char* bad :
         {"", "2011-01-25", "2011-02-30T00:00:00Z", "2011-01-25T24:00:00Z", "2011-01-25T23:13:20+2",
          "2011-01-25T23:13:20Q", "2011-01-25T23:13:20."})
        EXPECT_FALSE(ParseIsoTime(bad)) << bad;
    EXPECT_EQ(ParseCalendarText("2011/1/25  23:13:20"), t);
    EXPECT_FALSE(ParseCalendarText("2011/1/25  23:13:20x"));
}

TEST(TrackExports, GpxAndCsvCarryEveryPoint) {
    const LoggedTracks tracks = {
        {"A & B", {{At(2011, 1, 25, 14, 13, 20), 47.1234567, -8.5, 512.34, 12.96}}}, {"Empty", {}}};
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(GpxTracksText(tracks).c_str()));
    pugi::xml_node gpx = doc.child("gpx");
    EXPECT_STREQ(gpx.attribute("version").value(), "1.1");
    EXPECT_STREQ(gpx.attribute("xmlns").value(), "http://www.topografix.com/GPX/1/1");
    pugi::xml_node trk = gpx.child("trk");
    EXPECT_STREQ(trk.child_value("name"), "A & B");
    pugi::xml_node point = trk.child("trkseg").child("trkpt");
    EXPECT_STREQ(point.attribute("lat").value(), "47.123457");
    EXPECT_STREQ(point.attribute("lon").value(), "-8.500000");
    EXPECT_STREQ(point.child_value("ele"), "512.3");
    EXPECT_STREQ(point.child_value("time"), "2011-01-25T14:13:20Z");
    EXPECT_TRUE(trk.next_sibling("trk").child("trkseg"));
    EXPECT_EQ(TrackCsvText(tracks, ZoneOffset::Hours(1)),
              "track,time,latitude,longitude,altitude,speed\r\n"
              "A & B,2011-01-25T15:13:20+01:00,47.123457,-8.500000,512.3,12.96\r\n");
}

// A name that reads like markup stays text, and each point lands in its own
// track's segment, an empty track between others included.
TEST(TrackExports, GpxPointsStayInTheirTracks) {
    const LoggedPoint p{At(2011, 1, 25, 14, 13, 20), -0.0000001, 0, -0.04, 0};
    const LoggedTracks tracks = {{"<trkseg />", {}}, {"B", {p, p}}, {"", {}}, {"D", {p}}};
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(GpxTracksText(tracks).c_str()));
    std::vector<std::string> names;
    std::vector<std::size_t> counts;
    for (pugi::xml_node trk : doc.child("gpx").children("trk")) {
        names.push_back(trk.child_value("name"));
        const auto points = trk.child("trkseg").children("trkpt");
        counts.push_back(static_cast<std::size_t>(std::distance(points.begin(), points.end())));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"<trkseg />", "B", "", "D"}));
    EXPECT_EQ(counts, (std::vector<std::size_t>{0, 2, 0, 1}));
    const pugi::xml_node point = doc.child("gpx").child("trk").next_sibling().child("trkseg").child("trkpt");
    EXPECT_STREQ(point.attribute("lat").value(), "0.000000");  // no minus sign on a zero
    EXPECT_STREQ(point.child_value("ele"), "0.0");
}

}  // namespace
}  // namespace vantrel::testing
