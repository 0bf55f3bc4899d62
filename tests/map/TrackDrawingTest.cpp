#include "map/TrackDrawing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeMapPage.h"
#include "support/LineTrack.h"

namespace vantrel {
namespace {

using testing::FakeMapPage;

TEST(TrackColourText, SwapsRedAndBlue) {
    EXPECT_EQ(TrackColourText(255), "#ff0000");
    EXPECT_EQ(TrackColourText(0xFF8000), "#0080ff");  // blue 255, green 128, red 0
    EXPECT_EQ(TrackColourText(0x123456), "#563412");
    EXPECT_EQ(TrackColourText(0xAB000000u | 0x0000FF), "#ff0000");  // top byte ignored
}

TEST(DrawTrackOnMap, NoTrackOrNoPointClearsThePageAndSendsNoPoint) {
    const Track empty = testing::LineTrack(0, 0, 0, 0);
    for (const Track* track : {static_cast<const Track*>(nullptr), &empty}) {
        FakeMapPage page;
        const DrawTrackResult result = DrawTrackOnMap(page, track, 255);
        EXPECT_EQ(page.log, (std::vector<std::string>{"call: clearTracks"}));
        EXPECT_EQ(result.pointsSent, 0);
    }
}

TEST(DrawTrackOnMap, EveryPointAloneOnThePageInOneBatch) {
    for (int n : {1, 4, 5, 9}) {
        FakeMapPage page;
        const Track track = testing::LineTrack(n, 22, 114.5, 0.1);
        const DrawTrackResult result = DrawTrackOnMap(page, &track, 0xFF8000);
        std::vector<std::string> calls = page.Calls();
        ASSERT_EQ(calls.size(), static_cast<std::size_t>(n) + 2) << n;
        EXPECT_EQ(calls.front(), "call: clearTracks");  // earlier drawings go first
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(calls[static_cast<std::size_t>(i) + 1],
                      "addPoints(" + std::to_string(22 + 0.1 * (i + 1)) + "," +
                          std::to_string(114.5 + 0.1 * (i + 1)) + ")");
        EXPECT_EQ(calls.back(), "drawPoints(#0080ff)");
        EXPECT_EQ(page.batches, 1);
        EXPECT_EQ(result.pointsSent, n);
        EXPECT_TRUE(page.scripts.empty());  // the page fits its view to the track
    }
}

}  // namespace
}  // namespace vantrel
