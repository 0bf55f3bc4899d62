#pragma once
// A DeviceLocator that always names the same port: a simulator's pty, or an
// empty text for a machine without the device.

#include <optional>
#include <string>
#include <utility>

#include "device/DeviceLocator.h"

namespace vantrel::testing {

class FixedLocator : public DeviceLocator {
  public:
    explicit FixedLocator(std::string port) : port_(std::move(port)) {}
    std::optional<std::string> DevicePort() override { return port_; }

  private:
    std::string port_;
};

}  // namespace vantrel::testing
