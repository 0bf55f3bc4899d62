// Block uploads on a scripted device (blocks sent again on NAK, the EOT that
// must be acknowledged, the device's CAN), and how any transfer holds off
// other requests and ends when its port goes away.

#include <gtest/gtest.h>

#include "device/LinkFixture.h"

namespace vantrel::testing {
namespace {

class UploadTransfer : public LinkFixture {
  protected:
    // The upload frames the device received: each STX and its 1027 bytes.
    std::vector<Bytes> UploadedFrames() const {
        std::vector<Bytes> frames;
        const Bytes& w = port.written;
        for (std::size_t i = 0; i + kBlockFrameLength < w.size(); ++i) {
            if (w[i] != kStx || static_cast<std::uint8_t>(w[i + 1] + w[i + 2]) != 0xFF) continue;
            frames.emplace_back(w.begin() + i + 1, w.begin() + i + 1 + kBlockFrameLength);
            i += kBlockFrameLength;
        }
        return frames;
    }
    void ExpectFailedUpload(const std::string& why) {
        EXPECT_EQ(link.Progress().UploadsFinished, 0u);
        EXPECT_EQ(link.Progress().TransfersFailed, 1u);
        EXPECT_FALSE(link.TransferRunning());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "The POI upload failed: " + why + ".");
    }
};

TEST_F(UploadTransfer, UploadOf1500BytesSendsTwoBlocksThenEotAndEndsAtItsAck) {
    hooks.imageLength = 1500;
    ServeUpload({kNak, kAck, kAck}, "$POEM200,0000*\r\n");
    EXPECT_EQ(link.UploadPoiList(), RequestResult::Sent);
    EXPECT_TRUE(link.TransferRunning());
    EXPECT_FALSE(status.progress.Visible);
    Drain();
    const auto frames = UploadedFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1][0], 2);
    EXPECT_EQ(frames[1][1], 0xFD);
    EXPECT_EQ(frames[1][2], static_cast<std::uint8_t>(1024 + 1));
    EXPECT_EQ(frames[1][2 + 476], 0xFF);  // past the image
    EXPECT_EQ(frames[1].back(), sim::BlockChecksum({frames[1].data() + 2, kBlockSize}));
    EXPECT_EQ(Count("pc 04"), 1);
    EXPECT_EQ(Count("sleep 20"), 1);
    EXPECT_TRUE(link.TransferRunning());  // the EOT is not acknowledged yet
    port.Deliver({kAck});
    Drain();
    EXPECT_EQ(link.Progress().UploadsFinished, 1u);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_EQ(vars.LinkState, kCommandMode);
    EXPECT_EQ(vars.BlocksSent, 0);
}

TEST_F(UploadTransfer, NakedBlockIsSentAgainAndTheNextOneFollows) {
    hooks.imageLength = 1500;
    ServeUpload({kNak, kNak, kAck, kNak, kAck, kAck});
    link.UploadPoiList();
    Drain();
    const auto frames = UploadedFrames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0], frames[1]);
    EXPECT_EQ(frames[2], frames[3]);
    EXPECT_EQ(frames[2][0], 2);
    EXPECT_EQ(link.Progress().UploadsFinished, 1u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UploadTransfer, BlockNakedTenTimesFailsWithCan) {
    hooks.imageLength = 1000;
    ServeUpload(Bytes(1 + kMaxTries, kNak));
    link.UploadPoiList();
    Drain();
    EXPECT_EQ(UploadedFrames().size(), static_cast<std::size_t>(kMaxTries));
    EXPECT_EQ(Count("pc 18 18"), 1);
    EXPECT_EQ(Count("pc 04"), 0);
    ExpectFailedUpload("the device refused block 1 10 times");
}

TEST_F(UploadTransfer, NakToTheEotSendsItAgain) {
    hooks.imageLength = 10;
    ServeUpload({kNak, kAck, kNak, kAck});
    link.UploadPoiList();
    Drain();
    EXPECT_EQ(Count("pc 04"), 2);
    EXPECT_EQ(link.Progress().UploadsFinished, 1u);
}

TEST_F(UploadTransfer, EotNeverAcknowledgedFails) {
    hooks.imageLength = 10;
    Bytes answers{kNak, kAck};
    answers.insert(answers.end(), kMaxTries, kNak);
    ServeUpload(answers);
    link.UploadPoiList();
    Drain();
    EXPECT_EQ(Count("pc 04"), kMaxTries);
    ExpectFailedUpload("the device did not acknowledge its end");
}

TEST_F(UploadTransfer, CanFromTheDeviceEndsTheUploadAtOnce) {
    hooks.imageLength = 3000;
    ServeUpload({kNak, kCan});
    link.UploadPoiList();
    Ticks(10);  // the acknowledgement, what the POI request leaves of it, the NAK, the CAN
    ExpectFailedUpload("the device cancelled it");
    EXPECT_EQ(UploadedFrames().size(), 1u);
    EXPECT_EQ(link.Progress().WatchdogResets, 0u);
}

