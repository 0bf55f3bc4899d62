#pragma once
// Coordinates as the device stores them: signed 32-bit integers of degrees
// times 100000, truncated toward zero.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Converts a list cell (the user's notation, `separator` as decimal point) to
// device units. The truncation works on the decimal digits themselves, so a
// cell written from a device value always gives that value back (binary
// floating point would turn "-33.12345" into -3312344.9999... and lose a
// unit on every save). Text that is not a number, or a value outside the
// 32-bit range, gives nullopt.
std::optional<std::int32_t> DegreesToDevice(std::string_view cell, char separator);

// A device value as list text: value times 0.00001 in the general notation.
std::string DeviceToDegrees(std::int32_t value, char separator);

// Degrees (from the map) as list text of what the device will hold of them:
// "47.51234" for 47.512345678.
std::string DeviceDegreesText(double degrees, char separator);

}  // namespace vantrel
