#include "device/SettingsReplies.h"

#include <algorithm>
#include <initializer_list>

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

namespace {

// Which reply field fills which edit box.
struct FieldBox {
    std::size_t field;
    FieldText LinkStatus::*box;
};

bool ParseSettings(std::string_view text, std::string_view code,
                   std::initializer_list<FieldBox> boxes, LinkStatus& display) {
    if (!IsReplyOf(text, code)) return false;
    const auto fields = ReplyFields(text, kSettingsFields);
    for (const auto& [field, box] : boxes)
        (display.*box).Text = fields[field];
    return true;
}

}  // namespace

bool ParseGuiderSettings(std::string_view text, LinkStatus& display) {
    return ParseSettings(text, "103",
                         {{1, &LinkStatus::route},
                          {2, &LinkStatus::backLight},
                          {3, &LinkStatus::suspend},
                          {4, &LinkStatus::homeZone},
                          {5, &LinkStatus::localZone},
                          {6, &LinkStatus::unit}},
                         display);
}

bool ParseLoggerSettings(std::string_view text, LinkStatus& display) {
    return ParseSettings(text, "101",
                         {{0, &LinkStatus::recordTime},
                          {2, &LinkStatus::recordDistance},
                          {4, &LinkStatus::recordSpeed}},
                         display);
}

}  // namespace vantrel
