#pragma once
// The device's text replies: "$POEM", a three-digit code, comma-separated
// fields, "*", the sentence checksum, then padding and CR LF so that the
// reply is as long as the PC reads.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::sim {

// The XOR of the characters between "$" and "*", as two upper-case hex digits.
std::string SentenceChecksum(std::string_view body);

// "$" body "*" checksum, padded with spaces before the closing CR LF to
// `length` bytes; longer when the fields do not fit.
std::string FramedReply(std::string_view body, std::size_t length);

// A settings reply ("103" guider, "101" logger) with its seven fields.
std::string SettingsReply(std::string_view code, const std::array<std::string, 7>& fields,
                          std::size_t length);

// The acknowledgement "200" with its one field.
std::string AckReply(std::string_view field, std::size_t length);

}  // namespace vantrel::sim
