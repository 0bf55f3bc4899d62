#pragma once
// Reading the device's text replies: "POEM", a three-digit code, ",", then
// fields separated by "," and ended by "*" (the leading "$" is already gone).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "device/LinkStatus.h"

namespace vantrel {

// True when the text begins with "POEM" followed by the code.
bool IsReplyOf(std::string_view text, std::string_view code);

// The first `count` fields after "POEM", the code and the comma. Each runs to
// the next "," or "*" or the end of the text, and the next starts one
// character past that delimiter; fields beyond the text are empty.
std::vector<std::string> ReplyFields(std::string_view text, std::size_t count);

// The guider settings reply (code "103"): fields 1 to 6 go to the route,
// backlight, suspend, home and local time zone and unit boxes. Returns false
// and changes nothing for a reply of another code.
bool ParseGuiderSettings(std::string_view text, LinkStatus& display);

// The logger settings reply (code "101"): fields 0, 2 and 4 go to the record
// time, distance and speed boxes. Returns false and changes nothing for a
// reply of another code.
bool ParseLoggerSettings(std::string_view text, LinkStatus& display);

}  // namespace vantrel
