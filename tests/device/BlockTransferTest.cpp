// Block downloads and uploads on a scripted device, with their failures and
// the limits of the ring, the reply buffer and the transfer area.

#include <gtest/gtest.h>

#include "device/LinkFixture.h"

namespace vantrel::testing {
namespace {

class BlockTransfer : public LinkFixture {
  protected:
    std::vector<Bytes> Blocks(int count) {
        std::vector<Bytes> blocks;
        for (int k = 1; k <= count; ++k)
            blocks.push_back(
                DownloadBlock(static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k)));
        return blocks;
    }
    // The upload frames the device received: each STX and its 1027 bytes.
    std::vector<Bytes> UploadedFrames() const {
        std::vector<Bytes> frames;
        const Bytes& w = port.written;
        for (std::size_t i = 0; i + kBlockFrameLength < w.size(); ++i) {
            if (w[i] != kStx || w[i + 1] != frames.size() + 1) continue;
            frames.emplace_back(w.begin() + i + 1, w.begin() + i + 1 + kBlockFrameLength);
            i += kBlockFrameLength;
        }
        return frames;
    }
};

TEST(BlockChecks, CrcAndSumOfKnownData) {
    const std::string text = "123456789";
    const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_EQ(BlockCrc(data, text.size()), 0x31C3);  // the usual check value of this CRC
    EXPECT_EQ(BlockCrc(data, 0), 0);
    EXPECT_EQ(BlockChecksum(data, text.size()),
              (0x31 + 0x32 + 0x33 + 0x34 + 0x35 + 0x36 + 0x37 + 0x38 + 0x39) & 0xFF);
}

TEST_F(BlockTransfer, ThreeBlockDownloadIsStoredAndHandedOverOnce) {
    const std::pair<RequestResult (DeviceLink::*)(), std::string> kinds[] = {
        {&DeviceLink::btnDownloadFrGuiderClick, "tracks 3072"},
        {&DeviceLink::btnLoadPlanClick, "plan 3072"},
        {&DeviceLink::btnLoadPOIClick, "poi 3072"}};
    for (const auto& [click, handed] : kinds) {
        log.clear();
        hooks.loaded.clear();
        ServeDownload(Blocks(3), "$POEM200,4096*\r\n\r\n");
        (link.*click)();
        Drain();
        EXPECT_EQ(hooks.loaded, std::vector<std::string>{handed});
        EXPECT_EQ(link.Transfer().TransferLength, 3072u);
        EXPECT_EQ(link.Transfer().bytes[2048], 3);
        EXPECT_EQ(Count("pc 06"), 3);
        EXPECT_EQ(Count("pc 18"), 2);  // the download's CAN and the reset's
        EXPECT_EQ(Count("sleep 200"), 1);
        EXPECT_EQ(display.edAck.Text, "4096");
        EXPECT_TRUE(display.btnLoadPlan.Enabled && display.btnDownloadFrGuider.Enabled);
        EXPECT_FALSE(display.pbarLoading.Visible);
        EXPECT_EQ(vars.BlocksReceived, 0);
        EXPECT_FALSE(port.Active());
    }
}

TEST_F(BlockTransfer, RestartByteAsksForCAgainAndPauses) {
    vars.LinkState = kBlockStart;
    port.SetActive(true);
    port.Deliver({kRestart});
    const std::size_t mark = log.size();
    Ticks(1);
    EXPECT_EQ(Since(mark), (EventLog{"pc 43", "sleep 1300"}));
    EXPECT_EQ(vars.LinkState, kBlockStart);
}

TEST_F(BlockTransfer, EotRightAfterCKeepsTheEarlierLength) {
    link.Transfer().TransferLength = 5120;
    ServeDownload({});
    link.btnDownloadFrGuiderClick();
    Drain();
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 5120"});
}

TEST_F(BlockTransfer, OtherAcknowledgementIsIgnoredUntilTheWatchdog) {
    ServeDownload(Blocks(1), "$POEM201,4096*\r\n");
    link.btnDownloadFrGuiderClick();
    Ticks(400);
    EXPECT_EQ(Count("pc 43"), 0);
    EXPECT_EQ(link.Progress().WatchdogResets, 1u);
    EXPECT_TRUE(display.btnDownloadFrGuider.Enabled);
}

TEST_F(BlockTransfer, PortFailureAtTheTransferRateGivesTheButtonsBack) {
    ServeDownload(Blocks(1), "$POEM200,4096*\r\n\r");
    link.btnLoadPOIClick();
    port.openFailure = LinkPortError::FromErrno(EACCES, "/dev/ttyUSB0");
    Ticks(1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(display.btnLoadPOI.Enabled);
    EXPECT_FALSE(display.pbarLoading.Visible);
    EXPECT_EQ(Count("pc 43"), 0);
}

TEST_F(BlockTransfer, StallMidTransferEndsThroughTheWatchdogWithoutHandOver) {
    auto blocks = Blocks(2);
    blocks[1].resize(500);
    ServeDownload(blocks);
    link.btnDownloadFrGuiderClick();
    Ticks(320);
    EXPECT_EQ(link.Progress().WatchdogResets, 1u);
    EXPECT_TRUE(hooks.loaded.empty());
    EXPECT_EQ(link.Transfer().TransferLength, 1024u);
    EXPECT_TRUE(display.btnDownloadFrGuider.Enabled);
    EXPECT_EQ(vars.LinkState, kCommandMode);
}

TEST_F(BlockTransfer, UploadOf1500BytesSendsTwoBlocksThenEot) {
    hooks.imageLength = 1500;
    display.btnStorePoi.Enabled = true;
    ServeUpload({kNak, kAck, kAck}, "$POEM200,0000*\r\n");
    EXPECT_EQ(link.btnStorePoiClick(), RequestResult::Sent);
    EXPECT_FALSE(display.btnStorePoi.Enabled);
    Drain();
    const auto frames = UploadedFrames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1][0], 2);
    EXPECT_EQ(frames[1][1], 0xFD);
    EXPECT_EQ(frames[1][2], static_cast<std::uint8_t>(1024 + 1));
    EXPECT_EQ(frames[1][2 + 476], 0xFF);  // past the image
    EXPECT_EQ(frames[1].back(), BlockChecksum(frames[1].data() + 2, kBlockSize));
    EXPECT_EQ(Count("pc 04"), 2);
    EXPECT_EQ(Count("sleep 20"), 1);
    EXPECT_EQ(vars.LinkState, kCommandMode);
    EXPECT_EQ(vars.BlocksSent, 0);
    EXPECT_TRUE(display.btnStorePoi.Enabled && display.btnStorePlan.Enabled);
}

