// The link reading bytes as the port reports them: replies and blocks are
// answered without waiting for a tick, a block that arrives in pieces is
// acknowledged once it is whole, and only ticks count towards the watchdog.

#include <gtest/gtest.h>

#include "device/EndToEndFixture.h"
#include "device/LinkFixture.h"

namespace vantrel::testing {
namespace {

class Receive : public LinkFixture {};

// Only the check of the EOT waits for ticks: it is answered once the line
// has been quiet.
TEST_F(Receive, WholeDownloadIsAnsweredAsItArrivesWithoutATick) {
    ServeDownload({DownloadBlock(1, 1), DownloadBlock(2, 2), DownloadBlock(3, 3)});
    ASSERT_EQ(link.RequestTrackDownload(), RequestResult::Sent);
    link.Receive();  // each answer makes the device send on at once
    EXPECT_EQ(Count("pc 06"), 3);
    EXPECT_EQ(vars.LinkState, kEotCheck);
    Ticks(kEotSettleTicks + 1);
    EXPECT_EQ(hooks.loaded, std::vector<std::string>{"tracks 3072"});
    EXPECT_EQ(link.Transfer().bytes[2048], 3);
}

TEST_F(Receive, BlockInPiecesIsAcknowledgedOnceWholeAndTheNextStartIsReadAtOnce) {
    AwaitFirstBlock();
    const Bytes block = DownloadBlock(1, 7);
    port.Deliver(Bytes(block.begin(), block.begin() + 2));  // STX and the number
    link.Receive();
    EXPECT_EQ(vars.LinkState, kBlockBody);
    port.Deliver(Bytes(block.begin() + 2, block.end() - 1));
    link.Receive();
    EXPECT_EQ(Count("pc 06"), 0);
    port.Deliver({block.back(), kStx});
    link.Receive();
    EXPECT_EQ(Count("pc 06"), 1);
    EXPECT_EQ(vars.BlocksReceived, 1);
    EXPECT_EQ(vars.LinkState, kBlockBody);  // the next block's STX was taken with it
}

TEST_F(Receive, UploadAnswersAreAnsweredAtOnce) {
    hooks.imageLength = 1500;
    ServeUpload({kNak, kAck, kAck, kAck}, "$POEM200,0000*\r\n");
    ASSERT_EQ(link.UploadPoiList(), RequestResult::Sent);
    link.Receive();
    EXPECT_EQ(link.Progress().UploadsFinished, 1u);
    EXPECT_EQ(vars.LinkState, kCommandMode);
}

TEST_F(Receive, OnlyTicksBringTheWatchdogNearer) {
    AwaitFirstBlock();
    port.Deliver({kStx});
    link.Receive();
    for (int i = 0; i < 2 * kWatchdogStart; ++i) {
        port.Deliver({0x55});  // a block that never completes
        link.Receive();
    }
    EXPECT_EQ(link.Progress().WatchdogResets, 0u);
    Ticks(kWatchdogStart);
    EXPECT_EQ(link.Progress().WatchdogResets, 1u);
}

// On a real pty the serial component's notifications alone carry a
// download from the request to the device's EOT: the link is ticked only
// to check that EOT.
TEST_F(EndToEnd, NotificationsAloneCarryADownload) {
    Start();
    companion_ = std::make_unique<Companion>(
        CompanionHost{messages_, page_, page_, page_, locator_.get(), true});
    ASSERT_EQ(Link().RequestTrackDownload(), RequestResult::Sent);
    const auto limit = std::chrono::steady_clock::now() + 60s;
    while (Link().Progress().DownloadsFinished == 0 && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(2ms);
        companion_->commPort.DrainNotifications();
        if (Link().Variables().LinkState == kEotCheck) Link().Tick();
    }
    EXPECT_EQ(Link().Progress().DownloadsFinished, 1u);
    EXPECT_EQ(Link().Progress().BlocksReceived, 0);
    EXPECT_EQ(companion_->transfer.Valid().size(), Padded(memory_.tracks).size());
    EXPECT_TRUE(messages_.shown.empty());
}

}  // namespace
}  // namespace vantrel::testing
