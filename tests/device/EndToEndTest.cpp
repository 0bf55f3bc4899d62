// The whole program's core against the simulated device over a real pty:
// requests from the device buttons, the 20 ms reply reader driven faster,
// the lists filled from downloads and the images the device keeps from
// uploads, and the line faults a real cable shows.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "app/Companion.h"
#include "plans/PlanImage.h"
#include "plans/PoiImage.h"
#include "sim/DemoImages.h"
#include "sim/Simulator.h"
#include "support/FixedLocator.h"
#include "support/RecordingMessages.h"

namespace vantrel::testing {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// An image as the device sends it: whole blocks, padded with erased flash.
Bytes Padded(Bytes image) {
    image.resize((image.size() + kBlockSize - 1) / kBlockSize * kBlockSize, 0xFF);
    return image;
}

void LoadArea(TransferArea& area, const Bytes& image) {
    std::copy(image.begin(), image.end(), area.bytes.begin());
    area.TransferLength = image.size();
}

// Every cell of two grids, compared row by row so a failure names the row.
void ExpectSameCells(const TextGrid& got, const TextGrid& want) {
    ASSERT_EQ(got.RowCount(), want.RowCount());
    ASSERT_EQ(got.ColCount(), want.ColCount());
    for (int row = 0; row < want.RowCount(); ++row)
        for (int col = 0; col < want.ColCount(); ++col)
            ASSERT_EQ(got.Cell(col, row), want.Cell(col, row)) << "col " << col << " row " << row;
}

class EndToEnd : public ::testing::Test {
  protected:
    void Start(sim::LineOptions line = {}) {
        sim_ = std::make_unique<sim::Simulator>(memory_, sim::SimulatorOptions{line});
        sim_->Start();
        locator_ = std::make_unique<FixedLocator>(sim_->PortPath());
        companion_ = MakeCompanion(messages_);
    }

    std::unique_ptr<Companion> MakeCompanion(RecordingMessages& messages) {
        return std::make_unique<Companion>(
            CompanionHost{messages, page_, page_, page_, locator_.get(), false});
    }

    DeviceLink& Link() { return companion_->link(); }

    // Ticks the link every `period` until `done` holds. The limit only keeps
    // a broken link from hanging the test; false when it was reached.
    bool TickUntil(const std::function<bool(const LinkProgress&)>& done,
                   std::chrono::milliseconds period = 5ms) {
        const auto limit = std::chrono::steady_clock::now() + 60s;
        while (!done(Link().Progress())) {
            if (std::chrono::steady_clock::now() > limit) return false;
            Link().Tick();
            std::this_thread::sleep_for(period);
        }
        return true;
    }

    // Waits for the device to have kept an upload (it does so at the PC's EOT).
    std::optional<Bytes> UploadedBy(sim::Payload payload) {
        const auto limit = std::chrono::steady_clock::now() + 10s;
        auto kept = sim_->Uploaded(payload);
        while (!kept && std::chrono::steady_clock::now() < limit) {
            std::this_thread::sleep_for(5ms);
            kept = sim_->Uploaded(payload);
        }
        return kept;
    }

    // Waits for the device to have received `tail` as the last bytes it got.
    bool DeviceReceivedLast(const std::string& tail) {
        const auto limit = std::chrono::steady_clock::now() + 10s;
        std::string received;
        while (std::chrono::steady_clock::now() < limit) {
            const Bytes more = sim_->TakeReceived();
            received.append(more.begin(), more.end());
            if (received.ends_with(tail)) return true;
            std::this_thread::sleep_for(5ms);
        }
        ADD_FAILURE() << "the device received last: "
                      << received.substr(received.size() -
                                         std::min<std::size_t>(received.size(), 40));
        return false;
    }

    void ExpectDownloadButtonsEnabled() {
        const LinkDisplay& d = Link().Display();
        EXPECT_TRUE(d.btnDownloadFrGuider.Enabled);
        EXPECT_TRUE(d.btnLoadTrack.Enabled);
        EXPECT_TRUE(d.btnLoadPlan.Enabled);
        EXPECT_TRUE(d.btnLoadPOI.Enabled);
        EXPECT_FALSE(d.pbarLoading.Visible);
    }