TEST_F(UploadTransfer, ExactMultipleOf1024SendsOneMoreAllFfBlock) {
    hooks.imageLength = 2048;
    ServeUpload({kNak, kAck, kAck, kAck, kAck}, "$POEM200,0000*\r\n");
    link.UploadPoiList();
    Drain();
    const auto frames = UploadedFrames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(Bytes(frames[2].begin() + 2, frames[2].end() - 1), Bytes(kBlockSize, 0xFF));
    EXPECT_EQ(link.Progress().UploadsFinished, 1u);
}

TEST_F(UploadTransfer, ImageBeyond255BlocksIsRefusedBeforeSending) {
    hooks.imageLength = kMaxUploadLength + 1;
    EXPECT_EQ(link.UploadPlan(), RequestResult::Refused);
    hooks.refusal = "A title is too long.";
    EXPECT_EQ(link.UploadPoiList(), RequestResult::Refused);
    EXPECT_TRUE(port.written.empty());
    EXPECT_FALSE(link.TransferRunning());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].text.find("too large"), std::string::npos);
    EXPECT_EQ(messages.shown[1].text, "A title is too long.");
}

TEST_F(UploadTransfer, LargestImageGoesOutAs255BlocksWithoutWrapping) {
    hooks.imageLength = kMaxUploadLength;
    Bytes answers(300, kAck);
    answers[0] = kNak;
    ServeUpload(answers, "$POEM200,0000*\r\n");
    link.UploadPoiList();
    Drain();
    EXPECT_EQ(UploadedFrames().size(), 255u);
    EXPECT_EQ(link.Progress().UploadsFinished, 1u);
}

// What is sent is the image as built at the request, whatever the shared
// area holds later (a file saved meanwhile builds its image there).
TEST_F(UploadTransfer, BlocksGoOutFromTheImageBuiltAtTheRequest) {
    hooks.imageLength = 1500;
    ServeUpload({});
    link.UploadPoiList();
    std::fill(area.bytes.begin(), area.bytes.begin() + 4096, 0x55);
    ServeUpload({kAck, kAck, kAck});
    port.Deliver({kNak});
    Drain();
    const auto frames = UploadedFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0][2], 1);
    EXPECT_EQ(frames[1][2 + 476], 0xFF);
}

class TransferLifecycle : public LinkFixture {};

TEST_F(TransferLifecycle, EveryOtherRequestIsRefusedWhileATransferRuns) {
    ServeDownload({DownloadBlock(1, 1)});
    ASSERT_EQ(link.RequestTrackDownload(), RequestResult::Sent);
    Ticks(3);  // acknowledged, block 1 on its way
    const std::size_t written = port.written.size();
    RequestResult (DeviceLink::*others[])() = {&DeviceLink::RequestPlanDownload,
                                               &DeviceLink::RequestPoiDownload,
                                               &DeviceLink::RequestTrackDownload,
                                               &DeviceLink::RequestTrackDownloadQuietly,
                                               &DeviceLink::UploadPlan,
                                               &DeviceLink::UploadPoiList,
                                               &DeviceLink::RequestGuiderSettings,
                                               &DeviceLink::RequestLoggerSettings,
                                               &DeviceLink::RequestLoggerData};
    for (auto click : others)
        EXPECT_EQ((link.*click)(), RequestResult::Busy);
    EXPECT_EQ(port.written.size(), written);
    ASSERT_EQ(messages.shown.size(), std::size(others));
    EXPECT_EQ(messages.shown[0].text,
              "The track download is still under way; wait until it has ended.");
    Drain();
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 1024"});
    ServeDownload({});
    EXPECT_EQ(link.RequestPlanDownload(), RequestResult::Sent);
}

TEST_F(TransferLifecycle, LostPortEndsTheTransferAtOnceAndNamesThePort) {
    ServeDownload({DownloadBlock(1, 1), DownloadBlock(2, 2)});
    link.RequestTrackDownload();
    Ticks(4);
    port.lost = true;  // and what it had not read is gone with it
    port.onWrite = nullptr;
    port.incoming.clear();
    Ticks(1);
    EXPECT_FALSE(port.Active());
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(status.progress.Visible);
    EXPECT_TRUE(hooks.loaded.empty());
    EXPECT_EQ(link.Progress().PortFailures, 1u);
    EXPECT_EQ(link.Progress().TransfersFailed, 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "The track download failed: the connection to the device on /dev/ttyUSB0 was "
              "lost; nothing was kept.");
    // Back again: the next request opens the port anew.
    ServeDownload({DownloadBlock(1, 1)});
    EXPECT_EQ(link.RequestTrackDownload(), RequestResult::Sent);
    Drain();
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 1024"});
}

TEST_F(TransferLifecycle, PortLostWhileIdleIsClosedQuietly) {
    FinishAnUpload();
    port.lost = true;
    Ticks(1);
    EXPECT_FALSE(port.Active());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(link.Progress().PortFailures, 0u);
}

}  // namespace
}  // namespace vantrel::testing
