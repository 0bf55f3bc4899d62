#pragma once
// A UserMessages that shows nothing: for fuzz targets and benchmarks.

#include "base/UserMessages.h"

namespace vantrel::testing {

class SilentMessages : public UserMessages {
  public:
    void ShowMessage(std::string_view, std::string_view) override {}
};

}  // namespace vantrel::testing
