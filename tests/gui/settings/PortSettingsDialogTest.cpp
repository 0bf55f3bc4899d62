// The port settings dialog as a window: its layout and texts, Enter moving
// through the fields, the first bad field reported and focused, and OK
// applying to a real component on a pseudo-terminal or putting it all back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "support/PtyPair.h"
#include "support/RecordingMessages.h"
#include "window/settings/PortSettingsDialog.h"

namespace vantrel {
namespace {

using Field = TSettingsField;
using testing::PtyPair;
using testing::RecordingMessages;

constexpr char kMissingPort[] = "/nonexistent/vantrel-tty";
constexpr char kCaption[] = "COM port Setup";

class PortSettingsDialogTest : public ::testing::Test {
  protected:
    PortSettingsDialogTest() { device.fSetPortName(pty.SlavePath()); }

    std::unique_ptr<PortSettingsDialog> Open(bool flag = false, bool designMode = false) {
        PortSettingsDialog::Options options{{"COM1", pty.SlavePath(), kMissingPort},
                                            TComm32Language(TComm32Language::English),
                                            designMode,
                                            &messages};
        auto dialog = std::make_unique<PortSettingsDialog>(nullptr, device, flag, options);
        dialog->show();
        return dialog;
    }
    static QComboBox* Combo(PortSettingsDialog& d, Field f) {
        return qobject_cast<QComboBox*>(d.Field(f));
    }
    static QLineEdit* Edit(PortSettingsDialog& d, Field f) {
        return qobject_cast<QLineEdit*>(d.Field(f));
    }
    // Clicks OK and returns the message it reported ("" for none).
    std::string ClickOk(PortSettingsDialog& dialog) {
        messages.shown.clear();
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        if (messages.shown.empty()) return {};
        EXPECT_EQ(messages.shown.back().caption, kCaption);
        return messages.shown.back().text;
    }

