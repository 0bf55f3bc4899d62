// The core against a simulated device that damages, refuses, cancels or
// loses transfers: nothing damaged is kept, no failure passes for success,
// and the link is ready for the next request afterwards.

#include "device/EndToEndFixture.h"
#include "support/ScratchFolder.h"

namespace vantrel::testing {
namespace {

using Progress = LinkProgress;

bool OneDownload(const Progress& p) {
    return p.DownloadsFinished + p.TransfersFailed > 0;
}
bool OneUpload(const Progress& p) {
    return p.UploadsFinished + p.TransfersFailed > 0;
}

class TransferFaults : public EndToEnd {
  protected:
    // The bytes the device received from the PC so far.
    std::string Received() {
        const Bytes more = sim_->TakeReceived();
        received_.append(more.begin(), more.end());
        return received_;
    }
    void ExpectOneMessage(const std::string& text) {
        ASSERT_EQ(messages_.shown.size(), 1u);
        EXPECT_EQ(messages_.shown[0].text, text);
    }
    // A plan list of two points, ready to upload.
    void FillPlan() {
        PlanList& plan = companion_->plans;
        const char* rows[][3] = {{"Start", "47.5", "8.25"}, {"Ziel", "47.25", "8.5"}};
        for (int row = 1; row <= 2; ++row)
            for (int col = 0; col < 3; ++col)
                plan.gridPlan.SetCell(col, row, rows[row - 1][col]);
        plan.PlanCount = 2;
        plan.SetSavable(true);
    }

    std::string received_;
};

TEST_F(TransferFaults, BlockDamagedOnceGivesTheSameTracksAsACleanDownload) {
    Start({.damageBlock = 2});
    ExpectTrackDownloadEqualsMemory();
    EXPECT_NE(Received().find('\x15'), std::string::npos);  // the damaged copy was refused
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(TransferFaults, BlockDamagedAlwaysCancelsAndKeepsNothing) {
    Start({.damageBlock = 2, .damageAlways = true});
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil(OneDownload));
    EXPECT_EQ(Link().Progress().DownloadsFinished, 0u);
    EXPECT_TRUE(companion_->tracks.List().empty());
    EXPECT_EQ(companion_->transfer.TransferLength, 0u);
    ExpectOneMessage(
        "The track download failed: block 2 arrived damaged 10 times; nothing was kept.");
    const std::string line = Received();
    EXPECT_EQ(std::count(line.begin(), line.end(), '\x15'), kMaxTries - 1);
    EXPECT_NE(line.find("\x18\x18"), std::string::npos);
    ExpectIdle();
    // The device is back in command mode and a clean download works.
    sim_->SetLineOptions({});
    messages_.shown.clear();
    ExpectTrackDownloadEqualsMemory();
}

// After a track download the area holds tracks; a device with no POIs must
// give an empty list, not those bytes read as POIs.
TEST_F(TransferFaults, EotRightAfterCGivesAnEmptyList) {
    Start();
    ASSERT_EQ(Link().RequestPoiDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const Progress& p) { return p.DownloadsFinished == 1; }));
    ASSERT_GT(companion_->pois.PoiCount, 0);
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const Progress& p) { return p.DownloadsFinished == 2; }));
    sim_->SetLineOptions({.eotFirst = true});
    ASSERT_EQ(Link().RequestPoiDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const Progress& p) { return p.DownloadsFinished == 3; }));
    EXPECT_EQ(companion_->transfer.TransferLength, 0u);
    EXPECT_EQ(companion_->pois.PoiCount, 0);
    EXPECT_FALSE(companion_->Buttons().uploadPoi);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(TransferFaults, MoreThan255PoisKeepsTheFirst255AndSaysHowManyWereLeftOut) {
    memory_.poi = sim::GeneratedPoiImage(300);
    Start();
    ASSERT_EQ(Link().RequestPoiDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil(OneDownload));
    EXPECT_EQ(companion_->pois.PoiCount, 255);
    EXPECT_FALSE(companion_->lastDownload.complete);
    ExpectOneMessage(
        "255 of 300 POIs were kept and 45 left out: the POI list holds at most 255, and a "
        "record cut short cannot be read.");
    // The last row kept is the device's 255th record.
    PoiList direct(companion_->values);
    TransferArea area;
    LoadArea(area, Bytes(memory_.poi.begin(), memory_.poi.begin() + 255 * kPoiRecordSize));
    ASSERT_TRUE(ReadPoiImage(direct, area));
    ExpectSameCells(companion_->pois.gridPoi, direct.gridPoi);
}

TEST_F(TransferFaults, PlanThatCannotBeDecodedLeavesTheListAsItWas) {
    memory_.plan[5] ^= 0xFF;  // the device's plan header no longer matches its checksum
    Start();
    FillPlan();
    const TextGrid before = companion_->plans.gridPlan;
    ASSERT_EQ(Link().RequestPlanDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil(OneDownload));
    EXPECT_FALSE(companion_->lastDownload.decoded);
    EXPECT_EQ(companion_->plans.PlanCount, 2);
    ExpectSameCells(companion_->plans.gridPlan, before);
    EXPECT_TRUE(companion_->Buttons().uploadPlan);
    ExpectOneMessage(
        "The plan the device sent cannot be read (its header or tables are damaged); the plan "
        "list was left as it was.");
}

