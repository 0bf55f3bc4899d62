// Block downloads on a scripted device: what is stored, acknowledged, asked
// for again or cancelled, and the limits of the ring, the reply buffer and
// the transfer area.

#include <gtest/gtest.h>

#include "device/LinkFixture.h"

namespace vantrel::testing {
namespace {

class BlockTransfer : public LinkFixture {
  protected:
    static Bytes Block(int number) {
        return DownloadBlock(static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number));
    }
    static std::vector<Bytes> Blocks(int count) {
        std::vector<Bytes> blocks;
        for (int k = 1; k <= count; ++k)
            blocks.push_back(Block(k));
        return blocks;
    }
    // A failed download: cancelled on the line, nothing handed over, the
    // area as it was, the link idle again and the user told why.
    void ExpectFailedDownload(const std::string& why) {
        EXPECT_TRUE(hooks.loaded.empty());
        EXPECT_EQ(link.Transfer().TransferLength, 0u);
        EXPECT_FALSE(link.TransferRunning());
        EXPECT_FALSE(status.progress.Visible);
        EXPECT_EQ(link.Progress().TransfersFailed, 1u);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].text.find("The track download failed: " + why),
                  std::string::npos)
            << messages.shown[0].text;
        EXPECT_NE(messages.shown[0].text.find("nothing was kept"), std::string::npos);
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
        {&DeviceLink::RequestTrackDownload, "tracks 3072"},
        {&DeviceLink::RequestPlanDownload, "plan 3072"},
        {&DeviceLink::RequestPoiDownload, "poi 3072"}};
    for (const auto& [click, handed] : kinds) {
        log.clear();
        hooks.loaded.clear();
        ServeDownload(Blocks(3), "$POEM200,4096*\r\n\r\n");
        ASSERT_EQ((link.*click)(), RequestResult::Sent);
        EXPECT_TRUE(link.TransferRunning());
        EXPECT_TRUE(status.progress.Visible);
        Drain();
        EXPECT_EQ(hooks.loaded, std::vector<std::string>{handed});
        EXPECT_EQ(link.Transfer().TransferLength, 3072u);
        EXPECT_EQ(link.Transfer().bytes[2048], 3);
        EXPECT_EQ(Count("pc 06"), 3);
        EXPECT_EQ(Count("pc 15"), 1);  // the EOT's, which the device repeated
        EXPECT_EQ(Count("pc 18"), 2);  // the download's CAN and the reset's
        EXPECT_EQ(Count("sleep 200"), 1);
        EXPECT_EQ(status.acknowledgement.Text, "4096");
        EXPECT_FALSE(link.TransferRunning());
        EXPECT_FALSE(status.progress.Visible);
        EXPECT_EQ(vars.BlocksReceived, 0);
        EXPECT_FALSE(port.Active());
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(BlockTransfer, RestartByteAsksForCAgainAndPauses) {
    AwaitFirstBlock();
    port.Deliver({kRestart});
    const std::size_t mark = log.size();
    Ticks(1);
    EXPECT_EQ(Since(mark), (EventLog{"pc 43", "sleep 1300"}));
    EXPECT_EQ(vars.LinkState, kBlockStart);
}

// A device with nothing to send answers "C" with EOT: the hand-over is
// empty, never what an earlier transfer left in the area.
TEST_F(BlockTransfer, EotRightAfterCHandsOverAnEmptyTransfer) {
    link.Transfer().TransferLength = 5120;
    ServeDownload({}, "$POEM200,00000*\r\n");
    link.RequestPoiDownload();
    Drain();
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"poi 0"});
    EXPECT_EQ(link.Transfer().TransferLength, 0u);
}

