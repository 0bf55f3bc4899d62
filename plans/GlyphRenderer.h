#pragma once
// The small bitmap font that travels with a plan: each character of the
// titles drawn in black on white into an 11 x 15 pixel cell and packed into
// 22 bytes for the device.
//
// The faces are outline fonts picked through fontconfig (GlyphFonts.h),
// rendered by FreeType in monochrome. Packing keeps rows 3 to 13 only: rows
// 3 to 10 in bytes 0 to 10 (one byte per column, row 3 in bit 0) and rows 11
// to 13 in bits 0 to 2 of bytes 11 to 21. So every glyph is scaled and
// placed to have its whole ink in those 11 rows and the 11 columns: drawn 10
// pixels high on a baseline under row 11, moved up or down by what it
// overhangs (accented capitals, some ideographs), and drawn smaller when it
// is larger than the rows.

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "plans/GlyphFonts.h"

namespace vantrel {

using Glyph = std::array<std::uint8_t, 22>;

inline constexpr int kGlyphCellWidth = 11;
inline constexpr int kGlyphCellHeight = 15;

// The pixels of one cell, row-major, with the count of ink pixels that fell
// outside it.
struct GlyphCell {
    std::bitset<kGlyphCellWidth * kGlyphCellHeight> pixels;
    int clippedPixels = 0;

    bool At(int x, int y) const { return pixels[std::size_t(y * kGlyphCellWidth + x)]; }
};

// Packs a cell into the device's 22 bytes.
Glyph PackGlyph(const GlyphCell& cell);

class GlyphRenderer {
  public:
    GlyphRenderer();  // the main face FindGlyphFont picks
    // `font` as the main face; characters it lacks come from the face
    // fontconfig prefers for them.
    explicit GlyphRenderer(const GlyphFont& font);
    ~GlyphRenderer();
    GlyphRenderer(const GlyphRenderer&) = delete;
    GlyphRenderer& operator=(const GlyphRenderer&) = delete;

    // False when the main face could not be loaded; every glyph is then blank.
    bool IsReady() const;
    const GlyphFont& Font() const { return font_; }

    // The 22 bytes of one UTF-16 code unit. The character 0, surrogates and
    // characters no face holds give 22 zero bytes. Glyphs are kept once made.
    const Glyph& RenderGlyph(char16_t character);

    // The cell as drawn, before packing.
    GlyphCell DrawCell(char16_t character);

    // True when the character shows on the device in a cell of its own: a
    // space, or a character some face draws with ink in the stored rows. A
    // combining mark, a surrogate and a character no face holds do not.
    bool CanDraw(char16_t character);

  private:
    GlyphFont font_;
    std::unique_ptr<GlyphFaces> faces_;
    std::unordered_map<char16_t, Glyph> cache_;
};

}  // namespace vantrel
