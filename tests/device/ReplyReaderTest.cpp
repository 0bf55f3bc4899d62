// Text replies: finding them in the byte stream, handing them to their
// parser, and the settings parsers themselves.

#include <gtest/gtest.h>

#include "device/LinkFixture.h"
#include "device/SettingsReplies.h"

namespace vantrel::testing {
namespace {

const std::string kGuiderReply = "$POEM103,0,100,30,10,+8,+8,0*\r\n123";  // 34 bytes

class ReplyReader : public LinkFixture {
  protected:
    void SetUp() override { link.btnDownloadGuiderClick(); }
};

TEST_F(ReplyReader, NoiseBeforeTheDollarIsSkippedAndTheReplyParsed) {
    port.Deliver(Ascii("\x01zz" + kGuiderReply));
    Ticks(1);
    EXPECT_EQ(vars.LastReply, kGuiderReply.substr(1));
    EXPECT_EQ(display.edCurrentData.Text, vars.LastReply);
    EXPECT_EQ(display.memoData, std::vector<std::string>{vars.LastReply});
    EXPECT_EQ(display.edRoute.Text, "100");
    EXPECT_EQ(display.edUnit.Text, "0");
    EXPECT_EQ(link.Progress().RepliesUnderstood, 1u);
    EXPECT_EQ(vars.WatchdogTicks, kWatchdogStart - 1);  // nothing left waiting
}

TEST_F(ReplyReader, ShortReplyWaitsWhileTheWatchdogCounts) {
    port.Deliver(Ascii(kGuiderReply.substr(0, 20)));
    Ticks(3);
    EXPECT_EQ(link.Ring().RxCount(), 20u);
    EXPECT_EQ(vars.WatchdogTicks, kWatchdogStart - 3);
    EXPECT_TRUE(display.memoData.empty());
    port.Deliver(Ascii(kGuiderReply.substr(20)));
    Ticks(1);
    EXPECT_EQ(display.edBackLight.Text, "30");
}

TEST_F(ReplyReader, ReplyOfAnotherCodeIsDroppedAndTheNextOneRead) {
    port.Deliver(Ascii("$POEM101,5,m,20,k,3,x,y*0123456789" + kGuiderReply));
    Ticks(1);
    EXPECT_EQ(display.memoData.size(), 2u);
    EXPECT_EQ(display.edSuspend.Text, "10");
    EXPECT_EQ(display.edRecordTime.Text, "");
}

TEST_F(ReplyReader, ZeroByteEndsTheReplyText) {
    std::string reply = kGuiderReply;
    reply[12] = '\0';
    port.Deliver(Ascii(reply));
    Ticks(1);
    EXPECT_EQ(vars.LastReply, "POEM103,0,1");
}

TEST_F(ReplyReader, BytesWaitWithoutAwaitedReplyAndTheWatchdogHolds) {
    vars.ReplyLength = 0;
    port.Deliver(Ascii(kGuiderReply));
    Ticks(500);
    EXPECT_EQ(link.Ring().RxCount(), kGuiderReply.size());
    EXPECT_EQ(vars.WatchdogTicks, kWatchdogStart);
    EXPECT_EQ(display.pbarLoading.Position, 500 % kProgressSteps);
}

TEST(SettingsReplies, GuiderAndLoggerFieldsAreShownAsReceived) {
    LinkDisplay d;
    EXPECT_TRUE(ParseGuiderSettings("POEM103,0,100,30,10,+8,+8,0*\r\n12", d));
    EXPECT_EQ(
        (std::vector<std::string>{d.edRoute.Text, d.edBackLight.Text, d.edSuspend.Text,
                                  d.edTimeZoneHome.Text, d.edTimeZoneLocal.Text, d.edUnit.Text}),
        (std::vector<std::string>{"100", "30", "10", "+8", "+8", "0"}));
    EXPECT_TRUE(ParseLoggerSettings("POEM101,5,m,20,k,3,x,y*", d));
    EXPECT_EQ(d.edRecordTime.Text + d.edRecordDistance.Text + d.edRecordSpeed.Text, "5203");
    EXPECT_EQ(d.edStorageUsage.Text, "150");
}

TEST(SettingsReplies, CodeMustStandAtTheStartAndShortRepliesReadPastTheStar) {
    LinkDisplay d;
    EXPECT_FALSE(ParseGuiderSettings("xPOEM103,0,1,2,3,4,5,6*", d));
    EXPECT_FALSE(ParseGuiderSettings("POEM101,0,1,2,3,4,5,6*", d));
    EXPECT_EQ(d.edRoute.Text, "");
    EXPECT_TRUE(ParseGuiderSettings("POEM103,0,,7*ab,cd", d));
    EXPECT_EQ((std::vector<std::string>{d.edBackLight.Text, d.edSuspend.Text, d.edTimeZoneHome.Text,
                                        d.edTimeZoneLocal.Text}),
              (std::vector<std::string>{"7", "ab", "cd", ""}));
    EXPECT_EQ(ReplyFields("POEM", 2), (std::vector<std::string>{"", ""}));
}

}  // namespace
}  // namespace vantrel::testing
