#pragma once
// Message boxes of the core, printed on stderr as "caption: text".

#include <cstdio>

#include "app/UserMessages.h"

namespace vantrel::cli {

class ConsoleMessages : public UserMessages {
  public:
    void ShowMessage(std::string_view text, std::string_view caption) override {
        std::fprintf(stderr, "%.*s: %.*s\n", int(caption.size()), caption.data(), int(text.size()),
                     text.data());
    }
};

}  // namespace vantrel::cli
