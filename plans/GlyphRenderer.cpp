#include "plans/GlyphRenderer.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace vantrel {

namespace {

constexpr int kPixelSize = 11;
constexpr int kFirstStoredRow = 3;  // rows 3..10 in bytes 0..10
constexpr int kSecondBandRow = 11;  // rows 11..13 in bytes 11..21
constexpr int kLastStoredRow = 13;

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
    int ascender = 0;  // pixels from the cell's top edge to the baseline

    explicit Face(const GlyphFont& font) {
        if (FT_Init_FreeType(&library) != 0) return;
        if (FT_New_Face(library, font.file.c_str(), font.faceIndex, &face) != 0 ||
            FT_Set_Pixel_Sizes(face, 0, kPixelSize) != 0) {
            Release();
            return;
        }
        ascender = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
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

GlyphCell GlyphRenderer::DrawCell(char16_t character) {
    GlyphCell cell;
    bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    if (!IsReady() || character == 0 || surrogate) return cell;
    FT_Face face = face_->face;
    FT_UInt index = FT_Get_Char_Index(face, character);
    // The autohinter keeps one-pixel strokes of small CJK glyphs that plain
    // monochrome rasterising drops.
    if (index == 0 ||
        FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_FORCE_AUTOHINT) !=
            0)
        return cell;
    FT_GlyphSlot slot = face->glyph;
    if (slot->bitmap.pixel_mode != FT_PIXEL_MODE_MONO &&
        FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return cell;
    const FT_Bitmap& bitmap = slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            if (((line[col / 8] >> (7 - col % 8)) & 1) == 0) continue;
            int x = slot->bitmap_left + static_cast<int>(col);
            int y = face_->ascender - slot->bitmap_top + static_cast<int>(row);
            if (x < 0 || x >= kGlyphCellWidth || y < 0 || y >= kGlyphCellHeight)
                ++cell.clippedPixels;
            else
                cell.pixels.set(std::size_t(y * kGlyphCellWidth + x));
        }
    }
    return cell;
}

const Glyph& GlyphRenderer::RenderGlyph(char16_t character) {
    auto found = cache_.find(character);
    if (found != cache_.end()) return found->second;
    return cache_.emplace(character, PackGlyph(DrawCell(character))).first->second;
}

}  // namespace vantrel
