// Unicode beyond encodings: composition, counts, names and the categories
// that tell how a character is drawn.

#include "locale/UnicodeText.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(UnicodeText, ComposesCountsAndNamesCharacters) {
    EXPECT_EQ(NfcText("Cafe\u0301 A\u030A"), "Caf\u00E9 \u00C5");
    EXPECT_EQ(NfcText("x\u0301"), "x\u0301");  // no composed form: left as it is
    EXPECT_EQ(NfcText("a\xFF"), "a\uFFFD");
    EXPECT_EQ(CodePointCount("Caf\u00E9 \U0001F600"), 6u);
    EXPECT_EQ(CharacterName(U'\U0001F600'), "U+1F600 GRINNING FACE");
    EXPECT_EQ(CharacterName(U'\x1B'), "U+001B, a control character");
    EXPECT_EQ(CharacterName(0xE000), "U+E000");             // private use: no name
    EXPECT_TRUE(IsCombiningMark(0x0301));
    EXPECT_FALSE(IsCombiningMark(U'e'));
    EXPECT_TRUE(IsSpaceSeparator(0x3000));
    EXPECT_FALSE(IsSpaceSeparator(0x200B));  // a zero width space is a format character
}

}  // namespace
}  // namespace vantrel
