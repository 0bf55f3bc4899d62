#include "locale/Utf16.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(Utf16, SurrogatesAndBrokenInputBecomeReplacements) {
    const std::string replacement = "\xEF\xBF\xBD";
    // U+1F600 as a surrogate pair.
    EXPECT_EQ(Utf16ToUtf8(std::string("\x3D\xD8\x00\xDE", 4), false), "\xF0\x9F\x98\x80");
    // A lone high surrogate, a lone low surrogate, an odd trailing byte.
    EXPECT_EQ(Utf16ToUtf8(std::string("\x3D\xD8"
                                      "A\0",
                                      4),
                          false),
              replacement + "A");
    EXPECT_EQ(Utf16ToUtf8(std::string("\x00\xDE", 2), false), replacement);
    EXPECT_EQ(Utf16ToUtf8(std::string("A\0B", 3), false), "A" + replacement);
}

TEST(Utf16, Utf8RoundTripsAndEachBrokenPieceBecomesOneReplacement) {
    const std::string text = "Gr\xC3\xBC\xC3\x9F \xE4\xB8\xAD \xF0\x9F\x98\x80";
    EXPECT_EQ(Utf8ToUtf16(text), u"Gr\u00fc\u00df \u4e2d \U0001F600");
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    // A truncated sequence, an overlong form, a stray continuation byte.
    EXPECT_EQ(Utf8ToUtf16("\xE4\xB8x\xC0\xAF\x80"), u"\uFFFDx\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vantrel
