// Text replies: finding them in the byte stream, handing them to their
// parser, and the settings parsers themselves.

#include <gtest/gtest.h>

#include "device/LinkFixture.h"
#include "device/ReplyText.h"
#include "device/SettingsReplies.h"

namespace vantrel::testing {
namespace {

const std::string kGuiderReply = "$POEM103,0,100,30,10,+8,+8,0*\r\n123";  // 34 bytes

class ReplyReader : public LinkFixture {
  protected:
    void SetUp() override { link.RequestGuiderSettings(); }
};

TEST_F(ReplyReader, NoiseBeforeTheDollarIsSkippedAndTheReplyParsed) {
    port.Deliver(Ascii("\x01zz" + kGuiderReply));
    Ticks(1);
    EXPECT_EQ(vars.LastReply, kGuiderReply.substr(1));
    EXPECT_EQ(status.replyText.Text, vars.LastReply);
    EXPECT_EQ(status.replyLog, std::vector<std::string>{vars.LastReply});
    EXPECT_EQ(status.route.Text, "100");
    EXPECT_EQ(status.unit.Text, "0");
    EXPECT_EQ(link.Progress().RepliesUnderstood, 1u);
    EXPECT_EQ(vars.WatchdogTicks, kWatchdogStart - 1);  // nothing left waiting
}

TEST_F(ReplyReader, ShortReplyWaitsWhileTheWatchdogCounts) {
    port.Deliver(Ascii(kGuiderReply.substr(0, 20)));
    Ticks(3);
    EXPECT_EQ(link.PendingBytes(), 20u);
    EXPECT_EQ(vars.WatchdogTicks, kWatchdogStart - 3);
    EXPECT_TRUE(status.replyLog.empty());
    port.Deliver(Ascii(kGuiderReply.substr(20)));
    Ticks(1);
    EXPECT_EQ(status.backLight.Text, "30");
}

TEST_F(ReplyReader, ReplyOfAnotherCodeIsDroppedAndTheNextOneRead) {
    port.Deliver(Ascii("$POEM101,5,m,20,k,3,x,y*0123456789" + kGuiderReply));
    Ticks(1);
    EXPECT_EQ(status.replyLog.size(), 2u);
    EXPECT_EQ(status.suspend.Text, "10");
    EXPECT_EQ(status.recordTime.Text, "");
}

TEST_F(ReplyReader, ZeroByteEndsTheReplyText) {
    std::string reply = kGuiderReply;
    reply[12] = '\0';
    port.Deliver(Ascii(reply));
    Ticks(1);
    EXPECT_EQ(vars.LastReply, "POEM103,0,1");
}

TEST_F(ReplyReader, BytesWaitWithoutAwaitedReplyAndTheWatchdogHolds) {
    FinishAnUpload();
    const int shown = status.progress.Position;
    const int watchdog = vars.WatchdogTicks;
    port.Deliver(Ascii(kGuiderReply));
    Ticks(500);
    EXPECT_EQ(link.PendingBytes(), kGuiderReply.size());
    EXPECT_EQ(vars.WatchdogTicks, watchdog);
    EXPECT_EQ(status.progress.Position, (shown + 500) % kProgressSteps);
}

// Bytes that never make the awaited reply end the request once its bound
// has passed; once a parser took the reply, bytes that follow end nothing.
TEST_F(ReplyReader, AStreamFailsTheRequestOnlyWhileItsReplyIsDue) {
    const int limit = ProgressLimitTicks(kGuiderReply.size(), 9600);
    auto stream = [this](int ticks) {
        for (int i = 0; i < ticks; ++i) {
            port.Deliver(Ascii("$GPGGA,123519,4807.038,N,01131.000,E*47\r\n"));
            link.Tick();
        }
    };
    stream(limit - 1);
    EXPECT_EQ(link.Progress().RequestsFailed, 0u);
    stream(2);
    EXPECT_EQ(link.Progress().RequestsFailed, 1u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind(
                  "The request failed: the device sent data the program could not use: ", 0),
              0u)
        << messages.shown[0].text;
    EXPECT_EQ(vars.ReplyLength, 0);

    messages.shown.clear();
    link.RequestGuiderSettings();
    port.Deliver(Ascii(kGuiderReply));
    Ticks(1);
    ASSERT_EQ(link.Progress().RepliesUnderstood, 1u);
    stream(2 * limit);
    EXPECT_EQ(link.Progress().RequestsFailed, 1u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ReplyText, OverlongReplyKeepsOnlyWhatFitsTheReplyBufferAndLeavesTheRingAsItWas) {
    RxRing ring;
    const std::string bytes = "POEM101,5,m,20,k,3,x,y*" + std::string(2000, 'q');
    ring.Append(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const int length = kBlockBodyLength - 1;
    EXPECT_EQ(PeekReplyText(ring, length, CodePage{}).size(), kReplyBufferSize - 1);
    EXPECT_EQ(ring.RxCount(), bytes.size());
}

TEST(SettingsReplies, GuiderAndLoggerFieldsAreShownAsReceived) {
    LinkStatus d;
    EXPECT_TRUE(ParseGuiderSettings("POEM103,0,100,30,10,+8,+8,0*\r\n12", d));
    EXPECT_EQ((std::vector<std::string>{d.route.Text, d.backLight.Text, d.suspend.Text,
                                        d.homeZone.Text, d.localZone.Text, d.unit.Text}),
              (std::vector<std::string>{"100", "30", "10", "+8", "+8", "0"}));
    EXPECT_TRUE(ParseLoggerSettings("POEM101,5,m,20,k,3,x,y*", d));
    EXPECT_EQ(d.recordTime.Text + d.recordDistance.Text + d.recordSpeed.Text, "5203");
    EXPECT_EQ(d.storageUsage.Text, "");  // never sent
}

TEST(SettingsReplies, CodeMustStandAtTheStartAndShortRepliesReadPastTheStar) {
    LinkStatus d;
    EXPECT_FALSE(ParseGuiderSettings("xPOEM103,0,1,2,3,4,5,6*", d));
    EXPECT_FALSE(ParseGuiderSettings("POEM101,0,1,2,3,4,5,6*", d));
    EXPECT_EQ(d.route.Text, "");
    EXPECT_TRUE(ParseGuiderSettings("POEM103,0,,7*ab,cd", d));
    EXPECT_EQ((std::vector<std::string>{d.backLight.Text, d.suspend.Text, d.homeZone.Text,
                                        d.localZone.Text}),
              (std::vector<std::string>{"7", "ab", "cd", ""}));
    EXPECT_EQ(ReplyFields("POEM", 2), (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace vantrel::testing
