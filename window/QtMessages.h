#pragma once
// The core's message boxes as Qt message boxes, and the start-up prompt with
// Cancel, Try Again and Continue.

#include <QWidget>

#include "app/Startup.h"
#include "base/UserMessages.h"

namespace vantrel {

QString ToQString(std::string_view text);

class QtMessages : public UserMessages {
  public:
    explicit QtMessages(QWidget* parent) : parent_(parent) {}
    void ShowMessage(std::string_view text, std::string_view caption) override;

  private:
    QWidget* parent_;
};

PromptAnswer AskWithQMessageBox(QWidget* parent, std::string_view text, std::string_view caption);

enum class QuestionAnswer { Yes, No, Cancel };
enum class QuestionButtons { YesNo, YesNoCancel };
// A question with the question icon; Escape or closing the box answers
// Cancel (No when there is no Cancel).
QuestionAnswer AskQuestion(QWidget* parent, std::string_view text, std::string_view caption,
                           QuestionButtons buttons);

}  // namespace vantrel
