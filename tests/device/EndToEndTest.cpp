// The core against the simulated device over a real pty on a clean line,
// and with the line faults a real cable shows.

#include "device/EndToEndFixture.h"

namespace vantrel::testing {
namespace {

TEST_F(EndToEnd, TrackDownloadGivesTheTracksOfTheDevicesMemory) {
    Start();
    ExpectTrackDownloadEqualsMemory();
    EXPECT_EQ(Link().Progress().WatchdogResets, 0u);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EndToEnd, PlanDownloadFillsTheListAndItsUploadIsKeptByTheDevice) {
    Start();
    ASSERT_EQ(Link().RequestPlanDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.DownloadsFinished == 1; }));

    PlanList direct(companion_->values);
    TransferArea area;
    LoadArea(area, Padded(memory_.plan));
    ASSERT_TRUE(ReadPlanImage(direct, area, page_));
    EXPECT_GT(companion_->plans.PlanCount, 0);
    EXPECT_EQ(companion_->plans.PlanCount, direct.PlanCount);
    ExpectSameCells(companion_->plans.gridPlan, direct.gridPlan);

    const Bytes kept = ExpectUploadKept(&DeviceLink::UploadPlan, sim::Payload::Plan);
    // What the device keeps reads back as the same list.
    PlanList back(companion_->values);
    LoadArea(area, kept);
    ASSERT_TRUE(DecodePlanImage(back, area));
    ExpectSameCells(back.gridPlan, companion_->plans.gridPlan);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EndToEnd, PoiListOfExactlyOneBlockIsUploadedWithAnErasedBlockAfterIt) {
    std::vector<sim::PoiEntry> entries;
    for (int i = 0; i < 64; ++i)  // 64 records of 16 bytes: one whole block
        entries.push_back({.year = 2011,
                           .month = 1 + i % 12,
                           .day = 1 + i % 28,
                           .hour = i % 24,
                           .minute = i % 60,
                           .second = 59 - i % 60,
                           .latitudeDeg = 45 + i * 0.01,
                           .longitudeDeg = -73 - i * 0.01});
    memory_.poi = sim::PoiImage(entries);
    ASSERT_EQ(memory_.poi.size(), kBlockSize);
    Start();
    ASSERT_EQ(Link().RequestPoiDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.DownloadsFinished == 1; }));

    PoiList direct(companion_->values);
    TransferArea area;
    LoadArea(area, memory_.poi);
    ASSERT_TRUE(ReadPoiImage(direct, area));
    EXPECT_EQ(companion_->pois.PoiCount, 64);
    ExpectSameCells(companion_->pois.gridPoi, direct.gridPoi);

    const Bytes kept = ExpectUploadKept(&DeviceLink::UploadPoiList, sim::Payload::Poi);
    ASSERT_EQ(kept.size(), 2 * kBlockSize);
    EXPECT_EQ(Bytes(kept.begin(), kept.begin() + kBlockSize), memory_.poi);
    EXPECT_EQ(Bytes(kept.begin() + kBlockSize, kept.end()), Bytes(kBlockSize, 0xFF));
}

TEST_F(EndToEnd, SettingsLandInTheStatusBoxesAsTheDeviceSentThem) {
    memory_.settings.guider = {"0", "250", "60", "15", "-5", "+9", "1"};
    memory_.settings.logger = {"7", "1", "35", "0", "9", "835584", "0"};
    Start();
    ASSERT_EQ(Link().RequestGuiderSettings(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.RepliesUnderstood == 1; }));
    ASSERT_EQ(Link().RequestLoggerSettings(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.RepliesUnderstood == 2; }));

    const LinkStatus& d = Link().Status();
    EXPECT_EQ(d.route.Text, "250");
    EXPECT_EQ(d.backLight.Text, "60");
    EXPECT_EQ(d.suspend.Text, "15");
    EXPECT_EQ(d.homeZone.Text, "-5");
    EXPECT_EQ(d.localZone.Text, "+9");
    EXPECT_EQ(d.unit.Text, "1");
    EXPECT_EQ(d.recordTime.Text, "7");
    EXPECT_EQ(d.recordDistance.Text, "35");
    EXPECT_EQ(d.recordSpeed.Text, "9");
    EXPECT_EQ(d.replyLog.size(), 2u);
}

TEST_F(EndToEnd, NoiseAndARestartBeforeTheFirstBlockChangeNoStoredBlock) {
    Start({.noiseBytes = 7, .etxFirst = true});
    ExpectTrackDownloadEqualsMemory();
}

// A device that missed an ACK sends the block again; it must not be stored
// twice, which would shift the rest of the memory by a block.
TEST_F(EndToEnd, BlockSentTwiceIsStoredOnce) {
    Start({.repeatBlock = 3});
    ExpectTrackDownloadEqualsMemory();
}

// The watchdog counts 300 idle ticks; ticking every millisecond or two keeps
// that short.
TEST_F(EndToEnd, StallMidTransferEndsThroughTheWatchdogAndSaysSo) {
    Start({.stallAfter = 3});
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.WatchdogResets == 1; }, 1ms));
    const LinkProgress after = Link().Progress();
    EXPECT_EQ(after.DownloadsFinished, 0u);
    EXPECT_EQ(after.LinkState, kCommandMode);
    EXPECT_EQ(after.BlocksReceived, 0);
    EXPECT_EQ(after.TransfersFailed, 1u);
    ExpectIdle();
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0].text,
              "The track download failed: the device stopped answering; nothing was kept.");
    // The reset: ESC CAN at the transfer rate, DC1 DC3 and the logger
    // request at the command rate.
    EXPECT_TRUE(DeviceReceivedLast("\x1b\x18\x11\x13$POEM06*\r\n"));

    // The reset brought the device back to command mode.
    ASSERT_EQ(Link().RequestGuiderSettings(), RequestResult::Sent);
    EXPECT_TRUE(TickUntil([](const LinkProgress& p) { return p.RepliesUnderstood == 1; }));
}

TEST_F(EndToEnd, SecondOpenerOfTheHeldPortIsToldItIsBusy) {
    Start({.stallAfter = 1});
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.BlocksReceived == 1; }));

    RecordingMessages secondMessages;
    auto second = MakeCompanion(secondMessages);
    EXPECT_EQ(second->link().RequestTrackDownload(), RequestResult::PortFailed);
    ASSERT_EQ(secondMessages.shown.size(), 1u);
    EXPECT_NE(secondMessages.shown[0].text.find("is busy: another program"), std::string::npos)
        << secondMessages.shown[0].text;
    EXPECT_TRUE(second->Buttons().downloadTracks);
    EXPECT_TRUE(messages_.shown.empty());  // the holder carries on
}

TEST_F(EndToEnd, NoDeviceSaysSo) {
    FixedLocator nowhere("");
    Companion c(CompanionHost{messages_, page_, page_, page_, &nowhere, false});
    EXPECT_EQ(c.link().RequestTrackDownload(), RequestResult::NoDevice);
    EXPECT_EQ(messages_.shown, (std::vector<ShownMessage>{{"Vantrel Not Found!", "Error"}}));
    EXPECT_TRUE(c.Buttons().downloadTracks);
}

}  // namespace
}  // namespace vantrel::testing
