#include "locale/TextDecoding.h"

#include "locale/Utf16.h"

namespace vantrel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

}  // namespace

std::string SanitiseUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();)
        AppendUtf8(out, DecodeUtf8(bytes, i));
    return out;
}

TextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return TextEncoding::Utf8Bom;
    if (bytes.starts_with(kUtf16LeBom)) return TextEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeBom)) return TextEncoding::Utf16Be;
    return TextEncoding::CodePage;
}

std::string DecodeText(std::string_view bytes, const CodePage& codePage) {
    switch (DetectEncoding(bytes)) {
        case TextEncoding::Utf8Bom:
            return SanitiseUtf8(bytes.substr(kUtf8Bom.size()));
        case TextEncoding::Utf16Le:
            return Utf16ToUtf8(bytes.substr(kUtf16LeBom.size()), false);
        case TextEncoding::Utf16Be:
            return Utf16ToUtf8(bytes.substr(kUtf16BeBom.size()), true);
        case TextEncoding::CodePage:
            break;
    }
    // A code page the system cannot convert passes bytes through unchanged;
    // the second pass keeps the result valid UTF-8 either way.
    return SanitiseUtf8(codePage.ToUtf8(bytes));
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string line;
        for (char c : text.substr(pos, end - pos))
            if (c != '\0') line.push_back(c);
        lines.push_back(std::move(line));
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    return lines;
}

}  // namespace vantrel
