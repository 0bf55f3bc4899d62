#pragma once
// What the core needs of a person: message boxes. The window shows them, the
// command line prints them, tests record them.

#include <string>
#include <string_view>

namespace vantrel {

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // A message box with an OK button.
    virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;
};

}  // namespace vantrel
