// Uploads over the pty as the PC sends them: NAK to start, additive
// checksums, ACK per block, EOT; and what the device keeps.

#include <gtest/gtest.h>

#include "SimFixture.h"
#include "sim/DeviceMemory.h"
#include "support/ScratchFolder.h"

namespace vantrel::sim::testing {
namespace {

using vantrel::testing::ScratchFolder;

Bytes Pattern(std::size_t size) {
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i)
        b[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return b;
}

Bytes Joined(const std::vector<Bytes>& blocks) {
    Bytes all;
    for (const Bytes& b : blocks)
        all.insert(all.end(), b.begin(), b.end());
    return all;
}

class SimUpload : public SimLine {
  protected:
    // The request, its acknowledgement and the device's first NAK.
    void Begin(const char* sentence) {
        port_->Send(sentence);
        ASSERT_TRUE(port_->ReadReply().starts_with("$POEM200,"));
        ASSERT_EQ(port_->Read(1), Bytes{kNak});
    }
    // Sends one frame and returns the device's answer.
    Bytes SendFrame(const Bytes& frame, std::chrono::milliseconds wait = 5s) {
        port_->Send({frame[0]});  // STX as a write of its own, as the PC does
        port_->Send(std::span(frame).subspan(1));
        return port_->Read(1, wait);
    }
};

TEST_F(SimUpload, PlanIsKeptByteForByteAndServedBack) {
    ScratchFolder dir;
    Open({}, dir.Path());
    const std::vector<Bytes> blocks = UploadBlocks(Pattern(2048));  // exact fit: three blocks
    ASSERT_EQ(blocks.size(), 3u);
    Begin("$POEM12,11*\r\n");
    for (std::size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(SendFrame(UploadFrame(int(i) + 1, blocks[i])), Bytes{kAck}) << "block " << i + 1;
    port_->Send({kEot});
    EXPECT_EQ(port_->Read(1), Bytes{kAck});

    EXPECT_EQ(sim_->Uploaded(Payload::Plan), Joined(blocks));
    EXPECT_FALSE(sim_->Uploaded(Payload::Poi));
    EXPECT_EQ(ReadImageFile(dir.Path() / "plan.rte"), Joined(blocks));
    EXPECT_EQ(DownloadAsPc(*port_, "$POEM12,12*\r\n").data, Joined(blocks));
}

TEST_F(SimUpload, DamagedBlockIsRefusedAndOnlyGoodOnesKept) {
    Open();
    const std::vector<Bytes> blocks = UploadBlocks(Pattern(100));
    Begin("$POEM12,4*\r\n");
    Bytes damaged = UploadFrame(1, blocks[0]);
    damaged.back() ^= 1;
    EXPECT_EQ(SendFrame(damaged), Bytes{kNak});
    EXPECT_EQ(SendFrame(UploadFrame(1, blocks[0])), Bytes{kAck});
    EXPECT_EQ(SendFrame(UploadFrame(1, blocks[0])), Bytes{kAck});  // a repeat is not kept twice
    port_->Send({kEot});
    EXPECT_EQ(port_->Read(1), Bytes{kAck});
    EXPECT_EQ(sim_->Uploaded(Payload::Poi), blocks[0]);
    EXPECT_EQ(sim_->Memory().poi, blocks[0]);
}

TEST_F(SimUpload, OutOfSequenceBlockCancelsAndKeepsNothing) {
    Open();
    const std::vector<Bytes> blocks = UploadBlocks(Pattern(100));
    Begin("$POEM12,4*\r\n");
    EXPECT_EQ(SendFrame(UploadFrame(2, blocks[0])), Bytes{kCan});
    EXPECT_EQ(port_->Read(1), Bytes{kCan});
    EXPECT_FALSE(sim_->Uploaded(Payload::Poi));
    EXPECT_EQ(sim_->Memory().poi, memory_.poi);
    EXPECT_TRUE(InCommandMode());
}

TEST_F(SimUpload, NakRepeatsUntilTheFirstBlockComes) {
    Open();
    Begin("$POEM12,11*\r\n");
    EXPECT_EQ(port_->Read(1, 3s), Bytes{kNak});
    const Bytes block(kBlockSize, 0x11);
    EXPECT_EQ(SendFrame(UploadFrame(1, block)), Bytes{kAck});
    EXPECT_TRUE(port_->ReadUntilQuiet(1500ms).empty());  // no NAK once blocks flow
}

TEST_F(SimUpload, BlockNakedOnRequestIsKeptWhenSentAgain) {
    Open({.nakBlock = 2});
    const std::vector<Bytes> blocks = UploadBlocks(Pattern(1500));
    Begin("$POEM12,11*\r\n");
    EXPECT_EQ(SendFrame(UploadFrame(1, blocks[0])), Bytes{kAck});
    EXPECT_EQ(SendFrame(UploadFrame(2, blocks[1])), Bytes{kNak});
    EXPECT_EQ(SendFrame(UploadFrame(2, blocks[1])), Bytes{kAck});
    port_->Send({kEot});
    EXPECT_EQ(port_->Read(1), Bytes{kAck});
    EXPECT_EQ(sim_->Uploaded(Payload::Plan), Joined(blocks));
}

TEST_F(SimUpload, BlockNakedAlwaysIsNeverKept) {
    Open({.nakBlock = 1, .nakAlways = true});
    const std::vector<Bytes> blocks = UploadBlocks(Pattern(100));
    Begin("$POEM12,11*\r\n");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendFrame(UploadFrame(1, blocks[0])), Bytes{kNak});
    port_->Send({kCan, kCan});
    EXPECT_TRUE(InCommandMode());
    EXPECT_FALSE(sim_->Uploaded(Payload::Plan));
}

TEST_F(SimUpload, FirstEotIsAnsweredWithNakTheNextWithAck) {
    Open({.nakEot = true});
    const std::vector<Bytes> blocks = UploadBlocks(Pattern(10));
    Begin("$POEM12,4*\r\n");
    EXPECT_EQ(SendFrame(UploadFrame(1, blocks[0])), Bytes{kAck});
    port_->Send({kEot});
    EXPECT_EQ(port_->Read(1), Bytes{kNak});
    EXPECT_FALSE(sim_->Uploaded(Payload::Poi));
    port_->Send({kEot});
    EXPECT_EQ(port_->Read(1), Bytes{kAck});
    EXPECT_EQ(sim_->Uploaded(Payload::Poi), blocks[0]);
}

TEST_F(SimUpload, CancelAfterABlockKeepsNothing) {
    Open({.cancelUploadAfter = 1});
    const std::vector<Bytes> blocks = UploadBlocks(Pattern(1500));
    Begin("$POEM12,4*\r\n");
    EXPECT_EQ(SendFrame(UploadFrame(1, blocks[0])), Bytes{kCan});
    EXPECT_EQ(port_->Read(1), Bytes{kCan});
    EXPECT_TRUE(InCommandMode());
    EXPECT_EQ(sim_->Memory().poi, memory_.poi);
}

TEST_F(SimUpload, StallAfterABlockLeavesItUnansweredUntilReset) {
    Open({.stallAfter = 1});
    Begin("$POEM12,11*\r\n");
    EXPECT_TRUE(SendFrame(UploadFrame(1, Bytes(kBlockSize, 1)), 500ms).empty());
    port_->Send({kEsc, kCan});
    EXPECT_TRUE(InCommandMode());
    EXPECT_FALSE(sim_->Uploaded(Payload::Plan));
}

TEST_F(SimUpload, BlockBrokenOffIsDroppedAndTheResetHeard) {
    Open();
    Begin("$POEM12,11*\r\n");
    const Bytes frame = UploadFrame(1, Bytes(kBlockSize, 2));
    port_->Send(std::span(frame).first(500));  // the line dies midway through the block
    EXPECT_TRUE(port_->ReadUntilQuiet(1500ms).empty());
    port_->Send({kEsc, kCan});
    EXPECT_TRUE(InCommandMode());
}

}  // namespace
}  // namespace vantrel::sim::testing
