#include "locale/Utf16.h"

namespace vantrel {

namespace {

// The length of the sequence a lead byte starts and the allowed range of the
// byte after it; length 0 for a byte that cannot start a sequence.
struct LeadRule {
    std::size_t length;
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

char32_t DecodeUtf8(std::string_view text, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const LeadRule rule = RuleFor(byte(i));
    if (rule.length == 0) {
        ++i;
        return kReplacementCharacter;
    }
    char32_t cp = rule.length == 1 ? byte(i) : byte(i) & (0x7F >> rule.length);
    std::size_t good = 1;  // bytes of a valid beginning
    for (; good < rule.length && i + good < text.size(); ++good) {
        const unsigned char b = byte(i + good);
        const bool ok = good == 1 ? (b >= rule.low && b <= rule.high) : (b >= 0x80 && b <= 0xBF);
        if (!ok) break;
        cp = (cp << 6) | (b & 0x3F);
    }
    i += good;
    return good == rule.length ? cp : kReplacementCharacter;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = DecodeUtf8(text, i);
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view units) {
    std::string out;
    out.reserve(units.size() * 3);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (IsHighSurrogate(u) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[++i] - 0xDC00));
        } else if (IsHighSurrogate(u) || IsLowSurrogate(u)) {
            AppendUtf8(out, kReplacementCharacter);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t k = 0; k < units.size(); ++k) {
        const auto a = static_cast<unsigned char>(bytes[2 * k]);
        const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
        units[k] = static_cast<char16_t>(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    std::string out = Utf16ToUtf8(units);
    if (bytes.size() % 2 != 0) AppendUtf8(out, kReplacementCharacter);
    return out;
}

}  // namespace vantrel
