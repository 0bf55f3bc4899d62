#include "window/QtMessages.h"

#include <QMessageBox>
#include <QPushButton>

#include "window/PlainText.h"

namespace vantrel {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void QtMessages::ShowMessage(std::string_view text, std::string_view caption) {
    ShowPlainMessage(parent_, QMessageBox::Information, ToQString(caption), ToQString(text));
}

PromptAnswer AskWithQMessageBox(QWidget* parent, std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Warning, ToQString(caption), ToQString(text),
                    QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    QPushButton* again = box.addButton(QStringLiteral("Try Again"), QMessageBox::ActionRole);
    box.addButton(QStringLiteral("Continue"), QMessageBox::AcceptRole);
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
