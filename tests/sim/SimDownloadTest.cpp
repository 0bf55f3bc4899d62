// Downloads over the pty as the PC runs them, with and without line faults.

#include <gtest/gtest.h>

#include "SimFixture.h"

namespace vantrel::sim::testing {
namespace {

std::vector<int> Numbers(int first, int last) {
    std::vector<int> n;
    for (int i = first; i <= last; ++i)
        n.push_back(i);
    return n;
}

TEST_F(SimLine, TrackDownloadDeliversTheWholeMemoryWithValidFrames) {
    Open();
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,14*\r\n");
    EXPECT_EQ(d.ack.substr(0, 15), "$POEM200,12288*");
    EXPECT_TRUE(d.endedWithEot);
    EXPECT_EQ(d.badFrames, 0);
    EXPECT_EQ(d.strayBytes, 0u);
    EXPECT_EQ(d.numbers, Numbers(1, 12));
    EXPECT_EQ(d.data, memory_.tracks);
    EXPECT_TRUE(InCommandMode());  // the CAN after EOT ended the transfer
}

TEST_F(SimLine, BlockNumbersWrapAfter255) {
    memory_.tracks = Bytes(300 * kBlockSize, 0x5A);
    Open();
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,14*\r\n");
    ASSERT_EQ(d.numbers.size(), 300u);
    EXPECT_EQ(d.numbers[254], 255);
    EXPECT_EQ(d.numbers[255], 0);
    EXPECT_EQ(d.badFrames, 0);
    EXPECT_EQ(d.data, memory_.tracks);
}

TEST_F(SimLine, PlanAndPoiImagesArePaddedWithErasedFlash) {
    Open();
    const DownloadResult plan = DownloadAsPc(*port_, "$POEM12,12*\r\n");
    EXPECT_EQ(plan.data, Padded(memory_.plan));
    EXPECT_TRUE(plan.endedWithEot);
    const DownloadResult poi = DownloadAsPc(*port_, "$POEM12,2*\r\n");
    EXPECT_EQ(poi.data, Padded(memory_.poi));
    EXPECT_EQ(poi.badFrames + plan.badFrames, 0);
}

// An empty plan has nothing to send; an empty POI list still has its end
// mark, the erased record after it.
TEST_F(SimLine, EmptyPlanSendsEotRightAfterCAndEmptyPoisTheirEndMark) {
    memory_.plan.clear();
    memory_.poi.clear();
    Open();
    const DownloadResult plan = DownloadAsPc(*port_, "$POEM12,12*\r\n");
    EXPECT_TRUE(plan.ack.starts_with("$POEM200,0*"));
    EXPECT_TRUE(plan.endedWithEot);
    EXPECT_TRUE(plan.numbers.empty());
    const DownloadResult poi = DownloadAsPc(*port_, "$POEM12,2*\r\n");
    EXPECT_TRUE(poi.ack.starts_with("$POEM200,16*"));
    EXPECT_EQ(poi.data, Bytes(kBlockSize, 0xFF));
}

TEST_F(SimLine, EtxBeforeTheFirstBlockAsksForCAgain) {
    Open({.etxFirst = true});
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,12*\r\n");
    EXPECT_EQ(d.etxBytes, 1);
    EXPECT_EQ(d.data, Padded(memory_.plan));
}

TEST_F(SimLine, RepeatedBlockComesTwiceWithTheSameNumber) {
    Open({.repeatBlock = 2});
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,14*\r\n");
    EXPECT_EQ(d.numbers, (std::vector<int>{1, 2, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    Bytes expected = memory_.tracks;
    expected.insert(expected.begin() + 2 * kBlockSize, expected.begin() + kBlockSize,
                    expected.begin() + 2 * kBlockSize);
    EXPECT_EQ(d.data, expected);
}

TEST_F(SimLine, StalledDeviceFallsSilentUntilReset) {
    Open({.stallAfter = 2});
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,14*\r\n", 500ms);
    EXPECT_EQ(d.numbers, Numbers(1, 2));
    EXPECT_FALSE(d.endedWithEot);
    port_->Send({kAck, kCrcStart, kNak});
    EXPECT_TRUE(port_->ReadUntilQuiet().empty());
    port_->Send({kEsc, kCan});
    EXPECT_TRUE(InCommandMode());
}

TEST_F(SimLine, HangUpClosesTheLineMidTransfer) {
    Open({.hangUpAfter = 1});
    port_->Send("$POEM12,14*\r\n");
    port_->ReadReply();
    port_->Send({kCrcStart});
    ASSERT_EQ(port_->Read(kDownloadBlockLength).size(), kDownloadBlockLength);
    port_->Send({kAck});
    EXPECT_TRUE(port_->SeesHangUp());
    sim_->Stop();
    EXPECT_EQ(sim_->Ended(), RunEnd::HungUp);
}

// Reads one block after its STX; true when its complement and CRC are right.
bool BlockIsIntact(PcPort& port, int number) {
    const Bytes block = port.Read(kDownloadBlockLength);
    EXPECT_EQ(block.size(), kDownloadBlockLength);
    if (block.size() != kDownloadBlockLength) return false;
    EXPECT_EQ(block[0], kStx);
    EXPECT_EQ(block[1], number);
    const std::uint16_t crc = BlockCrc(std::span(block).subspan(3, kBlockSize));
    return block[2] == static_cast<std::uint8_t>(~block[1]) && block[3 + kBlockSize] == crc >> 8 &&
           block[4 + kBlockSize] == (crc & 0xFF);
}

TEST(SimLineBytes, CrcAndSumOfKnownData) {
    const std::string text = "123456789";
    const Bytes data(text.begin(), text.end());
    EXPECT_EQ(BlockCrc(data), 0x31C3);  // the usual check value of this CRC
    EXPECT_EQ(BlockChecksum(data), 0xDD);
}

TEST_F(SimLine, DamagedBlockIsSentIntactAgainAfterNak) {
    Open({.damageBlock = 2});
    port_->Send("$POEM12,14*\r\n");
    port_->ReadReply();
    port_->Send({kCrcStart});
    EXPECT_TRUE(BlockIsIntact(*port_, 1));
    port_->Send({kAck});
    EXPECT_FALSE(BlockIsIntact(*port_, 2));
    port_->Send({kNak});
    EXPECT_TRUE(BlockIsIntact(*port_, 2));
    port_->Send({kAck});
    EXPECT_TRUE(BlockIsIntact(*port_, 3));
}

TEST_F(SimLine, BlockDamagedAlwaysStaysDamagedUntilCancelled) {
    Open({.damageBlock = 1, .damageAlways = true});
    port_->Send("$POEM12,14*\r\n");
    port_->ReadReply();
    port_->Send({kCrcStart});
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(BlockIsIntact(*port_, 1));
        port_->Send({kNak});
    }
    port_->ReadUntilQuiet();
    port_->Send({kCan, kCan});
    EXPECT_TRUE(InCommandMode());
}

TEST_F(SimLine, EotFirstSendsNothingButEot) {
    Open({.eotFirst = true});
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,2*\r\n");
    EXPECT_TRUE(d.endedWithEot);
    EXPECT_TRUE(d.numbers.empty());
    EXPECT_TRUE(InCommandMode());
}

TEST_F(SimLine, FaultsCanChangeBetweenTransfers) {
    Open({.stallAfter = 0});
    EXPECT_TRUE(DownloadAsPc(*port_, "$POEM12,12*\r\n", 300ms).numbers.empty());
    sim_->SetLineOptions({});
    port_->Send({kCan});
    EXPECT_EQ(DownloadAsPc(*port_, "$POEM12,12*\r\n").data, Padded(memory_.plan));
}

}  // namespace
}  // namespace vantrel::sim::testing
