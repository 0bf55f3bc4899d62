#pragma once
// The core's message boxes as Qt message boxes, the questions the window
// asks, and the start-up prompt with Cancel, Try Again and Continue.

#include <QWidget>

#include "app/Startup.h"
#include "base/UserMessages.h"

namespace vantrel {

QString ToQString(std::string_view text);

// A message box whose icon fits its caption: the error icon under "Error",
// the warning icon under "Warning", the information icon otherwise.
class QtMessages : public UserMessages {
  public:
    explicit QtMessages(QWidget* parent) : parent_(parent) {}
    void ShowMessage(std::string_view text, std::string_view caption) override;

  private:
    QWidget* parent_;
};

// The core's messages as the window words them before they are shown: in
// the language chosen where the translations know the text, under one
// caption for every error ("Error"), and with what the user can do where
// only the window knows it (no device found: how to pick a port).
class WindowMessages : public UserMessages {
  public:
    explicit WindowMessages(UserMessages& shown) : shown_(shown) {}
    void ShowMessage(std::string_view text, std::string_view caption) override;

  private:
    UserMessages& shown_;
};

PromptAnswer AskWithQMessageBox(QWidget* parent, std::string_view text, std::string_view caption);

enum class QuestionAnswer { Yes, No, Cancel };
enum class QuestionButtons { YesNo, YesNoCancel };
// A question with the question icon; Escape or closing the box answers
// Cancel (No when there is no Cancel).
QuestionAnswer AskQuestion(QWidget* parent, std::string_view text, std::string_view caption,
                           QuestionButtons buttons);

}  // namespace vantrel
