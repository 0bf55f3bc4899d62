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
    EditState LinkDisplay::*box;
};

bool ParseSettings(std::string_view text, std::string_view code,
                   std::initializer_list<FieldBox> boxes, LinkDisplay& display) {
    if (!IsReplyOf(text, code)) return false;
    const auto fields = ReplyFields(text, kSettingsFields);
    for (const auto& [field, box] : boxes)
        (display.*box).Text = fields[field];
    return true;
}

}  // namespace

bool ParseGuiderSettings(std::string_view text, LinkDisplay& display) {
    return ParseSettings(text, "103",
                         {{1, &LinkDisplay::edRoute},
                          {2, &LinkDisplay::edBackLight},
                          {3, &LinkDisplay::edSuspend},
                          {4, &LinkDisplay::edTimeZoneHome},
                          {5, &LinkDisplay::edTimeZoneLocal},
                          {6, &LinkDisplay::edUnit}},
                         display);
}

bool ParseLoggerSettings(std::string_view text, LinkDisplay& display) {
    return ParseSettings(text, "101",
                         {{0, &LinkDisplay::edRecordTime},
                          {2, &LinkDisplay::edRecordDistance},
                          {4, &LinkDisplay::edRecordSpeed}},
                         display);
}

}  // namespace vantrel
