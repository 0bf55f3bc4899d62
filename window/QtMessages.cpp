#include "window/QtMessages.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "device/DeviceLink.h"
#include "window/CoreTexts.h"
#include "window/PlainText.h"

namespace vantrel {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void QtMessages::ShowMessage(std::string_view text, std::string_view caption) {
    const QMessageBox::Icon icon = caption == "Error"     ? QMessageBox::Critical
                                   : caption == "Warning" ? QMessageBox::Warning
                                                          : QMessageBox::Information;
    ShowPlainMessage(parent_, icon, CoreText(caption), ToQString(text));
}

void WindowMessages::ShowMessage(std::string_view text, std::string_view caption) {
    if (caption == "Error!") caption = "Error";
    QString shown = CoreText(text);
    if (text == kDeviceNotFoundText)
        shown += QStringLiteral("\n\n") +
                 QCoreApplication::translate(
                     "vantrel",
                     "Connect the Vantrel with its USB cable and switch it on, then try again; "
                     "or choose its serial port with Device > Serial Port. Files can be opened, "
                     "edited and saved without it.");
    shown_.ShowMessage(shown.toStdString(), caption);
}

PromptAnswer AskWithQMessageBox(QWidget* parent, std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Warning, CoreText(caption), CoreText(text), QMessageBox::NoButton,
                    parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* cancel =
        box.addButton(QCoreApplication::translate("vantrel", "Cancel"), QMessageBox::RejectRole);
    QPushButton* again =
        box.addButton(QCoreApplication::translate("vantrel", "Try Again"), QMessageBox::ActionRole);
    box.addButton(QCoreApplication::translate("vantrel", "Continue"), QMessageBox::AcceptRole);
    box.exec();
    if (box.clickedButton() == cancel) return PromptAnswer::Cancel;
    if (box.clickedButton() == again) return PromptAnswer::TryAgain;
    return PromptAnswer::Continue;
}

QuestionAnswer AskQuestion(QWidget* parent, std::string_view text, std::string_view caption,
                           QuestionButtons buttons) {
    QMessageBox::StandardButtons offered = QMessageBox::Yes | QMessageBox::No;
    if (buttons == QuestionButtons::YesNoCancel) offered |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(text), offered, parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(buttons == QuestionButtons::YesNoCancel ? QMessageBox::Cancel
                                                                : QMessageBox::No);
    switch (box.exec()) {
        case QMessageBox::Yes: return QuestionAnswer::Yes;
        case QMessageBox::No: return QuestionAnswer::No;
        default:
            return buttons == QuestionButtons::YesNoCancel ? QuestionAnswer::Cancel
                                                           : QuestionAnswer::No;
    }
}

}  // namespace vantrel
