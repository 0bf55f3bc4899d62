// Language files of any bytes: decoding never fails, every text it produces
// is valid UTF-8 of one line, and the texts read back are the file's lines
// (but for the combo boxes, which keep the user's values).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "locale/LanguageText.h"
#include "locale/TextDecoding.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool IsOneUtf8Line(const std::string& text) {
    return vantrel::SanitiseUtf8(text) == text &&
           text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    static const CodePage codePages[] = {CodePage("UTF-8"), CodePage("CP1252"), CodePage("GBK")};
    if (size == 0) return 0;
    const CodePage& codePage = codePages[data[0] % 3];
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    auto lines = SplitLines(DecodeText(bytes, codePage));
    UiTexts texts;
    ColumnTitleSet titles = DefaultColumnTitles();
    ApplyLanguageText(lines, texts, titles);

    auto back = UiTextLines(texts, titles);
    Check(back.size() == static_cast<std::size_t>(kLanguageLineCount));
    const auto slots = UiSlots();
    for (std::size_t i = 0; i < back.size(); ++i) {
        Check(IsOneUtf8Line(back[i]));
        if (i == 0) continue;
        // Combo boxes keep their own text; every other line is the file's.
        const bool combo = i >= kFirstSlotLine && slots[i - kFirstSlotLine].kind == SlotKind::Text;
        const std::string expected = combo ? std::string(slots[i - kFirstSlotLine].builtInText)
                                           : (i < lines.size() ? lines[i] : std::string());
        Check(back[i] == expected);
    }
    Check(EncodeLines(back, codePage).size() >= 2 * back.size());
    return 0;
}
