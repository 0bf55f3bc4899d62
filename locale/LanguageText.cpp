#include "locale/LanguageText.h"

namespace vantrel {

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
