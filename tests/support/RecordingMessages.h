#pragma once
// A UserMessages that keeps every message box it was asked to show.

#include <string>
#include <vector>

#include "base/UserMessages.h"

namespace vantrel::testing {

struct ShownMessage {
    std::string text;
    std::string caption;
    bool operator==(const ShownMessage&) const = default;
};

class RecordingMessages : public UserMessages {
  public:
    void ShowMessage(std::string_view text, std::string_view caption) override {
        shown.push_back({std::string(text), std::string(caption)});
    }
    std::vector<ShownMessage> shown;
};

}  // namespace vantrel::testing