    PtyPair pty;
    TKxCommDevice device;
    RecordingMessages messages;
};

TEST_F(PortSettingsDialogTest, LayoutAndTextsOutsideDesignMode) {
    auto dialog = Open();
    EXPECT_EQ(dialog->size(), QSize(393, 228));
    EXPECT_EQ(dialog->windowTitle(), kCaption);
    EXPECT_EQ(dialog->OkButton()->geometry(), QRect(99, 200, 75, 25));
    EXPECT_EQ(dialog->CancelButton()->geometry(), QRect(219, 200, 75, 25));
    EXPECT_EQ(dialog->OkButton()->text(), "&OK");
    EXPECT_TRUE(dialog->OkButton()->isDefault());
    EXPECT_FALSE(dialog->DefaultButton()->isVisible());
    const auto* base = dialog->findChild<QGroupBox*>("GboxBase");
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(base->geometry(), QRect(8, 8, 185, 185));
    EXPECT_EQ(base->title(), "Port");
    EXPECT_EQ(dialog->Field(Field::CbStopBits)->geometry(), QRect(64, 152, 105, 21));
    EXPECT_EQ(dialog->findChild<QGroupBox*>("GBoxBuffer")->geometry(), QRect(200, 104, 185, 89));
    EXPECT_EQ(Combo(*dialog, Field::CbPort)->currentText().toStdString(), pty.SlavePath());
    EXPECT_EQ(Combo(*dialog, Field::CbSelBaud)->currentText(), "115200");
    EXPECT_EQ(Combo(*dialog, Field::CbParity)->itemText(4), "Space Parity");
    EXPECT_EQ(Edit(*dialog, Field::EditInBufSize)->text(), "8192");
}

TEST_F(PortSettingsDialogTest, EnterInAFieldMovesOnWithoutClosing) {
    auto dialog = Open();
    dialog->Field(Field::CbPort)->setFocus();
    QTest::keyClick(dialog->Field(Field::CbPort), Qt::Key_Return);
    EXPECT_EQ(dialog->focusWidget(), dialog->Field(Field::CbSelBaud));
    QTest::keyClick(dialog->Field(Field::CbSelBaud), Qt::Key_Enter);
    EXPECT_EQ(dialog->focusWidget(), dialog->Field(Field::CbParity));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PortSettingsDialogTest, SeveralBadFieldsReportAndFocusTheFirst) {
    auto dialog = Open();
    Combo(*dialog, Field::CbByteSize)->setCurrentIndex(-1);
    Edit(*dialog, Field::EditAutoAns)->setText("300");
    Edit(*dialog, Field::EditOutBufSize)->setText("12");
    EXPECT_EQ(ClickOk(*dialog), "Must select byte size");
    EXPECT_EQ(dialog->focusWidget(), dialog->Field(Field::CbByteSize));
    Combo(*dialog, Field::CbByteSize)->setCurrentIndex(3);
    EXPECT_EQ(ClickOk(*dialog), "Auto Answer: 0 - 255");
    EXPECT_EQ(dialog->focusWidget(), dialog->Field(Field::EditAutoAns));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(device.fGetAutAns(), 0);
}

TEST_F(PortSettingsDialogTest, EntryEdges) {
    struct Case {
        Field field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {Field::EditAutoAns, "256", "Auto Answer: 0 - 255"},
        {Field::EditAutoAns, "abc", "Auto Answer: 0 - 255"},
        {Field::EditInBufSize, "4095", "Input Buffer size error"},
        {Field::EditInBufSize, "4096", ""},
    };
    for (const Case& c : cases) {
        auto dialog = Open();
        Edit(*dialog, c.field)->setText(c.text);
        EXPECT_EQ(ClickOk(*dialog), c.message) << c.text;
        EXPECT_EQ(dialog->isVisible(), *c.message != '\0') << c.text;
    }
    EXPECT_EQ(device.fGetInBufSize(), 4096);
}

TEST_F(PortSettingsDialogTest, PortNotInTheListSelectsNothing) {
    device.fSetPortName("COM7");
    auto dialog = Open();
    EXPECT_EQ(Combo(*dialog, Field::CbPort)->currentIndex(), -1);
    EXPECT_EQ(ClickOk(*dialog), "Must select COM Port");
    EXPECT_EQ(dialog->focusWidget(), dialog->Field(Field::CbPort));
}

TEST_F(PortSettingsDialogTest, TypedRateWithFlagOpensAClosedPort) {
    auto dialog = Open(true);
    auto* baud = Combo(*dialog, Field::CbSelBaud);
    baud->lineEdit()->clear();
    QTest::keyClicks(baud->lineEdit(), "250000");
    EXPECT_EQ(ClickOk(*dialog), "");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(device.fGetActive());
    EXPECT_EQ(device.fGetBaudRate(), 250000u);
}

TEST_F(PortSettingsDialogTest, FailedApplyRollsBackAndStaysOpen) {
    device.fSetBaudRate(9600);
    device.fSetActive(true);
    auto dialog = Open();
    Combo(*dialog, Field::CbPort)->setCurrentIndex(2);
    Combo(*dialog, Field::CbSelBaud)->setEditText("19200");
    Combo(*dialog, Field::CbParity)->setCurrentIndex(2);
    Edit(*dialog, Field::EditOutBufSize)->setText("9000");
    dialog->Field(Field::EditAutoAns)->setFocus();
    const std::string message = ClickOk(*dialog);
    EXPECT_NE(message.find(kMissingPort), std::string::npos) << message;
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->focusWidget(), dialog->Field(Field::CbPort));
    EXPECT_EQ(device.fGetPortName(), pty.SlavePath());
    EXPECT_EQ(device.fGetBaudRate(), 9600u);
    EXPECT_EQ(device.fGetParity(), ptNoParity);
    EXPECT_EQ(device.fGetOutBufSize(), 8192);
    EXPECT_TRUE(device.fGetActive());
}

TEST_F(PortSettingsDialogTest, DefaultButtonInDesignModeKeepsThePort) {
    auto dialog = Open(false, true);
    EXPECT_TRUE(dialog->DefaultButton()->isVisible());
    EXPECT_EQ(dialog->OkButton()->geometry().left(), 232);
    Combo(*dialog, Field::CbSelBaud)->setEditText("300");
    Combo(*dialog, Field::CbPort)->setCurrentIndex(0);
    QTest::mouseClick(dialog->DefaultButton(), Qt::LeftButton);
    EXPECT_EQ(Combo(*dialog, Field::CbSelBaud)->currentText(), "115200");
    EXPECT_EQ(Combo(*dialog, Field::CbPort)->currentIndex(), 0);
    EXPECT_EQ(Edit(*dialog, Field::EditOutBufSize)->text(), "8192");
}

TEST_F(PortSettingsDialogTest, ModalCancelReturnsFalseAndChangesNothing) {
    QTimer::singleShot(0, [] {
        if (auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            shown->reject();
    });
    EXPECT_FALSE(SettingsDialog(nullptr, device, true));
    EXPECT_FALSE(device.fGetActive());
    EXPECT_EQ(device.fGetPortName(), pty.SlavePath());
}

}  // namespace
}  // namespace vantrel