    // Downloads the tracks and checks that they are those the track
    // assembly finds in the device's memory read directly.
    void ExpectTrackDownloadEqualsMemory() {
        ASSERT_EQ(Link().btnDownloadFrGuiderClick(), RequestResult::Sent);
        EXPECT_FALSE(Link().Display().btnDownloadFrGuider.Enabled);
        ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.DownloadsFinished == 1; }));

        const Bytes sent = Padded(memory_.tracks);
        const auto got = companion_->transfer.Valid();
        ASSERT_EQ(Bytes(got.begin(), got.end()), sent);

        AppValues values;
        TransferArea area;
        RecordingMessages messages;
        TrackStore direct(values, area, messages);
        LoadArea(area, sent);
        const AssemblyReport report = direct.AssembleTracks();
        EXPECT_EQ(report.tracks, 2);
        EXPECT_EQ(std::memcmp(&companion_->tracks.TrackTable, &direct.TrackTable,
                              sizeof(TrackEntryTable)),
                  0);
        ExpectSameCells(companion_->tracks.ScratchGrid, direct.ScratchGrid);
        ExpectDownloadButtonsEnabled();
    }

    // Uploads through `click` and checks that the device kept the image the
    // link built, then erased flash up to the end of the last block sent.
    Bytes ExpectUploadKept(RequestResult (DeviceLink::*click)(), sim::Payload payload) {
        const RequestResult sent = (Link().*click)();
        EXPECT_EQ(sent, RequestResult::Sent)
            << (messages_.shown.empty() ? "" : messages_.shown.back().text);
        if (sent != RequestResult::Sent) return {};
        EXPECT_TRUE(TickUntil([](const LinkProgress& p) { return p.UploadsFinished == 1; }));
        const std::size_t length = companion_->transfer.TransferLength;
        Bytes expected(companion_->transfer.bytes.begin(),
                       companion_->transfer.bytes.begin() + static_cast<std::ptrdiff_t>(length));
        expected.resize(UploadBlocks(length) * kBlockSize, 0xFF);
        const auto kept = UploadedBy(payload);
        EXPECT_TRUE(kept.has_value());
        if (!kept) return {};
        EXPECT_EQ(*kept, expected);
        EXPECT_TRUE(Link().Display().btnStorePlan.Enabled);
        EXPECT_TRUE(Link().Display().btnStorePoi.Enabled);
        return *kept;
    }

    // The plan and POI list of the test's device are small.
    sim::DeviceMemory memory_ = sim::DemoMemory(2, 300);
    RecordingMessages messages_;
    AbsentMapPage page_;
    std::unique_ptr<sim::Simulator> sim_;
    std::unique_ptr<FixedLocator> locator_;
    std::unique_ptr<Companion> companion_;  // closes the port before the simulator stops
};

TEST_F(EndToEnd, TrackDownloadGivesTheTracksOfTheDevicesMemory) {
    Start();
    ExpectTrackDownloadEqualsMemory();
    EXPECT_EQ(Link().Progress().WatchdogResets, 0u);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(EndToEnd, PlanDownloadFillsTheListAndItsUploadIsKeptByTheDevice) {
    Start();
    ASSERT_EQ(Link().btnLoadPlanClick(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.DownloadsFinished == 1; }));

    PlanList direct(companion_->values);
    TransferArea area;
    LoadArea(area, Padded(memory_.plan));
    ASSERT_TRUE(ReadPlanImage(direct, area, page_));
    EXPECT_GT(companion_->plans.PlanCount, 0);
    EXPECT_EQ(companion_->plans.PlanCount, direct.PlanCount);
    ExpectSameCells(companion_->plans.gridPlan, direct.gridPlan);

    const Bytes kept = ExpectUploadKept(&DeviceLink::btnStorePlanClick, sim::Payload::Plan);
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
    ASSERT_EQ(Link().btnLoadPOIClick(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.DownloadsFinished == 1; }));

    PoiList direct(companion_->values);
    TransferArea area;
    LoadArea(area, memory_.poi);
    ASSERT_TRUE(ReadPoiImage(direct, area));
    EXPECT_EQ(companion_->pois.PoiCount, 64);
    ExpectSameCells(companion_->pois.gridPoi, direct.gridPoi);

    const Bytes kept = ExpectUploadKept(&DeviceLink::btnStorePoiClick, sim::Payload::Poi);
    ASSERT_EQ(kept.size(), 2 * kBlockSize);
    EXPECT_EQ(Bytes(kept.begin(), kept.begin() + kBlockSize), memory_.poi);
    EXPECT_EQ(Bytes(kept.begin() + kBlockSize, kept.end()), Bytes(kBlockSize, 0xFF));
}

