#include "tracks/XmlText.h"

#include "locale/TextDecoding.h"

namespace vantrel {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool AllowedControl(unsigned char c) {
    return c == '\t' || c == '\n';
}

// U+FFFE and U+FFFF are EF BF BE and EF BF BF in UTF-8.
bool IsNonCharacterAt(std::string_view text, std::size_t at) {
    return text.compare(at, 2, "\xEF\xBF") == 0 && at + 2 < text.size() &&
           (text[at + 2] == '\xBE' || text[at + 2] == '\xBF');
}

}  // namespace

std::string XmlSafeText(std::string_view text) {
    const std::string valid = SanitiseUtf8(text);
    std::string safe;
    safe.reserve(valid.size());
    for (std::size_t at = 0; at < valid.size(); ++at) {
        const auto c = static_cast<unsigned char>(valid[at]);
        if (c == '\r') {
            // An XML reader takes CR LF and a lone CR as one LF, so that is
            // what the text holds; written and read again, it stays the same.
            if (at + 1 >= valid.size() || valid[at + 1] != '\n') safe += '\n';
        } else if (c < 0x20 && !AllowedControl(c)) {
            safe += kReplacement;
        } else if (IsNonCharacterAt(valid, at)) {
            safe += kReplacement;
            at += 2;
        } else {
            safe += valid[at];
        }
    }
    return safe;
}

}  // namespace vantrel
