#include "device/SettingsReplies.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr std::string_view kSentenceTag = "POEM";
constexpr std::size_t kFirstField = 8;  // past "POEM", the code and ","
constexpr std::size_t kSettingsFields = 7;

bool IsDelimiter(char c) {
    return c == ',' || c == '*';
}

}  // namespace

bool IsReplyOf(std::string_view text, std::string_view code) {
    return text.substr(0, kSentenceTag.size()) == kSentenceTag &&
           text.substr(kSentenceTag.size(), code.size()) == code;
}

std::vector<std::string> ReplyFields(std::string_view text, std::size_t count) {
    std::vector<std::string> fields;
    std::size_t start = kFirstField;
    while (fields.size() < count) {
        std::size_t end = std::min(start, text.size());
        while (end < text.size() && !IsDelimiter(text[end]))
            ++end;
        fields.emplace_back(start < text.size() ? text.substr(start, end - start) : "");
        start = end + 1;
    }
    return fields;
}

bool ParseGuiderSettings(std::string_view text, LinkDisplay& display) {
    if (!IsReplyOf(text, "103")) return false;
    const auto f = ReplyFields(text, kSettingsFields);
    display.edRoute.Text = f[1];
    display.edBackLight.Text = f[2];
    display.edSuspend.Text = f[3];
    display.edTimeZoneHome.Text = f[4];
    display.edTimeZoneLocal.Text = f[5];
    display.edUnit.Text = f[6];
    return true;
}

bool ParseLoggerSettings(std::string_view text, LinkDisplay& display) {
    if (!IsReplyOf(text, "101")) return false;
    const auto f = ReplyFields(text, kSettingsFields);
    display.edRecordTime.Text = f[0];
    display.edRecordDistance.Text = f[2];
    display.edRecordSpeed.Text = f[4];
    return true;
}

}  // namespace vantrel
