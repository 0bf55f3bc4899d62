// Requests, the no-device and port-failure paths, and the link reset.

#include <gtest/gtest.h>

#include "device/LinkFixture.h"

namespace vantrel::testing {
namespace {

using Handler = RequestResult (DeviceLink::*)();

struct RequestCase {
    Handler ask;
    std::string sentence;
    int replyLength;
    int replyKind;
};

const std::vector<RequestCase> kRequests = {
    {&DeviceLink::RequestGuiderSettings, "$POEM14,0*\r\n", 34, rkGuider},
    {&DeviceLink::RequestLoggerSettings, "$POEM06*\r\n", 54, rkLogger},
    {&DeviceLink::RequestTrackDownload, "$POEM12,14*\r\n", 16, rkTrack},
    {&DeviceLink::RequestTrackDownloadQuietly, "$POEM12,14*\r\n", 16, rkTrack},
    {&DeviceLink::RequestPlanDownload, "$POEM12,12*\r\n", 17, rkPlan},
    {&DeviceLink::RequestPoiDownload, "$POEM12,2*\r\n", 17, rkPoi},
    {&DeviceLink::UploadPoiList, "$POEM12,4*\r\n", 16, rkPoiUpload},
    {&DeviceLink::UploadPlan, "$POEM12,11*\r\n", 20, rkPlanUpload},
};

class CommandChannel : public LinkFixture {};

TEST_F(CommandChannel, TrackRequestOpensAt9600AndSendsThirteenBytes) {
    EXPECT_EQ(link.RequestTrackDownload(), RequestResult::Sent);
    EXPECT_EQ(log, (EventLog{"name /dev/ttyUSB0", "baud 9600", "active 1",
                             "pc 24 50 4F 45 4D 31 32 2C 31 34 2A 0D 0A"}));
    EXPECT_EQ(vars.LinkState, kCommandMode);
    EXPECT_TRUE(link.TransferRunning());
    EXPECT_TRUE(status.progress.Visible);
    EXPECT_EQ(status.portName.Text, "/dev/ttyUSB0");
}

TEST_F(CommandChannel, EachRequestSendsItsSentenceAndAwaitsItsReply) {
    for (const auto& request : kRequests) {
        // A link of its own for each: a transfer request holds off the next.
        DeviceLink fresh({area, port, clock, locator, hooks, messages});
        log.clear();
        EXPECT_EQ((fresh.*request.ask)(), RequestResult::Sent) << request.sentence;
        EXPECT_EQ(Count(Pc(request.sentence)), 1) << request.sentence;
        EXPECT_EQ(fresh.Variables().ReplyLength, request.replyLength) << request.sentence;
        EXPECT_EQ(fresh.Variables().ReplyKind, request.replyKind) << request.sentence;
        EXPECT_EQ(fresh.TransferRunning(),
                  request.replyKind != rkGuider && request.replyKind != rkLogger)
            << request.sentence;
        if (request.ask == &DeviceLink::RequestTrackDownloadQuietly)
            EXPECT_EQ(log.back(), "sleep 200");  // the only request that pauses
        else
            EXPECT_EQ(log.back(), Pc(request.sentence));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CommandChannel, LoadDataParsesThePreviousReplyAndKeepsTheKind) {
    // The guider is asked for its settings and answers with a logger reply.
    link.RequestGuiderSettings();
    port.Deliver(Ascii("$POEM101,5,m,20,k,3,x,y*0123456789"));
    link.Receive();
    ASSERT_EQ(vars.LastReply, "POEM101,5,m,20,k,3,x,y*0123456789");
    EXPECT_EQ(link.RequestLoggerData(), RequestResult::Sent);
    EXPECT_EQ(log.back(), Pc("$POEM12,1*\r\n"));
    EXPECT_EQ(vars.ReplyLength, 17);
    EXPECT_EQ(vars.ReplyKind, rkGuider);
    EXPECT_EQ(status.recordTime.Text, "5");
}

TEST_F(CommandChannel, WithoutDeviceEveryRequestSaysNotFoundAndSendsNothing) {
    link.RequestGuiderSettings();  // awaits its 34-byte reply
    locator.port = "";
    port.written.clear();
    for (const auto& request : kRequests)
        EXPECT_EQ((link.*request.ask)(), RequestResult::NoDevice) << request.sentence;
    EXPECT_EQ(messages.shown.size(), kRequests.size());
    EXPECT_EQ(messages.shown[0], (ShownMessage{"Vantrel Not Found!", "Error"}));
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(vars.ReplyLength, 34);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(status.progress.Visible);  // nothing is under way
}

TEST_F(CommandChannel, UnreadableDeviceListKeepsThePortFoundBefore) {
    link.RequestLoggerSettings();
    locator.port = std::nullopt;
    EXPECT_EQ(link.RequestLoggerSettings(), RequestResult::Sent);
    EXPECT_EQ(vars.DevicePortName, "/dev/ttyUSB0");
}

TEST_F(CommandChannel, PortThatWillNotOpenIsReportedInItsOwnWords) {
    link.RequestGuiderSettings();  // awaits its 34-byte reply
    port.written.clear();
    port.openFailure = LinkPortError::FromErrno(EBUSY, "/dev/ttyUSB0");
    EXPECT_EQ(link.RequestPlanDownload(), RequestResult::PortFailed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("busy"), std::string::npos);
    EXPECT_EQ(messages.shown[0].caption, "Error");
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(vars.ReplyLength, 34);
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
    link.RequestGuiderSettings();
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
    link.RequestTrackDownload();
    const std::size_t mark = log.size();
    Ticks(300);
    EXPECT_EQ(Since(mark), kResetSequence);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(status.progress.Visible);
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
    link.RequestTrackDownload();
    port.openFailure = LinkPortError::FromErrno(ENOENT, "/dev/ttyUSB0");
    Ticks(900);
    ASSERT_EQ(messages.shown.size(), 2u);  // the failed transfer, then the port
    EXPECT_NE(messages.shown[0].text.find("stopped answering"), std::string::npos);
    EXPECT_NE(messages.shown[1].text.find("There is no serial port"), std::string::npos);
    EXPECT_FALSE(link.TransferRunning());
    EXPECT_FALSE(status.progress.Visible);
    EXPECT_EQ(vars.ReplyLength, 0);
}

}  // namespace
}  // namespace vantrel::testing
