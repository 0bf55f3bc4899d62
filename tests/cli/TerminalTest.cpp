// Text shown on a terminal: control characters escaped, widths as a
// terminal counts them, columns aligned by those widths.

#include "cli/Terminal.h"

#include <gtest/gtest.h>

namespace vantrel::cli {
namespace {

TEST(Terminal, ControlCharactersAndBrokenUtf8AreShownEscaped) {
    EXPECT_EQ(EscapeControls("plain Zürich 中文"), "plain Zürich 中文");
    EXPECT_EQ(EscapeControls("a\x1b[31mb\tc\nd\x7f"), "a\\x1b[31mb\\x09c\\x0ad\\x7f");
    EXPECT_EQ(EscapeControls("two\nlines", LineEnds::Keep), "two\nlines");
    // C1 controls (a single-character CSI) and bytes that are no UTF-8.
    EXPECT_EQ(EscapeControls("\xc2\x9b" "2J"), "\\u009b2J");
    EXPECT_EQ(EscapeControls("\xff\xc3(\xe4\xb8"), "\\xff\\xc3(\\xe4\\xb8");
    EXPECT_EQ(EscapeControls("\xc0\xaf"), "\\xc0\\xaf");  // an overlong "/"
    // A right-to-left override would show "gpx.exe" as "exe.xpg".
    EXPECT_EQ(EscapeControls("x\u202Egpx.exe\u2066"), "x\\u202egpx.exe\\u2066");
}

TEST(Terminal, WidthsCountWideAndCombiningCharacters) {
    EXPECT_EQ(DisplayWidth("Track0"), 6);
    EXPECT_EQ(DisplayWidth("山道"), 4);
    EXPECT_EQ(DisplayWidth("ＡＢ"), 4);         // fullwidth forms
    EXPECT_EQ(DisplayWidth("e\xcc\x81"), 1);  // e and a combining acute
    EXPECT_EQ(DisplayWidth("Zürich"), 6);
    EXPECT_EQ(PadRight("山", 4), "山  ");
    EXPECT_EQ(PadLeft("7", 3), "  7");
    EXPECT_EQ(PadRight("toolong", 3), "toolong");
}

TEST(Terminal, TablesAlignByWidthAndEscapeCells) {
    EXPECT_EQ(TableText({{"#", "name", "km"}, {"1", "山道走行", "2.5"}, {"12", "a\x1b", "10.25"}},
                        "rlr"),
              " #  name         km\n"
              " 1  山道走行    2.5\n"
              "12  a\\x1b     10.25\n");
}

}  // namespace
}  // namespace vantrel::cli
