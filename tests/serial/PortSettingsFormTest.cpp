// The port settings dialog's logic on a real component: the fields it fills,
// the focus walk, the order of the checks, applying over a pseudo-terminal
// and putting everything back when a port cannot open.

#include <gtest/gtest.h>

#include "SerialTestSupport.h"
#include "serial/PortSettingsForm.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;
using Form = TForm_KxCommDevice_Settings;
using Field = TSettingsField;

constexpr char kMissingPort[] = "/nonexistent/vantrel-tty";
const TComm32Language kEnglish(TComm32Language::English);

// Every setting the dialog touches, read back from the component.
TRememberedSettings SettingsOf(const TKxCommDevice& device) {
    return {device.fGetActive(),    device.fGetPortName(), device.fGetBaudRate(),
            device.fGetParity(),    device.fGetByteSize(), device.fGetStopBits(),
            device.fGetFlCtrl(),    device.fGetAutAns(),   device.fGetInBufSize(),
            device.fGetOutBufSize()};
}

void ExpectSame(const TRememberedSettings& a, const TRememberedSettings& b) {
    EXPECT_EQ(a.Active, b.Active);
    EXPECT_EQ(a.PortName, b.PortName);
    EXPECT_EQ(a.Baud, b.Baud);
    EXPECT_EQ(a.Parity, b.Parity);
    EXPECT_EQ(a.ByteSize, b.ByteSize);
    EXPECT_EQ(a.StopBits, b.StopBits);
    EXPECT_EQ(a.FlowControl, b.FlowControl);
    EXPECT_EQ(a.AutoAnswer, b.AutoAnswer);
    EXPECT_EQ(a.InBufSize, b.InBufSize);
    EXPECT_EQ(a.OutBufSize, b.OutBufSize);
}

// A component on the pty with settings other than the defaults.
class PortSettingsFormTest : public ::testing::Test {
  protected:
    PortSettingsFormTest() {
        device.fSetPortName(pty.SlavePath());
        device.fSetBaudRate(9600);
        device.fSetParity(ptEvenParity);
        device.fSetByteSize(7);
        device.fSetStopBits(sbTwoStopBit);
        device.fSetFlCtrl(fcTranXonXoff);
        device.fSetAutAns(3);
        device.fSetInBufSize(4096);
        device.fSetOutBufSize(16384);
    }
    std::vector<std::string> Ports() const { return {"COM1", pty.SlavePath(), kMissingPort}; }

    PtyPair pty;
    TKxCommDevice device;
};

TEST(PortSettingsTexts, ThreeLanguagesOfThirtySixStrings) {
    const Form::TMsgStrings english(kEnglish);
    const Form::TMsgStrings simplified{TComm32Language(TComm32Language::SimplifiedChinese)};
    const Form::TMsgStrings traditional{TComm32Language(TComm32Language::TraditionalChinese)};
    EXPECT_EQ(english.fGetMsg(2), "COM port Setup");
    EXPECT_EQ(english.fGetMsg(17), "Must select COM Port");
    EXPECT_EQ(english.fGetMsg(35), "Space Parity");
    EXPECT_EQ(simplified.fGetMsg(2), "串行口设置");
    EXPECT_EQ(simplified.fGetMsg(35), "Space (空格)");
    EXPECT_EQ(traditional.fGetMsg(2), "序列埠設定");
    EXPECT_EQ(traditional.fGetMsg(32), "自動回應必須是 0 - 255 的整數");
    EXPECT_EQ(Form::TMsgStrings(TComm32Language(1031)).fGetMsg(0), "&OK");
    EXPECT_EQ(english.fGetMsg(36), "");
    EXPECT_EQ(english.fGetMsg(-1), "");
    for (int i = 0; i < Form::MsgCount; ++i)
        EXPECT_NE(traditional.fGetMsg(i), "") << i;
}

TEST(PortSettingsLayout, OkAndCancelCentreOutsideDesignMode) {
    const auto running = Form::ButtonPlaces(false);
    EXPECT_FALSE(running.ShowAboutAndDefault);
    EXPECT_EQ(running.OkLeft, 99);
    EXPECT_EQ(running.CancelLeft, 219);
    const auto design = Form::ButtonPlaces(true);
    EXPECT_TRUE(design.ShowAboutAndDefault);
    EXPECT_EQ(design.OkLeft, 232);
    EXPECT_EQ(design.CancelLeft, 312);
}

