#include "sim/Replies.h"

#include <cstdint>
#include <cstdio>

namespace vantrel::sim {

std::string SentenceChecksum(std::string_view body) {
    std::uint8_t sum = 0;
    for (char c : body)
        sum ^= static_cast<std::uint8_t>(c);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", sum);
    return hex;
}

std::string FramedReply(std::string_view body, std::size_t length) {
    std::string reply = "$" + std::string(body) + "*" + SentenceChecksum(body);
    if (reply.size() + 2 < length) reply.append(length - 2 - reply.size(), ' ');
    return reply + "\r\n";
}

std::string SettingsReply(std::string_view code, const std::array<std::string, 7>& fields,
                          std::size_t length) {
    std::string body = "POEM" + std::string(code);
    for (const std::string& f : fields)
        body += "," + f;
    return FramedReply(body, length);
}

std::string AckReply(std::string_view field, std::size_t length) {
    return FramedReply("POEM200," + std::string(field), length);
}

}  // namespace vantrel::sim
