#pragma once
// Message boxes for runs that nobody watches (the command line, the window's
// screenshot run): each message goes to standard error as
// "PROGRAM: CAPTION: TEXT", and they are counted.

#include <cstdio>
#include <string>

#include "base/UserMessages.h"

namespace vantrel {

class StderrMessages : public UserMessages {
  public:
    explicit StderrMessages(std::string program) : program_(std::move(program)) {}
    void ShowMessage(std::string_view text, std::string_view caption) override {
        std::fprintf(stderr, "%s: %.*s: %.*s\n", program_.c_str(), int(caption.size()),
                     caption.data(), int(text.size()), text.data());
        ++count;
    }
    int count = 0;

  private:
    std::string program_;
};

}  // namespace vantrel
