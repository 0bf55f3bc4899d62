#include "plans/GlyphRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "plans/PlansTestSupport.h"

namespace vantrel {
namespace {

using testing::SharedGlyphs;

bool AllZero(const Glyph& glyph) {
    return std::all_of(glyph.begin(), glyph.end(), [](auto b) { return b == 0; });
}

int InkRows(const GlyphCell& cell, int from, int to) {
    int ink = 0;
    for (int y = from; y <= to; ++y)
        for (int x = 0; x < kGlyphCellWidth; ++x)
            ink += cell.At(x, y);
    return ink;
}

TEST(GlyphRenderer, FindsAFaceForEveryScript) {
    auto font = FindGlyphFont();
    ASSERT_TRUE(font.has_value());
    ASSERT_TRUE(SharedGlyphs().IsReady()) << SharedGlyphs().Font().file;
    for (char16_t c : {u'A', u'Ω', u'Ж', u'中'})
        EXPECT_FALSE(AllZero(SharedGlyphs().RenderGlyph(c)));
}

TEST(GlyphRenderer, LatinAndCjkDrawInsideTheCell) {
    for (char16_t c : {u'A', u'中'}) {
        GlyphCell cell = SharedGlyphs().DrawCell(c);
        EXPECT_EQ(cell.clippedPixels, 0) << int(c);
        EXPECT_GT(InkRows(cell, 3, 13), 8) << int(c);
    }
    // A capital sits on the baseline of text drawn at the top edge: its ink
    // is in the rows the device keeps, none in the leading above them.
    GlyphCell a = SharedGlyphs().DrawCell(u'A');
    EXPECT_EQ(InkRows(a, 0, 2), 0);
    EXPECT_EQ(InkRows(a, 14, 14), 0);
}

TEST(GlyphRenderer, BlankCharactersGiveZeroBytes) {
    EXPECT_TRUE(AllZero(SharedGlyphs().RenderGlyph(u' ')));
    EXPECT_TRUE(AllZero(SharedGlyphs().RenderGlyph(0)));
    EXPECT_TRUE(AllZero(SharedGlyphs().RenderGlyph(0xD83D)));  // half a pair
}

TEST(GlyphRenderer, RenderingIsDeterministic) {
    auto font = FindGlyphFont();
    ASSERT_TRUE(font.has_value());
    GlyphRenderer other(*font);
    for (char16_t c : {u'A', u'g', u'Ω', u'Ж', u'中', u'文', u'9'}) {
        Glyph first = SharedGlyphs().RenderGlyph(c);
        EXPECT_EQ(other.RenderGlyph(c), first) << int(c);
        EXPECT_EQ(PackGlyph(other.DrawCell(c)), first) << int(c);
    }
}

TEST(GlyphRenderer, PackingKeepsRowsThreeToThirteen) {
    GlyphCell cell;
    auto set = [&](int x, int y) { cell.pixels.set(std::size_t(y * kGlyphCellWidth + x)); };
    set(0, 3);    // byte 0, bit 0
    set(10, 10);  // byte 10, bit 7
    set(4, 11);   // byte 15, bit 0
    set(4, 13);   // byte 15, bit 2
    set(2, 0);    // rows 0..2 and 14 are not stored
    set(2, 2);
    set(7, 14);
    Glyph expected{};
    expected[0] = 0x01;
    expected[10] = 0x80;
    expected[15] = 0x05;
    EXPECT_EQ(PackGlyph(cell), expected);
}

}  // namespace
}  // namespace vantrel