TEST_F(PortSettingsFormTest, FillsTheFieldsFromTheComponent) {
    Form form(device, false, Ports(), kEnglish);
    EXPECT_EQ(form.Fields.PortIndex, 1);
    EXPECT_EQ(form.Fields.BaudText, "9600");
    EXPECT_EQ(form.Fields.ParityIndex, 2);
    EXPECT_EQ(form.Fields.ByteSizeIndex, 2);
    EXPECT_EQ(form.Fields.StopBitsIndex, 2);
    EXPECT_EQ(form.Fields.FlowIndex, 2);  // Xon/Xoff, as the transmit-only kind reads back
    EXPECT_EQ(form.Fields.AutoAnswerText, "3");
    EXPECT_EQ(form.Fields.InBufSizeText, "4096");
    EXPECT_EQ(form.Fields.OutBufSizeText, "16384");
    EXPECT_EQ(form.ParityItems().back(), "Space Parity");
    EXPECT_EQ(form.FlowItems().size(), 4u);
    EXPECT_EQ(Form::BaudItems()[12], "115200");

    device.fSetByteSize(9);  // no entry for it
    EXPECT_EQ(Form(device, false, Ports(), kEnglish).Fields.ByteSizeIndex, -1);
}

TEST_F(PortSettingsFormTest, EnterInAFieldOnlyMovesTheFocus) {
    Form form(device, false, Ports(), kEnglish);
    form.Focus = Field::CbPort;
    std::vector<Field> walk;
    while (form.BnOKClick().Result == Form::TOkResult::FocusMoved)
        walk.push_back(form.Focus);
    EXPECT_EQ(walk, (std::vector<Field>{Field::CbSelBaud, Field::CbParity, Field::CbByteSize,
                                        Field::CbStopBits, Field::CbFlow, Field::EditAutoAns,
                                        Field::EditInBufSize, Field::EditOutBufSize}));
    form.Focus = Field::None;
    EXPECT_FALSE(form.MoveCtrlFocus());
}

TEST_F(PortSettingsFormTest, ReportsTheFirstBadFieldInOrderAndChangesNothing) {
    device.fSetPortName("COM9");  // not offered: no port selected
    const auto before = SettingsOf(device);
    Form form(device, false, Ports(), kEnglish);
    form.Fields = {-1, "  ", -1, -1, 7, 4, "256", "4095", "abc"};
    const std::vector<std::pair<Field, std::string>> expected = {
        {Field::CbPort, "Must select COM Port"},
        {Field::CbSelBaud, "Must select baud rate"},
        {Field::CbByteSize, "Must select byte size"},
        {Field::CbParity, "Must select parity check"},
        {Field::CbStopBits, "Must select stop bits"},
        {Field::CbFlow, "Must select flow control"},
        {Field::EditAutoAns, "Auto Answer: 0 - 255"},
        {Field::EditInBufSize, "Input Buffer size error"},
        {Field::EditOutBufSize, "Output Buffer size error"},
    };
    // Mend each reported field in turn; the next one is reported.
    const std::vector<std::function<void(TSettingsFieldValues&)>> mends = {
        [&](auto& f) { f.PortIndex = 1; },
        [](auto& f) { f.BaudText = " 19200 "; },
        [](auto& f) { f.ByteSizeIndex = 3; },
        [](auto& f) { f.ParityIndex = 4; },
        [](auto& f) { f.StopBitsIndex = 1; },
        [](auto& f) { f.FlowIndex = 3; },
        [](auto& f) { f.AutoAnswerText = "255"; },
        [](auto& f) { f.InBufSizeText = "4096"; },
        [](auto& f) { f.OutBufSizeText = " 5000 "; },
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        form.Focus = Field::None;
        const auto outcome = form.BnOKClick();
        EXPECT_EQ(outcome.Result, Form::TOkResult::Invalid) << i;
        EXPECT_EQ(form.Focus, expected[i].first) << i;
        EXPECT_EQ(outcome.Message, expected[i].second) << i;
        ExpectSame(SettingsOf(device), before);
        mends[i](form.Fields);
    }
    form.Focus = Field::None;
    EXPECT_EQ(form.BnOKClick().Result, Form::TOkResult::Accepted);
    EXPECT_EQ(device.fGetPortName(), pty.SlavePath());
    EXPECT_EQ(device.fGetBaudRate(), 19200u);
    EXPECT_EQ(device.fGetParity(), ptSpaceParity);
    EXPECT_EQ(device.fGetByteSize(), 8);
    EXPECT_EQ(device.fGetStopBits(), sbOne_5_StopBits);
    EXPECT_EQ(device.fGetFlCtrl(), fcRtsCtsXonXoff);
    EXPECT_EQ(device.fGetAutAns(), 255);
    EXPECT_EQ(device.fGetInBufSize(), 4096);
    EXPECT_EQ(device.fGetOutBufSize(), 5000);
    EXPECT_FALSE(device.fGetActive());
}