TEST_F(EndToEnd, SettingsLandInTheStatusBoxesAsTheDeviceSentThem) {
    memory_.settings.guider = {"0", "250", "60", "15", "-5", "+9", "1"};
    memory_.settings.logger = {"7", "1", "35", "0", "9", "835584", "0"};
    Start();
    ASSERT_EQ(Link().btnDownloadGuiderClick(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.RepliesUnderstood == 1; }));
    ASSERT_EQ(Link().btnLoggerClick(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.RepliesUnderstood == 2; }));

    const LinkDisplay& d = Link().Display();
    EXPECT_EQ(d.edRoute.Text, "250");
    EXPECT_EQ(d.edBackLight.Text, "60");
    EXPECT_EQ(d.edSuspend.Text, "15");
    EXPECT_EQ(d.edTimeZoneHome.Text, "-5");
    EXPECT_EQ(d.edTimeZoneLocal.Text, "+9");
    EXPECT_EQ(d.edUnit.Text, "1");
    EXPECT_EQ(d.edRecordTime.Text, "7");
    EXPECT_EQ(d.edRecordDistance.Text, "35");
    EXPECT_EQ(d.edRecordSpeed.Text, "9");
    EXPECT_EQ(d.memoData.size(), 2u);
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
TEST_F(EndToEnd, StallMidTransferEndsThroughTheWatchdogWithTheButtonsBack) {
    Start({.stallAfter = 3});
    ASSERT_EQ(Link().btnDownloadFrGuiderClick(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.WatchdogResets == 1; }, 1ms));
    const LinkProgress after = Link().Progress();
    EXPECT_EQ(after.DownloadsFinished, 0u);
    EXPECT_EQ(after.LinkState, kCommandMode);
    EXPECT_EQ(after.BlocksReceived, 0);
    ExpectDownloadButtonsEnabled();
    // The reset: ESC CAN at the transfer rate, DC1 DC3 and the logger
    // request at the command rate.
    EXPECT_TRUE(DeviceReceivedLast("\x1b\x18\x11\x13$POEM06*\r\n"));

    // The reset brought the device back to command mode.
    ASSERT_EQ(Link().btnDownloadGuiderClick(), RequestResult::Sent);
    EXPECT_TRUE(TickUntil([](const LinkProgress& p) { return p.RepliesUnderstood == 1; }));
}

TEST_F(EndToEnd, HangUpMidTransferNeitherCrashesNorHangs) {
    Start({.hangUpAfter = 2});
    ASSERT_EQ(Link().btnDownloadFrGuiderClick(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil(
        [](const LinkProgress& p) { return p.WatchdogResets + p.PortFailures > 0; }, 1ms));
    EXPECT_EQ(Link().Progress().DownloadsFinished, 0u);
    EXPECT_EQ(Link().Progress().LinkState, kCommandMode);
    ExpectDownloadButtonsEnabled();
    // The device has gone with its port: requests say so in words.
    EXPECT_EQ(Link().btnDownloadGuiderClick(), RequestResult::PortFailed);
    ASSERT_FALSE(messages_.shown.empty());
    EXPECT_NE(messages_.shown.back().text.find(sim_->PortPath()), std::string::npos)
        << messages_.shown.back().text;
    for (int i = 0; i < 50; ++i)
        Link().Tick();
    companion_.reset();
}

TEST_F(EndToEnd, SecondOpenerOfTheHeldPortIsToldItIsBusy) {
    Start({.stallAfter = 1});
    ASSERT_EQ(Link().btnDownloadFrGuiderClick(), RequestResult::Sent);
    ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.BlocksReceived == 1; }));

    RecordingMessages secondMessages;
    auto second = MakeCompanion(secondMessages);
    EXPECT_EQ(second->link().btnDownloadFrGuiderClick(), RequestResult::PortFailed);
    ASSERT_EQ(secondMessages.shown.size(), 1u);
    EXPECT_NE(secondMessages.shown[0].text.find("is busy: another program"), std::string::npos)
        << secondMessages.shown[0].text;
    EXPECT_TRUE(second->link().Display().btnDownloadFrGuider.Enabled);
    EXPECT_TRUE(messages_.shown.empty());  // the holder carries on
}

TEST_F(EndToEnd, NoDeviceSaysSo) {
    FixedLocator nowhere("");
    Companion c(CompanionHost{messages_, page_, page_, page_, &nowhere, false});
    EXPECT_EQ(c.link().btnDownloadFrGuiderClick(), RequestResult::NoDevice);
    EXPECT_EQ(messages_.shown, (std::vector<ShownMessage>{{"Vantrel not Found!", "Error"}}));
    EXPECT_TRUE(c.link().Display().btnDownloadFrGuider.Enabled);
}

}  // namespace
}  // namespace vantrel::testing
