#include "plans/GlyphRenderer.h"

#include <algorithm>
#include <utility>
#include <vector>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace vantrel {

namespace {

constexpr int kFirstStoredRow = 3;  // rows 3..10 in bytes 0..10
constexpr int kSecondBandRow = 11;  // rows 11..13 in bytes 11..21
constexpr int kLastStoredRow = 13;
constexpr int kStoredRows = kLastStoredRow - kFirstStoredRow + 1;

// Characters are drawn 10 pixels high with the baseline under row 11: the
// capitals with their accents and the descenders of Latin, Greek and
// Cyrillic, and the ideographs of the face the setup installs, all land in
// the stored rows as they are. A glyph of another face that does not is
// moved up or down as far as needed, and drawn smaller when it is taller or
// wider than the stored rows.
constexpr int kPixelSize = 10;
constexpr int kBaselineRow = 12;  // the first row below the baseline
constexpr int kSmallestPixelSize = 6;

// One character of each script the titles may hold.
constexpr FcChar32 kProbeCharacters[] = {U'A', U'\u03A9', U'\u0416', U'\u4E2D'};

bool CoversProbes(FcPattern* font) {
    FcCharSet* charset = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) != FcResultMatch) return false;
    for (FcChar32 c : kProbeCharacters)
        if (!FcCharSetHasChar(charset, c)) return false;
    FcBool scalable = FcFalse;
    return FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable;
}

GlyphFont FontOf(FcPattern* font) {
    GlyphFont result;
    FcChar8* text = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &text) == FcResultMatch)
        result.file = reinterpret_cast<const char*>(text);
    if (FcPatternGetString(font, FC_FAMILY, 0, &text) == FcResultMatch)
        result.family = reinterpret_cast<const char*>(text);
    FcPatternGetInteger(font, FC_INDEX, 0, &result.faceIndex);
    return result;
}

// The pattern asked of fontconfig: a sans-serif face for Chinese text, with
// the configuration's substitutions applied.
FcPattern* GlyphPattern(FcConfig* config) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    return pattern;
}

}  // namespace

std::optional<GlyphFont> FindGlyphFont() {
    // A configuration of our own, released after the choice: the process-wide
    // one is never freed and belongs to whoever else draws text here.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return std::nullopt;
    FcPattern* pattern = GlyphPattern(config);
    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(config, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    if (sorted == nullptr) {
        FcConfigDestroy(config);
        return std::nullopt;
    }
    FcPattern* chosen = sorted->nfont > 0 ? sorted->fonts[0] : nullptr;
    for (int i = 0; i < sorted->nfont; ++i) {
        if (CoversProbes(sorted->fonts[i])) {
            chosen = sorted->fonts[i];
            break;
        }
    }
    GlyphFont font = chosen != nullptr ? FontOf(chosen) : GlyphFont{};
    FcFontSetDestroy(sorted);
    FcConfigDestroy(config);
    if (font.file.empty()) return std::nullopt;
    return font;
}

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

struct GlyphRenderer::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;

    explicit Face(const GlyphFont& font) {
        if (FT_Init_FreeType(&library) != 0) return;
        if (FT_New_Face(library, font.file.c_str(), font.faceIndex, &face) != 0 ||
            FT_Set_Pixel_Sizes(face, 0, kPixelSize) != 0)
            Release();
    }
    ~Face() { Release(); }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    void Release() {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
        face = nullptr;
        library = nullptr;
    }
};

GlyphRenderer::GlyphRenderer() : GlyphRenderer(FindGlyphFont().value_or(GlyphFont{})) {}

GlyphRenderer::GlyphRenderer(const GlyphFont& font)
    : font_(font), face_(std::make_unique<Face>(font)) {}

GlyphRenderer::~GlyphRenderer() = default;

bool GlyphRenderer::IsReady() const {
    return face_->face != nullptr;
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

// The glyph drawn in monochrome at `pixelSize`, or nullopt when FreeType
// cannot draw it.
std::optional<Ink> DrawInk(FT_Face face, FT_UInt index, int pixelSize) {
    // The autohinter keeps one-pixel strokes of small CJK glyphs that plain
    // monochrome rasterising drops.
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0 ||
        FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT) !=
            0)
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

bool FitsStoredRows(const Ink& ink) {
    return ink.Width() <= kGlyphCellWidth && ink.Height() <= kStoredRows;
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
    FT_Face face = face_->face;
    FT_UInt index = FT_Get_Char_Index(face, character);
    if (index == 0) return cell;
    std::optional<Ink> ink;
    for (int size = kPixelSize; size >= kSmallestPixelSize; --size) {
        ink = DrawInk(face, index, size);
        if (!ink || FitsStoredRows(*ink)) break;
    }
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

const Glyph& GlyphRenderer::RenderGlyph(char16_t character) {
    auto found = cache_.find(character);
    if (found != cache_.end()) return found->second;
    return cache_.emplace(character, PackGlyph(DrawCell(character))).first->second;
}

}  // namespace vantrel
