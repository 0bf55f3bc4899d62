#include "locale/UnicodeText.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>

#include <cstdio>
#include <vector>

#include "locale/Utf16.h"

namespace vantrel {

std::string NfcText(std::string_view utf8) {
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    const std::u16string source = Utf8ToUtf16(utf8);
    if (U_FAILURE(status)) return Utf16ToUtf8(source);
    // Composition never makes text longer than three times its length.
    std::vector<UChar> composed(source.size() * 3 + 1);
    const int32_t length = unorm2_normalize(nfc, reinterpret_cast<const UChar*>(source.data()),
                                            static_cast<int32_t>(source.size()), composed.data(),
                                            static_cast<int32_t>(composed.size()), &status);
    if (U_FAILURE(status)) return Utf16ToUtf8(source);
    return Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(composed.data()),
                            static_cast<std::size_t>(length)));
}

std::size_t CodePointCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < utf8.size(); ++count)
        DecodeUtf8(utf8, i);
    return count;
}

std::string CharacterName(char32_t c) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    if (u_charType(static_cast<UChar32>(c)) == U_CONTROL_CHAR)
        return std::string(code) + ", a control character";
    char name[128];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_charName(static_cast<UChar32>(c), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0) return code;
    return std::string(code) + " " + std::string(name, static_cast<std::size_t>(length));
}

bool IsCombiningMark(char32_t c) {
    return (U_GET_GC_MASK(static_cast<UChar32>(c)) & U_GC_M_MASK) != 0;
}

bool IsSpaceSeparator(char32_t c) {
    return u_charType(static_cast<UChar32>(c)) == U_SPACE_SEPARATOR;
}

}  // namespace vantrel
