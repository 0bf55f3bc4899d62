// GPX tracks read as the program's tracks, and refused whole with the
// point named when a point breaks the rules.

#include <gtest/gtest.h>

#include <cmath>

#include "tracks/GpxTracks.h"

namespace vantrel {
namespace {

std::string Gpx(const std::string& body) {
    return "<?xml version=\"1.0\"?><gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">" +
           body + "</gpx>";
}

TEST(GpxTracks, SegmentsBecomeTracksAndBadPointsRefuseTheFile) {
    const GpxTracksRead read = ReadGpxTracks(Gpx(
        "<trk><name>Walk</name>"
        "<trkseg><trkpt lat=\"52.5\" lon=\"13.4\"><ele>34.5</ele><time>2024-03-31T10:00:00Z</time></trkpt>"
        "<trkpt lat=\"52.6\" lon=\"13.5\"><time>2024-03-31T12:00:01+02:00</time></trkpt></trkseg>"
        "<trkseg><trkpt lat=\"-1\" lon=\"-2\"><ele>-3</ele><time>2024-03-31T10:10:00.5Z</time></trkpt></trkseg>"
        "</trk><trk><trkseg/></trk><trk><trkseg><trkpt lat=\"0\" lon=\"0\"><time>2024-01-01T00:00:00Z</time></trkpt></trkseg></trk>"));
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.tracks.size(), 3u);
    EXPECT_EQ(read.tracks[0].name, "Walk");
    EXPECT_EQ(read.tracks[1].name, "Walk.2");
    EXPECT_EQ(read.tracks[2].name, "Track3");
    ASSERT_EQ(read.tracks[0].points.size(), 2u);
    EXPECT_DOUBLE_EQ(read.tracks[0].points[0].altitude, 34.5);
    EXPECT_TRUE(std::isnan(read.tracks[0].points[1].altitude));  // no ele: no altitude
    EXPECT_EQ(read.tracks[0].points[1].time, *CalendarSeconds(2024, 3, 31, 10, 0, 1));
    EXPECT_DOUBLE_EQ(read.tracks[1].points[0].altitude, -3);

    struct Refusal {
        std::string text, reason;
    } refusals[] = {
        {"not xml <", "not XML"},
        {"<kml/>", "not a GPX file"},
        {Gpx("<wpt lat=\"1\" lon=\"2\"/>"), "holds no track points"},
        {Gpx("<trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk>"), "point 1: no time"},
        {Gpx("<trk><trkseg><trkpt lat=\"1\" lon=\"2\"><time>2024-01-01T00:00:00Z</time></trkpt>"
             "<trkpt lat=\"91\" lon=\"2\"><time>2024-01-01T00:00:01Z</time></trkpt></trkseg></trk>"),
         "point 2: no latitude"},
        {Gpx("<trk><trkseg><trkpt lat=\"1\" lon=\"nan\"><time>2024-01-01T00:00:00Z</time></trkpt></trkseg></trk>"),
         "no longitude"},
        {Gpx("<trk><trkseg><trkpt lat=\"1\" lon=\"2\"><ele>high</ele><time>2024-01-01T00:00:00Z</time></trkpt></trkseg></trk>"),
         "ele is not a number"},
        {Gpx("<trk><trkseg><trkpt lat=\"1\" lon=\"2\"><time>yesterday</time></trkpt></trkseg></trk>"),
         "'yesterday' is not an ISO 8601 time"},
    };
    for (const Refusal& r : refusals) {
        const GpxTracksRead refused = ReadGpxTracks(r.text);
        EXPECT_TRUE(refused.tracks.empty()) << r.text;
        EXPECT_NE(refused.error.find(r.reason), std::string::npos) << refused.error;
    }
}

}  // namespace
}  // namespace vantrel