TEST_F(BlockTransfer, UploadAnsweredOnlyWithNaksClosesWithoutEarlyEot) {
    hooks.imageLength = 1000;
    ServeUpload({kNak, kNak}, "$POEM200,00000000*\r\n");
    link.btnStorePlanClick();
    Ticks(1);  // the acknowledgement
    EXPECT_EQ(vars.LinkState, kBlockSend);
    Ticks(1);  // first NAK: block 1, past the end, no EOT yet
    EXPECT_EQ(vars.LinkState, kBlockClosing);
    EXPECT_EQ(Count("pc 04"), 0);
    Ticks(1);
    EXPECT_EQ(Count("pc 04"), 1);
    EXPECT_EQ(UploadedFrames().size(), 1u);
}

TEST_F(BlockTransfer, ExactMultipleOf1024SendsOneMoreAllFfBlock) {
    hooks.imageLength = 2048;
    ServeUpload({kNak, kAck, kAck, kAck}, "$POEM200,0000*\r\n");
    link.btnStorePoiClick();
    Drain();
    const auto frames = UploadedFrames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(Bytes(frames[2].begin() + 2, frames[2].end() - 1), Bytes(kBlockSize, 0xFF));
}

TEST_F(BlockTransfer, ImageBeyond255BlocksIsRefusedBeforeSending) {
    hooks.imageLength = kMaxUploadLength + 1;
    EXPECT_EQ(link.btnStorePlanClick(), RequestResult::Refused);
    hooks.refusal = "A title is too long.";
    EXPECT_EQ(link.btnStorePoiClick(), RequestResult::Refused);
    EXPECT_TRUE(port.written.empty());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[0].text.find("too large"), std::string::npos);
    EXPECT_EQ(messages.shown[1].text, "A title is too long.");
}

TEST_F(BlockTransfer, LargestImageGoesOutAs255BlocksWithoutWrapping) {
    hooks.imageLength = kMaxUploadLength;
    ServeUpload(Bytes(300, kAck), "$POEM200,0000*\r\n");
    link.btnStorePoiClick();
    Drain();
    EXPECT_EQ(UploadedFrames().size(), 255u);
    EXPECT_EQ(link.Progress().UploadsFinished, 1u);
}

TEST_F(BlockTransfer, DownloadBeyondTheAreaIsCutCancelledAndKept) {
    ServeDownload(Blocks(kMaxDownloadBlocks + 2));
    link.btnDownloadFrGuiderClick();
    Drain(100000);
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 2097152"});
    EXPECT_EQ(Count("pc 06"), kMaxDownloadBlocks);
    EXPECT_EQ(link.Progress().DownloadsCut, 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("2048 blocks"), std::string::npos);
}

TEST_F(BlockTransfer, RingNeverTakesMoreThanItHolds) {
    link.btnLoggerClick();
    vars.ReplyLength = 0;
    port.Deliver(Bytes(RxRing::kSize + 5000, 'x'));
    Ticks(200);
    EXPECT_EQ(link.Ring().RxCount(), RxRing::kSize);
    EXPECT_EQ(port.incoming.size(), 5000u);
}

TEST_F(BlockTransfer, OverlongTextReplyKeepsOnlyWhatFitsTheReplyBuffer) {
    // A stall in a block body leaves ReplyLength at 1028 after the reset.
    ServeDownload({Bytes{kStx}});
    link.btnDownloadFrGuiderClick();
    Ticks(310);
    ASSERT_EQ(vars.ReplyLength, kBlockBodyLength);
    port.SetActive(true);
    port.Deliver(Ascii("$POEM101,5,m,20,k,3,x,y*" + std::string(2000, 'q')));
    Ticks(2);
    EXPECT_EQ(vars.LastReply.size(), kReplyBufferSize - 1);
    EXPECT_EQ(display.memoData.size(), 2u);  // the acknowledgement, then this
}

}  // namespace
}  // namespace vantrel::testing
