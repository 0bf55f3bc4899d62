#include "locale/TextDecoding.h"

#include <algorithm>
#include <cstdint>

namespace vantrel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsHighSurrogate(char32_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char32_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

// The allowed range of the byte after a UTF-8 lead byte and the sequence's
// length; length 0 for a byte that cannot start a sequence.
struct LeadRule {
    int length;
    unsigned char low, high;
};

LeadRule RuleFor(unsigned char lead) {
    if (lead < 0x80) return {1, 0, 0};
    if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
    if (lead == 0xE0) return {3, 0xA0, 0xBF};  // no overlong forms
    if (lead == 0xED) return {3, 0x80, 0x9F};  // no surrogates
    if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
    if (lead == 0xF0) return {4, 0x90, 0xBF};
    if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
    if (lead == 0xF4) return {4, 0x80, 0x8F};  // nothing above U+10FFFF
    return {0, 0, 0};
}

}  // namespace

std::string SanitiseUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        LeadRule rule = RuleFor(static_cast<unsigned char>(bytes[i]));
        std::size_t good = rule.length == 0 ? 0 : 1;  // bytes of a valid prefix
        for (int k = 1; k < rule.length && i + good < bytes.size(); ++k) {
            auto b = static_cast<unsigned char>(bytes[i + good]);
            bool ok = k == 1 ? (b >= rule.low && b <= rule.high) : (b >= 0x80 && b <= 0xBF);
            if (!ok) break;
            ++good;
        }
        if (rule.length != 0 && good == static_cast<std::size_t>(rule.length)) {
            out.append(bytes.substr(i, good));
        } else {
            out.append(kReplacement);  // one replacement per broken sequence
        }
        i += std::max<std::size_t>(good, 1);
    }
    return out;
}

TextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) return TextEncoding::Utf8Bom;
    if (bytes.starts_with(kUtf16LeBom)) return TextEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeBom)) return TextEncoding::Utf16Be;
    return TextEncoding::CodePage;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    auto unit = [&](std::size_t i) {
        auto a = static_cast<unsigned char>(bytes[i]);
        auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    };
    std::size_t units = bytes.size() / 2;
    for (std::size_t k = 0; k < units; ++k) {
        char32_t u = unit(2 * k);
        if (IsHighSurrogate(u) && k + 1 < units && IsLowSurrogate(unit(2 * k + 2))) {
            char32_t low = unit(2 * ++k);
            AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            out.append(kReplacement);
        } else {
            AppendUtf8(out, u);
        }
    }
    if (bytes.size() % 2 != 0) out.append(kReplacement);
    return out;
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
