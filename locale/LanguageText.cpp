#include "locale/LanguageText.h"

namespace vantrel {

namespace {

// Code points of valid UTF-8 text: every byte that does not continue one.
std::size_t CharacterCount(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text)
        count += (c & 0xC0) != 0x80;
    return count;
}

}  // namespace

std::string CheckLanguageLines(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t length = CharacterCount(lines[i]);
        if (length > kMaxLanguageLineLength)
            return "line " + std::to_string(i + 1) + " has " + std::to_string(length) +
                   " characters, more than the " + std::to_string(kMaxLanguageLineLength) +
                   " a language line may hold";
    }
    return {};
}

void ApplyLanguageText(const std::vector<std::string>& lines, UiTexts& texts,
                       ColumnTitleSet& titles) {
    std::size_t next = 0;
    auto take = [&]() -> std::string {
        std::size_t at = next++;
        return at < lines.size() ? lines[at] : std::string();
    };
    texts.SetCaption(take() + VersionText);
    for (auto& title : titles)
        title = take();
    const auto slots = UiSlots();
    for (std::size_t slot = 0; slot < texts.SlotCount(); ++slot) {
        std::string line = take();
        if (slot < slots.size() && slots[slot].kind != SlotKind::Text)
            texts.SetSlotText(slot, std::move(line));
    }
}

std::vector<std::string> UiTextLines(const UiTexts& texts, const ColumnTitleSet& titles) {
    std::vector<std::string> lines;
    lines.reserve(kLanguageLineCount);
    lines.push_back(texts.Caption());
    lines.insert(lines.end(), titles.begin(), titles.end());
    for (std::size_t slot = 0; slot < texts.SlotCount(); ++slot)
        lines.push_back(texts.SlotText(slot));
    return lines;
}

std::string EncodeLines(const std::vector<std::string>& lines, const CodePage& codePage) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return codePage.FromUtf8(text);  // one conversion for the whole file
}

}  // namespace vantrel
