// Tracks as GPX and CSV, splitting at gaps, and the ISO 8601 times they carry.

#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "TrackFixture.h"
#include "tracks/TrackExports.h"
#include "tracks/TrackSplit.h"

namespace vantrel::testing {
namespace {

using namespace std::chrono;

Seconds At(int y, unsigned mo, unsigned d, int h, int mi, int s) {
    return sys_days{year{y} / mo / d} + hours{h} + minutes{mi} + seconds{s};
}

TrackPoint PointAt(std::int64_t second) {
    return {At(2011, 1, 25, 14, 0, 0) + seconds{second}, 1, 2, 3, 4};
}

TEST(SplitAtGaps, NewTrackOnlyAfterALongerGapEitherWay) {
    Track walk{"Walk", 0x00FF00, 1, true, {}};
    // A gap of exactly 60 s does not split; a clock that jumps back does.
    for (int t : {0, 5, 65, 70, 200, 201, 300, 230, 231})
        walk.points.push_back(PointAt(t));
    Track empty{"Empty", 255, 1, true, {}};
    const std::vector<Track> tracks = {walk, empty};
    const Tracks pieces = SplitAtGaps(tracks, 60);
    std::vector<std::pair<std::string, std::size_t>> got;
    for (const Track& piece : pieces)
        got.emplace_back(piece.name, piece.points.size());
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::size_t>>{
                       {"Walk", 4}, {"Walk.2", 2}, {"Walk.3", 1}, {"Walk.4", 2}, {"Empty", 0}}));
    EXPECT_EQ(pieces[1].color, 0x00FF00u);  // the pieces keep the track's colour
    EXPECT_EQ(SplitAtGaps(tracks, 0).size(), 2u);
}

TEST(IsoTimes, WrittenAndReadBack) {
    const Seconds t = At(2011, 1, 25, 23, 13, 20);
    EXPECT_EQ(IsoTimeText(t), "2011-01-25T23:13:20Z");
    EXPECT_EQ(IsoTimeText(t, ZoneOffset::Hours(2)), "2011-01-26T01:13:20+02:00");
    EXPECT_EQ(IsoTimeText(t, ZoneOffset::Hours(-11)), "2011-01-25T12:13:20-11:00");
    EXPECT_EQ(IsoTimeText(t, ZoneOffset{330}), "2011-01-26T04:43:20+05:30");
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
    const Tracks tracks = {
        {"A & B", 255, 1, true, {{At(2011, 1, 25, 14, 13, 20), 47.1234567, -8.5, 512.34, 12.96}}},
        {"Empty", 255, 1, true, {}}};
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
    const TrackPoint p{At(2011, 1, 25, 14, 13, 20), -0.0000001, 0, -0.04, 0};
    const auto named = [](const char* name, std::vector<TrackPoint> points) {
        return Track{name, 255, 1, true, std::move(points)};
    };
    const Tracks tracks = {named("<trkseg />", {}), named("B", {p, p}), named("", {}),
                           named("D", {p})};
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
