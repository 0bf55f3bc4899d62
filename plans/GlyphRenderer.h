#pragma once
// The small bitmap font that travels with a plan: each character of the
// titles drawn in black on white into an 11 x 15 pixel cell and packed into
// 22 bytes for the device.
//
// The face is an outline font that covers Latin, Greek, Cyrillic and CJK,
// picked through fontconfig, rendered by FreeType in monochrome. Packing
// keeps rows 3 to 13 only: rows 3 to 10 in bytes 0 to 10 (one byte per
// column, row 3 in bit 0) and rows 11 to 13 in bits 0 to 2 of bytes 11 to
// 21. So every glyph is scaled and placed to have its whole ink in those 11
// rows and the 11 columns: drawn 10 pixels high on a baseline under row 11,
// moved up or down when it would leave them, and drawn smaller when it is
// larger than they are.

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

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

struct GlyphFont {
    std::string file;
    int faceIndex = 0;
    std::string family;
};

// The font the plan glyphs are drawn in: the first face in fontconfig's
// order for a sans-serif Chinese face that is scalable and holds all of
// 'A', Greek 'Ω', Cyrillic 'Ж' and '中'. Without such a face, fontconfig's
// best sans-serif match; nullopt when there is no font at all.
std::optional<GlyphFont> FindGlyphFont();

class GlyphRenderer {
  public:
    GlyphRenderer();  // the font FindGlyphFont picks
    explicit GlyphRenderer(const GlyphFont& font);
    ~GlyphRenderer();
    GlyphRenderer(const GlyphRenderer&) = delete;
    GlyphRenderer& operator=(const GlyphRenderer&) = delete;

    // False when no face could be loaded; every glyph is then blank.
    bool IsReady() const;
    const GlyphFont& Font() const { return font_; }

    // The 22 bytes of one UTF-16 code unit. The character 0, surrogates and
    // characters the face lacks give 22 zero bytes. Glyphs are kept once made.
    const Glyph& RenderGlyph(char16_t character);

    // The cell as drawn, before packing.
    GlyphCell DrawCell(char16_t character);

  private:
    struct Face;
    GlyphFont font_;
    std::unique_ptr<Face> face_;
    std::unordered_map<char16_t, Glyph> cache_;
};

}  // namespace vantrel
