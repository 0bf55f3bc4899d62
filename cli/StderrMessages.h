#pragma once
// The command line's message boxes: each message goes to standard error as
// "vantrel-cli: CAPTION: TEXT".

#include <cstdio>

#include "app/UserMessages.h"

namespace vantrel::cli {

class StderrMessages : public UserMessages {
  public:
    void ShowMessage(std::string_view text, std::string_view caption) override {
        std::fprintf(stderr, "vantrel-cli: %.*s: %.*s\n", int(caption.size()), caption.data(),
                     int(text.size()), text.data());
        ++count;
    }
    int count = 0;
};

}  // namespace vantrel::cli
