#pragma once
// The tests' name for a locator that always names the same port: a
// simulator's pty, or an empty text for a machine without the device.

#include "device/DeviceLocator.h"

namespace vantrel::testing {

using FixedLocator = GivenPortLocator;

}  // namespace vantrel::testing
