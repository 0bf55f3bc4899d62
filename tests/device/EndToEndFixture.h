#pragma once
// The whole program's core against the simulated device over a real pty:
// requests from the device buttons, the 20 ms reply reader driven faster,
// and what reaches the lists, the transfer area and the device.

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
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

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

// An image as the device sends it: whole blocks, padded with erased flash.
inline Bytes Padded(Bytes image) {
    image.resize((image.size() + kBlockSize - 1) / kBlockSize * kBlockSize, 0xFF);
    return image;
}

inline void LoadArea(TransferArea& area, const Bytes& image) {
    std::copy(image.begin(), image.end(), area.bytes.begin());
    area.TransferLength = image.size();
}

// Every cell of two grids, compared row by row so a failure names the row.
inline void ExpectSameCells(const TextGrid& got, const TextGrid& want) {
    ASSERT_EQ(got.RowCount(), want.RowCount());
    ASSERT_EQ(got.ColCount(), want.ColCount());
    for (int row = 0; row < want.RowCount(); ++row)
        for (int col = 0; col < want.ColCount(); ++col)
            ASSERT_EQ(got.Cell(col, row), want.Cell(col, row)) << "col " << col << " row " << row;
}

class EndToEnd : public ::testing::Test {
  protected:
    // The device on a fresh pty; with `linkPath` it is reached through that
    // link, as a port named by the user would be.
    void Start(sim::LineOptions line = {}, std::filesystem::path linkPath = {}) {
        sim_ = std::make_unique<sim::Simulator>(memory_, sim::SimulatorOptions{line, linkPath});
        sim_->Start();
        locator_ =
            std::make_unique<FixedLocator>(linkPath.empty() ? sim_->PortPath() : linkPath.string());
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

    // Nothing under way: every download button enabled, each upload button
    // while its list holds something, and no progress bar.
    void ExpectIdle() {
        const TransferButtons b = companion_->Buttons();
        EXPECT_TRUE(b.downloadTracks && b.downloadPlan && b.downloadPoi);
        EXPECT_EQ(b.uploadPlan, companion_->plans.PlanCount > 0);
        EXPECT_EQ(b.uploadPoi, companion_->pois.PoiCount > 0);
        EXPECT_FALSE(Link().Status().progress.Visible);
        EXPECT_FALSE(Link().TransferRunning());
    }

    // Downloads the tracks and checks that they are those the track
    // assembly finds in the device's memory read directly.
    void ExpectTrackDownloadEqualsMemory() {
        ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
        EXPECT_EQ(companion_->Buttons(), (TransferButtons{false, false, false, false, false}));
        ASSERT_TRUE(TickUntil([](const LinkProgress& p) { return p.DownloadsFinished == 1; }));

        const Bytes sent = Padded(memory_.tracks);
        const auto got = companion_->transfer.Valid();
        ASSERT_EQ(Bytes(got.begin(), got.end()), sent);

        AppValues values;
        TrackStore direct(values);
        const AssemblyReport report = direct.AssembleTracks(sent);
        EXPECT_EQ(report.tracks, 2);
        EXPECT_EQ(companion_->tracks.List(), direct.List());
        ExpectIdle();
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
        ExpectIdle();
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

}  // namespace vantrel::testing
