#include "plans/GlyphRenderer.h"

#include "locale/UnicodeText.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H

namespace vantrel {

namespace {

constexpr int kFirstStoredRow = 3;  // rows 3..10 in bytes 0..10
constexpr int kSecondBandRow = 11;  // rows 11..13 in bytes 11..21
constexpr int kLastStoredRow = 13;
constexpr int kStoredRows = kLastStoredRow - kFirstStoredRow + 1;

// Characters are drawn 10 pixels high with the baseline under row 11, which
// leaves nine stored rows for capitals and ascenders and two for descenders;
// the few glyphs that reach further (accented capitals, some ideographs) are
// moved up or down by what they overhang.
constexpr int kPixelSize = 10;
constexpr int kBaselineRow = 12;  // the first row below the baseline
constexpr int kSmallestPixelSize = 6;

}  // namespace

Glyph PackGlyph(const GlyphCell& cell) {
    Glyph glyph{};
    for (int x = 0; x < kGlyphCellWidth; ++x) {
        for (int y = kFirstStoredRow; y < kSecondBandRow; ++y)
            if (cell.At(x, y)) glyph[std::size_t(x)] |= std::uint8_t(1u << (y - kFirstStoredRow));
        for (int y = kSecondBandRow; y <= kLastStoredRow; ++y)
            if (cell.At(x, y))
                glyph[std::size_t(kGlyphCellWidth + x)] |= std::uint8_t(1u << (y - kSecondBandRow));
    }
    return glyph;
}

GlyphRenderer::GlyphRenderer() : GlyphRenderer(FindGlyphFont().value_or(GlyphFont{})) {}

GlyphRenderer::GlyphRenderer(const GlyphFont& font)
    : font_(font), faces_(std::make_unique<GlyphFaces>(font)) {}

GlyphRenderer::~GlyphRenderer() = default;

bool GlyphRenderer::IsReady() const {
    return faces_->HasMain();
}

namespace {

// The ink of a glyph in cell coordinates, the pen at the cell's left edge on
// the baseline, with the box around it.
struct Ink {
    std::vector<std::pair<int, int>> pixels;  // (x, y)
    int left = 0, right = -1, top = 0, bottom = -1;

    bool Empty() const { return pixels.empty(); }
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
    void Add(int x, int y) {
        if (pixels.empty()) {
            left = right = x;
            top = bottom = y;
        }
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        pixels.emplace_back(x, y);
    }
};

// A glyph whose advance is (nearly) the whole em: an ideograph or another
// full-width character, which has no baseline to keep in line with letters.
bool IsFullWidth(FT_Face face, FT_UInt index) {
    FT_Fixed advance = 0;
    return face->units_per_EM > 0 && FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &advance) == 0 &&
           advance * 10 >= FT_Fixed{face->units_per_EM} * 9;
}

// The glyph drawn in monochrome at `pixelSize`, or nullopt when FreeType
// cannot draw it.
std::optional<Ink> DrawInk(FT_Face face, FT_UInt index, int pixelSize, bool autohint) {
    const FT_Int32 flags =
        FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | (autohint ? FT_LOAD_FORCE_AUTOHINT : 0);
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0 ||
        FT_Load_Glyph(face, index, flags) != 0)
        return std::nullopt;
    FT_GlyphSlot slot = face->glyph;
    if (slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return std::nullopt;
    const FT_Bitmap& bitmap = slot->bitmap;
    Ink ink;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col)
            if (((line[col / 8] >> (7 - col % 8)) & 1) != 0)
                ink.Add(slot->bitmap_left + static_cast<int>(col),
                        kBaselineRow - slot->bitmap_top + static_cast<int>(row));
    }
    return ink;
}

// The ink is no larger than the stored rows and the cell's columns.
bool FitsMoved(const Ink& ink) {
    return ink.Width() <= kGlyphCellWidth && ink.Height() <= kStoredRows;
}

// The glyph at the largest size whose ink is no larger than the stored rows
// and columns (the smallest size when none is), to be moved into them.
// Full-width glyphs are autohinted, which keeps the one-pixel strokes of
// small ideographs that plain monochrome rasterising drops; letters keep
// the hinting their face was made with.
std::optional<Ink> SizedInk(FT_Face face, FT_UInt index) {
    const bool autohint = IsFullWidth(face, index);
    std::optional<Ink> ink;
    for (int size = kPixelSize; size >= kSmallestPixelSize; --size) {
        ink = DrawInk(face, index, size, autohint);
        if (!ink || FitsMoved(*ink)) break;
    }
    return ink;
}

// How far `low..high` must move to lie within `first..last` (0 when it does,
// or when it is longer than that span).
int ShiftInto(int low, int high, int first, int last) {
    if (low < first) return first - low;
    if (high > last) return last - high;
    return 0;
}

}  // namespace

GlyphCell GlyphRenderer::DrawCell(char16_t character) {
    GlyphCell cell;
    bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    if (!IsReady() || character == 0 || surrogate) return cell;
    FT_Face face = faces_->For(character);
    if (face == nullptr) return cell;
    const auto ink = SizedInk(face, FT_Get_Char_Index(face, character));
    if (!ink || ink->Empty()) return cell;
    const int dx = ShiftInto(ink->left, ink->right, 0, kGlyphCellWidth - 1);
    const int dy = ShiftInto(ink->top, ink->bottom, kFirstStoredRow, kLastStoredRow);
    for (auto [x, y] : ink->pixels) {
        x += dx;
        y += dy;
        if (x < 0 || x >= kGlyphCellWidth || y < 0 || y >= kGlyphCellHeight)
            ++cell.clippedPixels;
        else
            cell.pixels.set(std::size_t(y * kGlyphCellWidth + x));
    }
    return cell;
}

bool GlyphRenderer::CanDraw(char16_t character) {
    if (character == 0 || IsCombiningMark(character)) return false;
    if (IsSpaceSeparator(character)) return true;
    const Glyph& glyph = RenderGlyph(character);
    return std::any_of(glyph.begin(), glyph.end(), [](std::uint8_t b) { return b != 0; });
}

const Glyph& GlyphRenderer::RenderGlyph(char16_t character) {
    auto found = cache_.find(character);
    if (found != cache_.end()) return found->second;
    return cache_.emplace(character, PackGlyph(DrawCell(character))).first->second;
}

}  // namespace vantrel