TEST_F(PortSettingsFormTest, EntryEdgesOfAutoAnswerBuffersAndBaud) {
    Form form(device, false, Ports(), kEnglish);
    const auto messageFor = [&](auto change) {
        Form copy(device, false, Ports(), kEnglish);
        change(copy.Fields);
        return copy.BnOKClick().Message;
    };
    EXPECT_EQ(messageFor([](auto& f) { f.AutoAnswerText = "abc"; }), "Auto Answer: 0 - 255");
    EXPECT_EQ(messageFor([](auto& f) { f.AutoAnswerText = "-1"; }), "Auto Answer: 0 - 255");
    EXPECT_EQ(messageFor([](auto& f) { f.AutoAnswerText = "3.5"; }), "Auto Answer: 0 - 255");
    EXPECT_EQ(messageFor([](auto& f) { f.OutBufSizeText = ""; }), "Output Buffer size error");
    EXPECT_EQ(messageFor([](auto& f) { f.InBufSizeText = "99999999999999999999"; }),
              "Input Buffer size error");
    // A rate text must start with a number a line can run at.
    EXPECT_EQ(messageFor([](auto& f) { f.BaudText = "abc"; }), "Invalid baud rate");
    EXPECT_EQ(messageFor([](auto& f) { f.BaudText = "0"; }), "Invalid baud rate");
    EXPECT_EQ(messageFor([](auto& f) { f.BaudText = "4294967296"; }), "Invalid baud rate");
    EXPECT_EQ(messageFor([](auto& f) { f.BaudText = "4800 baud"; }), "");
    EXPECT_EQ(device.fGetBaudRate(), 4800u);
}

TEST_F(PortSettingsFormTest, FlagOpensAClosedPortAtATypedRate) {
    Form form(device, true, Ports(), kEnglish);
    form.Fields.BaudText = "250000";
    EXPECT_EQ(form.BnOKClick().Result, Form::TOkResult::Accepted);
    EXPECT_TRUE(device.fGetActive());
    EXPECT_EQ(device.fGetBaudRate(), 250000u);
    EXPECT_EQ(device.fGetBaud(), br115200);  // not one of the listed rates
    const char hello[] = "hello";
    EXPECT_EQ(device.Write(hello, 5), 5);
    EXPECT_EQ(pty.Receive(5), "hello");
}

TEST_F(PortSettingsFormTest, WithoutFlagAClosedPortStaysClosedAndAnOpenOneReopens) {
    {
        Form form(device, false, Ports(), kEnglish);
        EXPECT_EQ(form.BnOKClick().Result, Form::TOkResult::Accepted);
        EXPECT_FALSE(device.fGetActive());
    }
    device.fSetActive(true);
    Form form(device, false, Ports(), kEnglish);
    form.Fields.BaudText = "57600";
    EXPECT_EQ(form.BnOKClick().Result, Form::TOkResult::Accepted);
    EXPECT_TRUE(device.fGetActive());
    EXPECT_EQ(device.fGetBaud(), br57600);
}

TEST_F(PortSettingsFormTest, APortThatCannotOpenRollsEverythingBack) {
    device.fSetActive(true);
    const auto before = SettingsOf(device);
    Form form(device, false, Ports(), kEnglish);
    form.Fields = {2, "38400", 1, 3, 0, 1, "7", "5000", "6000"};
    form.Focus = Field::None;
    const auto outcome = form.BnOKClick();
    EXPECT_EQ(outcome.Result, Form::TOkResult::ApplyFailed);
    EXPECT_NE(outcome.Message.find(kMissingPort), std::string::npos) << outcome.Message;
    EXPECT_EQ(form.Focus, Field::CbPort);
    ExpectSame(SettingsOf(device), before);
    // Reopened on the old port: bytes still flow.
    EXPECT_EQ(device.Write("ok", 2), 2);
    EXPECT_EQ(pty.Receive(2), "ok");

    // The dialog stays usable: a second try on the good port succeeds.
    form.Fields.PortIndex = 1;
    form.Focus = Field::None;  // the OK button has it
    EXPECT_EQ(form.BnOKClick().Result, Form::TOkResult::Accepted);
    EXPECT_EQ(device.fGetBaudRate(), 38400u);
    EXPECT_TRUE(device.fGetActive());
}

TEST_F(PortSettingsFormTest, RollBackLeavesAClosedPortClosed) {
    const auto before = SettingsOf(device);
    Form form(device, true, Ports(), kEnglish);
    form.Fields.PortIndex = 2;
    EXPECT_EQ(form.BnOKClick().Result, Form::TOkResult::ApplyFailed);
    ExpectSame(SettingsOf(device), before);
}

TEST_F(PortSettingsFormTest, DefaultKeepsThePortChoice) {
    Form form(device, false, Ports(), kEnglish);
    form.Fields.PortIndex = 0;
    form.BnDefaultClick();
    EXPECT_EQ(form.Fields.PortIndex, 0);
    EXPECT_EQ(form.Fields.BaudText, "115200");
    EXPECT_EQ(form.Fields.ParityIndex, 0);
    EXPECT_EQ(form.Fields.ByteSizeIndex, 3);
    EXPECT_EQ(form.Fields.StopBitsIndex, 0);
    EXPECT_EQ(form.Fields.FlowIndex, 0);
    EXPECT_EQ(form.Fields.AutoAnswerText, "0");
    EXPECT_EQ(form.Fields.InBufSizeText, "8192");
    EXPECT_EQ(form.Fields.OutBufSizeText, "8192");
}

}  // namespace
}  // namespace vantrel
