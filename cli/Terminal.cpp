#include "cli/Terminal.h"

#include <locale.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <optional>

#include "base/ControlCharacters.h"
#include "locale/Utf16.h"

namespace vantrel::cli {

namespace {

struct CodePoint {
    char32_t value;
    std::size_t length;  // bytes it takes
};

// The UTF-8 character at the start of `text`, or nullopt for a byte that
// begins none (a stray continuation byte, an overlong or cut sequence, a
// surrogate or a value past U+10FFFF): such bytes are shown one by one.
std::optional<CodePoint> CharacterAt(std::string_view text) {
    std::size_t end = 0;
    const char32_t value = DecodeUtf8(text, end);
    if (value == kReplacementCharacter && text.substr(0, end) != "\xEF\xBF\xBD") return std::nullopt;
    return CodePoint{value, end};
}

std::string Escape(const char* format, unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A UTF-8 locale for wcwidth, kept for this thread only while it is asked.
class Utf8Widths {
  public:
    Utf8Widths() : utf8_(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
        if (utf8_) previous_ = uselocale(utf8_);
    }
    ~Utf8Widths() {
        if (!utf8_) return;
        uselocale(previous_);
        freelocale(utf8_);
    }
    Utf8Widths(const Utf8Widths&) = delete;
    Utf8Widths& operator=(const Utf8Widths&) = delete;

    int Width(char32_t c) const {
        if (c < 0x80 || !utf8_) return 1;
        const int width = wcwidth(static_cast<wchar_t>(c));
        return width < 0 ? 1 : width;
    }

  private:
    locale_t utf8_;
    locale_t previous_ = nullptr;
};

}  // namespace

std::string EscapeControls(std::string_view text, LineEnds lineEnds) {
    std::string shown;
    shown.reserve(text.size());
    while (!text.empty()) {
        const auto c = CharacterAt(text);
        if (!c) {
            shown += Escape("\\x%02x", static_cast<unsigned char>(text[0]));
            text.remove_prefix(1);
            continue;
        }
        const bool kept = c->value == '\n' && lineEnds == LineEnds::Keep;
        if (!IsHiddenControl(c->value) || kept)
            shown.append(text.substr(0, c->length));
        else
            shown += Escape(c->value < 0x80 ? "\\x%02x" : "\\u%04x", unsigned(c->value));
        text.remove_prefix(c->length);
    }
    return shown;
}

int DisplayWidth(std::string_view text) {
    const Utf8Widths widths;
    int width = 0;
    while (!text.empty()) {
        const auto c = CharacterAt(text);
        width += c ? widths.Width(c->value) : 1;
        text.remove_prefix(c ? c->length : 1);
    }
    return width;
}

std::string PadRight(std::string_view text, int width) {
    const int pad = width - DisplayWidth(text);
    return std::string(text) + std::string(static_cast<std::size_t>(pad > 0 ? pad : 0), ' ');
}

std::string PadLeft(std::string_view text, int width) {
    const int pad = width - DisplayWidth(text);
    return std::string(static_cast<std::size_t>(pad > 0 ? pad : 0), ' ') + std::string(text);
}

std::string TableText(const std::vector<TableRow>& rows, std::string_view align) {
    std::vector<TableRow> shown;
    std::vector<int> widths(align.size(), 0);
    for (const TableRow& row : rows) {
        TableRow& cells = shown.emplace_back();
        for (std::size_t col = 0; col < row.size() && col < align.size(); ++col) {
            cells.push_back(EscapeControls(row[col]));
            widths[col] = std::max(widths[col], DisplayWidth(cells.back()));
        }
    }
    std::string text;
    for (const TableRow& cells : shown) {
        std::string line;
        for (std::size_t col = 0; col < cells.size(); ++col) {
            if (col > 0) line += "  ";
            line += align[col] == 'r' ? PadLeft(cells[col], widths[col])
                                      : PadRight(cells[col], widths[col]);
        }
        text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return text;
}

}  // namespace vantrel::cli