TEST_F(TransferFaults, UploadNakedOnceLeavesTheSameImageAsACleanOne) {
    Start();
    FillPlan();
    const Bytes clean = ExpectUploadKept(&DeviceLink::UploadPlan, sim::Payload::Plan);
    sim_.reset();
    companion_.reset();
    Start({.nakBlock = 1});
    FillPlan();
    ASSERT_EQ(Link().UploadPlan(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil(OneUpload));
    EXPECT_EQ(Link().Progress().UploadsFinished, 1u);
    EXPECT_EQ(UploadedBy(sim::Payload::Plan), clean);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(TransferFaults, UploadNakedAlwaysFailsAndTheDeviceKeepsItsOwn) {
    Start({.nakBlock = 1, .nakAlways = true});
    FillPlan();
    ASSERT_EQ(Link().UploadPlan(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil(OneUpload));
    EXPECT_EQ(Link().Progress().UploadsFinished, 0u);
    ExpectOneMessage("The plan upload failed: the device refused block 1 10 times.");
    EXPECT_NE(Received().find("\x18\x18"), std::string::npos);
    EXPECT_EQ(sim_->Memory().plan, memory_.plan);
    EXPECT_FALSE(sim_->Uploaded(sim::Payload::Plan));
    // The list still holds the plan, so its upload button is back, and
    // loading a list keeps it so.
    ExpectIdle();
    TransferArea area;
    LoadArea(area, Padded(memory_.plan));
    ASSERT_TRUE(ReadPlanImage(companion_->plans, area, page_));
    EXPECT_TRUE(companion_->Buttons().uploadPlan);
}

TEST_F(TransferFaults, NakOfTheEotIsAnsweredWithEotAgain) {
    Start({.nakEot = true});
    FillPlan();
    ExpectUploadKept(&DeviceLink::UploadPlan, sim::Payload::Plan);
    const std::string line = Received();
    EXPECT_EQ(line.substr(line.size() - 2), "\x04\x04");
}

TEST_F(TransferFaults, CanDuringAnUploadEndsItAtOnce) {
    Start({.cancelUploadAfter = 1});
    FillPlan();
    ASSERT_EQ(Link().UploadPlan(), RequestResult::Sent);
    int ticks = 0;
    ASSERT_TRUE(TickUntil([&](const Progress& p) {
        ++ticks;
        return OneUpload(p);
    }));
    EXPECT_LT(ticks, kWatchdogStart / 3);  // long before the watchdog would
    EXPECT_EQ(Link().Progress().WatchdogResets, 0u);
    ExpectOneMessage("The plan upload failed: the device cancelled it.");
    EXPECT_FALSE(sim_->Uploaded(sim::Payload::Plan));
    ExpectIdle();
}

// Every transfer button is off while a (paced, so slow) download runs, and a
// request that gets through anyway sends nothing.
TEST_F(TransferFaults, OtherRequestsAreRefusedWhileADownloadRuns) {
    Start({.pace = true});
    FillPlan();
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const Progress& p) { return p.BlocksReceived >= 1; }));
    EXPECT_EQ(companion_->Buttons(), (TransferButtons{false, false, false, false, false}));
    EXPECT_TRUE(Link().Status().progress.Visible);
    EXPECT_EQ(Link().RequestPlanDownload(), RequestResult::Busy);
    EXPECT_EQ(Link().UploadPlan(), RequestResult::Busy);
    ASSERT_TRUE(TickUntil(OneDownload));
    EXPECT_EQ(Link().Progress().DownloadsFinished, 1u);
    EXPECT_EQ(Received().find("$POEM12,12"), std::string::npos);
    EXPECT_EQ(Received().find("$POEM12,11"), std::string::npos);
    EXPECT_EQ(companion_->plans.PlanCount, 2);
    EXPECT_EQ(messages_.shown.size(), 2u);
    ExpectIdle();
}

// The device unplugged mid-download: the link notices through the port,
// long before its watchdog, names the port, and works again once the
// device is back under the same name.
TEST_F(TransferFaults, LostPortEndsTheTransferNamesThePortAndTheNextRequestWorks) {
    ScratchFolder folder;
    const auto link = folder.Path() / "vantrel-port";
    Start({.hangUpAfter = 2}, link);
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([&](const Progress&) { return sim_->Ended().has_value(); }));
    int ticks = 0;
    ASSERT_TRUE(TickUntil([&](const Progress& p) {
        ++ticks;
        return OneDownload(p);
    }));
    EXPECT_LT(ticks, kWatchdogStart / 3);
    const Progress after = Link().Progress();
    EXPECT_EQ(after.PortFailures, 1u);
    EXPECT_EQ(after.WatchdogResets, 0u);
    EXPECT_EQ(after.DownloadsFinished, 0u);
    ExpectOneMessage("The track download failed: the connection to the device on " + link.string() +
                     " was lost; nothing was kept.");
    EXPECT_FALSE(companion_->commPort.fGetActive());
    ExpectIdle();

    // Plugged in again: a new pty behind the same name.
    sim_.reset();
    sim_ = std::make_unique<sim::Simulator>(memory_, sim::SimulatorOptions{{}, link});
    sim_->Start();
    messages_.shown.clear();
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent)
        << (messages_.shown.empty() ? "" : messages_.shown[0].text);
    EXPECT_TRUE(TickUntil([](const Progress& p) { return p.DownloadsFinished == 1; }));
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace vantrel::testing
