#include "locale/TextDecoding.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

// "Grüß 中" as UTF-8, and its UTF-16 code units.
const std::string kText = "Gr\xC3\xBC\xC3\x9F \xE4\xB8\xAD";

TEST(TextDecoding, ByteOrderMarksChooseTheEncoding) {
    CodePage latin("CP1252");
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + kText, latin), kText);
    std::string le(
        "\xFF\xFE"
        "G\0r\0\xFC\0\xDF\0 \0\x2D\x4E",
        14);
    EXPECT_EQ(DecodeText(le, latin), kText);
    std::string be(
        "\xFE\xFF"
        "\0G\0r\0\xFC\0\xDF\0 \x4E\x2D",
        14);
    EXPECT_EQ(DecodeText(be, latin), kText);
    // Without a mark the code page decides: the same bytes read differently.
    EXPECT_EQ(DecodeText("Gr\xFC\xDF", latin), "Gr\xC3\xBC\xC3\x9F");
    CodePage gbk("GBK");
    EXPECT_EQ(DecodeText("\xD6\xD0", gbk), "\xE4\xB8\xAD");
}

TEST(TextDecoding, InvalidUtf8AfterTheMarkIsReplacedNotPassedOn) {
    const std::string r = "\xEF\xBF\xBD";
    CodePage utf8("UTF-8");
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "a\xC0\x80"
                         "b",
                         utf8),
              "a" + r + r + "b");  // overlong
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "\xED\xA0\x80",
                         utf8),
              r + r + r);  // surrogate
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "\xF4\x90\x80\x80",
                         utf8),
              r + r + r + r);  // > U+10FFFF
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "\xE4\xB8"
                         "x",
                         utf8),
              r + "x");  // truncated
    // A code page the system lacks passes bytes through, still as valid UTF-8.
    EXPECT_EQ(DecodeText("a\xFF", CodePage("NO-SUCH-CODEPAGE")), "a" + r);
}

TEST(TextDecoding, LinesSplitAtAnyBreakWithoutATrailingEmptyLine) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n"), Lines{"a"});
    EXPECT_EQ(SplitLines("a\r\n\r\nb\n\r"), (Lines{"a", "", "b", ""}));
    EXPECT_EQ(SplitLines(std::string("a\0b\n", 4)), Lines{"ab"});
}

}  // namespace
}  // namespace vantrel
