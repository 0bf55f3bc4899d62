#pragma once
// UTF-8, the program's text, against UTF-16, which plan images, track names
// and some text files store. Input that is not well-formed comes out as
// U+FFFD, one for each broken piece, so every input gives well-formed output.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

inline bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point that starts at text[i]; advances i past it. A sequence
// that is broken, overlong, a surrogate or above U+10FFFF gives U+FFFD and
// advances past its longest valid beginning (at least one byte).
char32_t DecodeUtf8(std::string_view text, std::size_t& i);
void AppendUtf8(std::string& out, char32_t codePoint);

std::u16string Utf8ToUtf16(std::string_view text);
// A surrogate without its partner becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);
// UTF-16 code units as bytes, two each in the given byte order; a lone
// trailing byte becomes U+FFFD too.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian);

}  // namespace vantrel
