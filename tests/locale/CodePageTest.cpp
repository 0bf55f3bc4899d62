#include "locale/CodePage.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(CodePage, RoundTripsThroughWindowsCodePages) {
    CodePage latin("CP1252");
    ASSERT_TRUE(latin.IsValid());
    EXPECT_EQ(latin.FromUtf8("Gr\xC3\xBC\xC3\x9F"), "Gr\xFC\xDF");
    EXPECT_EQ(latin.ToUtf8("Gr\xFC\xDF"), "Gr\xC3\xBC\xC3\x9F");

    CodePage gbk("GBK");
    ASSERT_TRUE(gbk.IsValid());
    std::string zhong = "\xE4\xB8\xAD";  // U+4E2D
    EXPECT_EQ(gbk.ToUtf8(gbk.FromUtf8(zhong)), zhong);
}

TEST(CodePage, UnmappableTextIsReplacedNotDropped) {
    CodePage latin("CP1252");
    EXPECT_EQ(latin.FromUtf8("a\xE4\xB8\xAD" "b"), "a?b");
    CodePage utf8("UTF-8");
    EXPECT_EQ(utf8.ToUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
}

TEST(CodePage, UnknownNameIsInvalidAndPassesBytesThrough) {
    CodePage none("NO-SUCH-CODEPAGE");
    EXPECT_FALSE(none.IsValid());
    EXPECT_EQ(none.ToUtf8("abc"), "abc");
    EXPECT_FALSE(CodePage().Name().empty());
}

}  // namespace
}  // namespace vantrel