TEST_F(BlockTransfer, DamagedBlocksAreAskedForAgainAndStoredOnce) {
    Bytes wrongComplement = Block(2);
    wrongComplement[2] ^= 1;
    ServeDownload({Block(1), Damaged(Block(2)), wrongComplement, Block(2), Block(3)});
    link.RequestTrackDownload();
    Drain();
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 3072"});
    EXPECT_EQ(Count("pc 15"), 2 + 1);  // and the EOT's
    EXPECT_EQ(Count("pc 06"), 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(link.Transfer().bytes[k * kBlockSize + 500], k + 1) << "block " << k + 1;
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(BlockTransfer, BlockDamagedTenTimesCancelsAndHandsNothingOver) {
    std::vector<Bytes> sends{Block(1)};
    sends.insert(sends.end(), kMaxTries, Damaged(Block(2)));
    ServeDownload(sends);
    link.RequestTrackDownload();
    Drain();
    EXPECT_EQ(Count("pc 15"), kMaxTries - 1);
    EXPECT_EQ(Count("pc 18 18"), 1);
    ExpectFailedDownload("block 2 arrived damaged 10 times");
    EXPECT_FALSE(port.Active());  // the reset left the port closed
}

// The device missed an ACK and sent the block again: it replaces the one
// stored, so nothing after it shifts.
TEST_F(BlockTransfer, RepeatOfTheLastBlockOverwritesIt) {
    Bytes again = DownloadBlock(2, 0x77);
    ServeDownload({Block(1), Block(2), again, Block(3)});
    link.RequestTrackDownload();
    Drain();
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 3072"});
    EXPECT_EQ(link.Transfer().bytes[kBlockSize], 0x77);
    EXPECT_EQ(link.Transfer().bytes[2 * kBlockSize], 3);
    EXPECT_EQ(Count("pc 06"), 4);
}

TEST_F(BlockTransfer, BlockOutOfSequenceCancels) {
    ServeDownload({Block(1), Block(3)});
    link.RequestTrackDownload();
    Drain();
    EXPECT_EQ(Count("pc 18 18"), 1);
    ExpectFailedDownload("the device sent block 3 where block 2 was due");
}

// A block whose bytes stop is asked for again at once; a device that then
// stays silent is the watchdog's.
TEST_F(BlockTransfer, BlockThatStopsArrivingIsAskedForAgainAndSilenceEndsTheTransfer) {
    AwaitFirstBlock();
    const Bytes second = Block(2);
    port.Deliver(Block(1));
    port.Deliver(Bytes(second.begin(), second.begin() + 500));
    Ticks(2 + kBlockQuietTicks);  // two ticks read the bytes
    EXPECT_EQ(Count("pc 15"), 1);
    EXPECT_EQ(vars.LinkState, kBlockStart);
    EXPECT_EQ(link.PendingBytes(), 0u);
    Ticks(kWatchdogStart);
    EXPECT_EQ(link.Progress().WatchdogResets, 1u);
    EXPECT_EQ(vars.LinkState, kCommandMode);
    ExpectFailedDownload("the device stopped answering");
}

TEST_F(BlockTransfer, OtherAcknowledgementIsIgnoredUntilTheWatchdog) {
    ServeDownload(Blocks(1), "$POEM201,4096*\r\n");
    link.RequestTrackDownload();
    Ticks(400);
    EXPECT_EQ(Count("pc 43"), 0);
    EXPECT_EQ(link.Progress().WatchdogResets, 1u);
    ExpectFailedDownload("the device stopped answering");
}

TEST_F(BlockTransfer, PortFailureAtTheTransferRateEndsTheTransfer) {
    ServeDownload(Blocks(1), "$POEM200,4096*\r\n\r");
    link.RequestPoiDownload();
    port.openFailure = LinkPortError::FromErrno(EACCES, "/dev/ttyUSB0");
    Ticks(1);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(status.progress.Visible);
    EXPECT_EQ(Count("pc 43"), 0);
    EXPECT_EQ(link.Progress().PortFailures, 1u);
}

TEST_F(BlockTransfer, DownloadBeyondTheAreaIsCutCancelledAndKept) {
    ServeDownload(Blocks(kMaxDownloadBlocks + 2));
    link.RequestTrackDownload();
    Drain(100000);
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 2097152"});
    EXPECT_EQ(Count("pc 06"), kMaxDownloadBlocks);
    EXPECT_EQ(link.Progress().DownloadsCut, 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("2048 blocks"), std::string::npos);
}

TEST_F(BlockTransfer, RingNeverTakesMoreThanItHolds) {
    FinishAnUpload();
    port.Deliver(Bytes(RxRing::kSize + 5000, 'x'));
    Ticks(200);
    EXPECT_EQ(link.PendingBytes(), RxRing::kSize);
    EXPECT_EQ(port.incoming.size(), 5000u);
}
}  // namespace
}  // namespace vantrel::testing
