// Command sentences over the pty: replies of the lengths the PC reads, noise,
// pacing, and the ways back to command mode.

#include <gtest/gtest.h>

#include <filesystem>

#include "SimFixture.h"
#include "sim/Replies.h"

namespace vantrel::sim::testing {
namespace {

using Clock = std::chrono::steady_clock;

TEST_F(SimLine, SettingsRepliesHaveExactlyTheLengthThePcReads) {
    Open();
    port_->Send("$POEM14,0*\r\n");
    const Bytes guider = port_->ReadUntilQuiet();
    EXPECT_EQ(guider.size(), 34u);
    EXPECT_TRUE(Text(guider).starts_with("$POEM103,0,100,30,10,+8,+8,0*")) << Text(guider);
    port_->Send("$POEM06*\r\n");
    const Bytes logger = port_->ReadUntilQuiet();
    EXPECT_EQ(logger.size(), 54u);
    EXPECT_TRUE(Text(logger).starts_with("$POEM101,5,1,20,0,3,835584,600*")) << Text(logger);
}

TEST_F(SimLine, AcknowledgementsAreAtLeastAsLongAsThePcReads) {
    Open();
    const std::pair<const char*, std::size_t> commands[] = {
        {"$POEM12,14*\r\n", 16}, {"$POEM12,12*\r\n", 17}, {"$POEM12,2*\r\n", 17},
        {"$POEM12,4*\r\n", 16},  {"$POEM12,11*\r\n", 20}, {"$POEM12,1*\r\n", 17},
    };
    for (const auto& [sentence, length] : commands) {
        port_->Send(sentence);
        const std::string ack = port_->ReadReply();
        EXPECT_GE(ack.size(), length) << sentence;
        EXPECT_TRUE(ack.starts_with("$POEM200,")) << ack;
        port_->Send({kCan});  // leave the transfer the request began
        port_->ReadUntilQuiet(200ms);
    }
    port_->Send("$POEM12,14*\r\n");
    EXPECT_EQ(port_->ReadReply(), AckReply(std::to_string(memory_.tracks.size()), 16));
}

TEST_F(SimLine, NoiseComesBeforeEveryReplyAndBlockWithoutAnyControlByte) {
    Open({.noiseBytes = 5});
    port_->Send("$POEM14,0*\r\n");
    const Bytes reply = port_->ReadUntilQuiet();
    ASSERT_EQ(reply.size(), 5u + 34u);
    EXPECT_EQ(Text(reply).find('$'), 5u);
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,2*\r\n");
    EXPECT_EQ(d.data, Padded(memory_.poi));
    EXPECT_EQ(d.badFrames, 0);
    EXPECT_EQ(d.strayBytes, 5u);  // before the one block
}

TEST_F(SimLine, PacingHoldsTheLineToItsByteRate) {
    Open({.pace = true});
    auto start = Clock::now();
    port_->Send("$POEM06*\r\n");
    EXPECT_EQ(port_->Read(54).size(), 54u);
    EXPECT_GE(Clock::now() - start, LineTime(54, kCommandBaud));

    start = Clock::now();
    const DownloadResult d = DownloadAsPc(*port_, "$POEM12,14*\r\n");
    ASSERT_EQ(d.data, memory_.tracks);
    const std::size_t blocks = d.numbers.size();
    EXPECT_GE(Clock::now() - start, LineTime(blocks * kDownloadBlockLength, kTransferBaud));
}

TEST_F(SimLine, ResetSequenceAndEachOfItsPartsEndADownloadMidway) {
    Open();
    // ESC CAN, DC1 DC3 and the logger request, as the PC's link reset sends them.
    const Bytes resets[] = {{kEsc, kCan, kDc1, kDc3}, {kCan}, {kDc1, kDc3}};
    for (const Bytes& reset : resets) {
        port_->Send("$POEM12,14*\r\n");
        port_->ReadReply();
        port_->Send({kCrcStart});
        ASSERT_EQ(port_->Read(kDownloadBlockLength).size(), kDownloadBlockLength);
        port_->Send(reset);
        port_->Send({kAck});  // would bring block 2 if the transfer were still running
        EXPECT_TRUE(port_->ReadUntilQuiet().empty());
    }
    port_->Send("$POEM12,14*\r\n");  // a new sentence leaves a transfer too
    port_->ReadReply();
    sim_->TakeReceived();
    port_->Send("$POEM06*\r\n");
    EXPECT_EQ(port_->ReadUntilQuiet().size(), 54u);
    EXPECT_EQ(Text(sim_->TakeReceived()), "$POEM06*\r\n");
}

// Like a real device the simulator holds no descriptor of the PC's end, so
// a check for programs holding the port finds none of its own.
TEST_F(SimLine, HoldsNoDescriptorOfThePcsEnd) {
    Open();
    port_.reset();
    const std::filesystem::path pc = sim_->PortPath();
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        EXPECT_NE(std::filesystem::read_symlink(fd.path(), error), pc) << fd.path();
    }
    port_ = std::make_unique<PcPort>(sim_->PortPath());
    EXPECT_TRUE(InCommandMode());
}

TEST_F(SimLine, KeepsServingWhileThePcClosesAndReopensThePort) {
    Open();
    for (int i = 0; i < 3; ++i) {
        port_.reset();
        port_ = std::make_unique<PcPort>(sim_->PortPath());
        EXPECT_TRUE(InCommandMode());
    }
    EXPECT_FALSE(sim_->Ended());
}

}  // namespace
}  // namespace vantrel::sim::testing
