// Requests, the no-device and port-failure paths, and the link reset.

#include <gtest/gtest.h>

#include "device/LinkFixture.h"

namespace vantrel::testing {
namespace {

using Handler = RequestResult (DeviceLink::*)();

struct RequestCase {
    Handler click;
    std::string sentence;
    int replyLength;
    int replyKind;
};

const std::vector<RequestCase> kRequests = {
    {&DeviceLink::btnDownloadGuiderClick, "$POEM14,0*\r\n", 34, rkGuider},
    {&DeviceLink::btnLoggerClick, "$POEM06*\r\n", 54, rkLogger},
    {&DeviceLink::btnDownloadFrGuiderClick, "$POEM12,14*\r\n", 16, rkTrack},
    {&DeviceLink::btnLoadTrackClick, "$POEM12,14*\r\n", 16, rkTrack},
    {&DeviceLink::btnLoadPlanClick, "$POEM12,12*\r\n", 17, rkPlan},
    {&DeviceLink::btnLoadPOIClick, "$POEM12,2*\r\n", 17, rkPoi},
    {&DeviceLink::btnStorePoiClick, "$POEM12,4*\r\n", 16, rkPoiUpload},
    {&DeviceLink::btnStorePlanClick, "$POEM12,11*\r\n", 20, rkPlanUpload},
};

class CommandChannel : public LinkFixture {};

TEST_F(CommandChannel, TrackRequestOpensAt9600AndSendsThirteenBytes) {
    vars.LinkState = kBlockBody;  // a request during a transfer returns to command mode
    EXPECT_EQ(link.btnDownloadFrGuiderClick(), RequestResult::Sent);
    EXPECT_EQ(log, (EventLog{"name /dev/ttyUSB0", "baud 9600", "active 1",
                             "pc 24 50 4F 45 4D 31 32 2C 31 34 2A 0D 0A"}));
    EXPECT_EQ(vars.LinkState, kCommandMode);
    EXPECT_TRUE(link.TransferRunning());
    EXPECT_TRUE(display.pbarLoading.Visible);
    EXPECT_EQ(display.comboPort.Text, "/dev/ttyUSB0");
}

TEST_F(CommandChannel, EachRequestSendsItsSentenceAndAwaitsItsReply) {
    for (const auto& request : kRequests) {
        // A link of its own for each: a transfer request holds off the next.
        DeviceLink fresh({area, port, clock, locator, hooks, messages});
        log.clear();
        EXPECT_EQ((fresh.*request.click)(), RequestResult::Sent) << request.sentence;
        EXPECT_EQ(Count(Pc(request.sentence)), 1) << request.sentence;
        EXPECT_EQ(fresh.Variables().ReplyLength, request.replyLength) << request.sentence;
        EXPECT_EQ(fresh.Variables().ReplyKind, request.replyKind) << request.sentence;
        EXPECT_EQ(fresh.TransferRunning(),
                  request.replyKind != rkGuider && request.replyKind != rkLogger)
            << request.sentence;
        if (request.click == &DeviceLink::btnLoadTrackClick)
            EXPECT_EQ(log.back(), "sleep 200");  // the only request that pauses
        else
            EXPECT_EQ(log.back(), Pc(request.sentence));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CommandChannel, LoadDataParsesThePreviousReplyAndKeepsTheKind) {
    vars.ReplyKind = rkGuider;
    vars.LastReply = "POEM101,5,m,20,k,3,x,y*";
    EXPECT_EQ(link.btnLoadDataClick(), RequestResult::Sent);
    EXPECT_EQ(log.back(), Pc("$POEM12,1*\r\n"));
    EXPECT_EQ(vars.ReplyLength, 17);
    EXPECT_EQ(vars.ReplyKind, rkGuider);
    EXPECT_EQ(display.edRecordTime.Text, "5");
}

TEST_F(CommandChannel, WithoutDeviceEveryRequestSaysNotFoundAndSendsNothing) {
    locator.port = "";
    vars.ReplyLength = 5;
    for (const auto& request : kRequests)
        EXPECT_EQ((link.*request.click)(), RequestResult::NoDevice) << request.sentence;
    EXPECT_EQ(messages.shown.size(), kRequests.size());
    EXPECT_EQ(messages.shown[0], (ShownMessage{"Vantrel not Found!", "Error"}));
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(vars.ReplyLength, 5);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(display.pbarLoading.Visible);  // nothing is under way
}

TEST_F(CommandChannel, UnreadableDeviceListKeepsThePortFoundBefore) {
    link.btnLoggerClick();
    locator.port = std::nullopt;
    EXPECT_EQ(link.btnLoggerClick(), RequestResult::Sent);
    EXPECT_EQ(vars.DevicePortName, "/dev/ttyUSB0");
}

TEST_F(CommandChannel, PortThatWillNotOpenIsReportedInItsOwnWords) {
    port.openFailure = LinkPortError::FromErrno(EBUSY, "/dev/ttyUSB0");
    vars.ReplyLength = 7;
    EXPECT_EQ(link.btnLoadPlanClick(), RequestResult::PortFailed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("busy"), std::string::npos);
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(vars.ReplyLength, 7);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_EQ(link.Progress().PortFailures, 1u);
}

// The reset's exact sequence: ESC CAN at 115200, then DC1 DC3 and the logger
// request at 9600, the port left closed.
const EventLog kResetSequence = {"name /dev/ttyUSB0",
                                 "active 0",
                                 "baud 115200",
                                 "active 1",
                                 "pc 1B",
                                 "pc 18",
                                 "sleep 10",
                                 "active 0",
                                 "baud 9600",
                                 "active 1",
                                 "pc 11",
                                 "pc 13",
                                 "sleep 100",
                                 "name /dev/ttyUSB0",
                                 "baud 9600",
                                 "active 1",
                                 Pc("$POEM06*\r\n"),
                                 "active 0"};

TEST_F(CommandChannel, WatchdogResetsAnIdleLinkEvery300Ticks) {
    link.btnDownloadGuiderClick();
    const std::size_t mark = log.size();
    Ticks(299);
    EXPECT_EQ(log.size(), mark);
    Ticks(1);
    EXPECT_EQ(Since(mark), kResetSequence);
    EXPECT_FALSE(port.Active());
    Ticks(300);
    EXPECT_EQ(link.Progress().WatchdogResets, 2u);
    EXPECT_TRUE(messages.shown.empty());
}

// The same reset ends a transfer the device stopped answering, and the user
// is told.
TEST_F(CommandChannel, WatchdogEndsATransferThatGotNoAnswer) {
    link.btnDownloadFrGuiderClick();
    const std::size_t mark = log.size();
    Ticks(300);
    EXPECT_EQ(Since(mark), kResetSequence);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(display.pbarLoading.Visible);
    EXPECT_EQ(messages.shown,
              (std::vector<ShownMessage>{{"The track download failed: the device stopped "
                                          "answering; nothing was kept.",
                                          "Error"}}));
}

TEST_F(CommandChannel, WatchdogWithoutDeviceOnlyClosesThePortThenFallsSilent) {
    locator.port = "";
    Ticks(300);
    EXPECT_EQ(log, EventLog{"active 0"});
    Ticks(1000);
    EXPECT_EQ(log.size(), 1u);
    EXPECT_LT(vars.WatchdogTicks, 0);
}

TEST_F(CommandChannel, PortFailureInAResetEndsTheTransferAndReportsOnce) {
    link.btnDownloadFrGuiderClick();
    port.openFailure = LinkPortError::FromErrno(ENOENT, "/dev/ttyUSB0");
    Ticks(900);
    ASSERT_EQ(messages.shown.size(), 2u);  // the failed transfer, then the port
    EXPECT_NE(messages.shown[0].text.find("stopped answering"), std::string::npos);
    EXPECT_NE(messages.shown[1].text.find("There is no serial port"), std::string::npos);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(display.pbarLoading.Visible);
    EXPECT_EQ(vars.ReplyLength, 0);
}

}  // namespace
}  // namespace vantrel::testing
