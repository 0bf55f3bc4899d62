#include "plans/GlyphRenderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

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

// The ink of a cell lies in the rows the device stores, and none was cut off.
bool InkInStoredRows(const GlyphCell& cell) {
    return cell.clippedPixels == 0 && InkRows(cell, 0, 2) == 0 && InkRows(cell, 14, 14) == 0;
}

struct InkBox {
    int top = kGlyphCellHeight, bottom = -1, left = kGlyphCellWidth, right = -1;
    int Height() const { return bottom - top + 1; }
    int Width() const { return right - left + 1; }
};

InkBox BoxOf(const GlyphCell& cell) {
    InkBox box;
    for (int y = 0; y < kGlyphCellHeight; ++y)
        for (int x = 0; x < kGlyphCellWidth; ++x)
            if (cell.At(x, y)) {
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
            }
    return box;
}

std::string Hex(char16_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", unsigned(c));
    return text;
}

// Every ideograph of the block the titles use: the whole ink in the stored
// rows, and drawn large enough to read (all but the simplest fill most of the
// cell).
TEST(GlyphRenderer, EveryCjkIdeographKeepsItsInkInTheStoredRows) {
    int drawn = 0, large = 0;
    std::vector<std::string> outside;
    for (char16_t c = 0x4E00; c <= 0x9FA5; ++c) {
        const GlyphCell cell = SharedGlyphs().DrawCell(c);
        if (cell.pixels.none()) continue;
        ++drawn;
        if (!InkInStoredRows(cell)) outside.push_back(Hex(c));
        const InkBox box = BoxOf(cell);
        if (box.Height() >= 8 && box.Width() >= 8) ++large;
    }
    EXPECT_GE(drawn, 20000);  // the installed face holds the whole block
    EXPECT_TRUE(outside.empty()) << outside.size() << " ideographs leave the stored rows, first "
                                 << outside.front();
    EXPECT_GE(large, drawn * 95 / 100);
}

TEST(GlyphRenderer, LatinGreekAndCyrillicWithAccentsKeepTheirInkAndBaseline) {
    std::vector<std::string> outside;
    for (auto [first, last] :
         {std::pair{0x21, 0x7E}, {0xC0, 0x17F}, {0x384, 0x3CE}, {0x400, 0x45F}}) {
        for (int c = first; c <= last; ++c) {
            const GlyphCell cell = SharedGlyphs().DrawCell(char16_t(c));
            if (!InkInStoredRows(cell)) outside.push_back(Hex(char16_t(c)));
        }
    }
    EXPECT_TRUE(outside.empty()) << outside.size() << " characters leave the stored rows, first "
                                 << outside.front();
    // Letters the main face lacks (Polish, Turkish, Romanian, Hungarian)
    // come from another face rather than blank.
    std::vector<std::string> blank;
    for (int c = 0xC0; c <= 0x17F; ++c)
        if (SharedGlyphs().DrawCell(char16_t(c)).pixels.none()) blank.push_back(Hex(char16_t(c)));
    for (char16_t c : {u'ș', u'ț', u'Ș', u'Ț', u'ə'})
        if (SharedGlyphs().DrawCell(c).pixels.none()) blank.push_back(Hex(c));
    EXPECT_TRUE(blank.empty()) << blank.size() << " letters are blank, first " << blank.front();
    // Capitals stand on the baseline (an accented one at most a row lower)
    // with their accents drawn apart above them, and descenders go below.
    const InkBox e = BoxOf(SharedGlyphs().DrawCell(u'E'));
    const InkBox eAcute = BoxOf(SharedGlyphs().DrawCell(u'É'));
    const InkBox aRing = BoxOf(SharedGlyphs().DrawCell(u'Å'));
    const InkBox g = BoxOf(SharedGlyphs().DrawCell(u'g'));
    EXPECT_GE(e.Height(), 7);
    EXPECT_GE(eAcute.Height(), e.Height() + 2);
    EXPECT_LE(eAcute.bottom - e.bottom, 1);
    EXPECT_GE(aRing.Height(), e.Height() + 2);
    EXPECT_LE(aRing.bottom - e.bottom, 1);
    EXPECT_GT(g.bottom, e.bottom);
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
