#include "plans/GlyphFonts.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <unordered_map>
#include <utility>
#include <vector>

namespace vantrel {

namespace {

// One character of each script the titles may hold.
constexpr FcChar32 kProbeCharacters[] = {U'A', U'\u03A9', U'\u0416', U'\u4E2D'};

bool IsScalable(FcPattern* font) {
    FcBool scalable = FcFalse;
    return FcPatternGetBool(font, FC_SCALABLE, 0, &scalable) == FcResultMatch && scalable;
}

bool HasCharacter(FcPattern* font, FcChar32 character) {
    FcCharSet* charset = nullptr;
    return FcPatternGetCharSet(font, FC_CHARSET, 0, &charset) == FcResultMatch &&
           FcCharSetHasChar(charset, character);
}

bool CoversProbes(FcPattern* font) {
    for (FcChar32 c : kProbeCharacters)
        if (!HasCharacter(font, c)) return false;
    return IsScalable(font);
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

// The pattern asked of fontconfig: a scalable sans-serif face, for Chinese
// text or holding `character`, with the configuration's substitutions
// applied.
FcPattern* GlyphPattern(FcConfig* config, FcChar32 character) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    if (character == 0) {
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    } else {
        FcCharSet* charset = FcCharSetCreate();
        FcCharSetAddChar(charset, character);
        FcPatternAddCharSet(pattern, FC_CHARSET, charset);
        FcCharSetDestroy(charset);
    }
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    return pattern;
}

// The first face of fontconfig's order for the pattern that passes `keep`,
// else the first face when `firstOtherwise`.
template <class Keep>
std::optional<GlyphFont> SortedChoice(FcConfig* config, FcChar32 character, Keep keep,
                                      bool firstOtherwise) {
    FcPattern* pattern = GlyphPattern(config, character);
    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(config, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
    if (sorted == nullptr) return std::nullopt;
    FcPattern* chosen = firstOtherwise && sorted->nfont > 0 ? sorted->fonts[0] : nullptr;
    for (int i = 0; i < sorted->nfont; ++i) {
        if (keep(sorted->fonts[i])) {
            chosen = sorted->fonts[i];
            break;
        }
    }
    GlyphFont font = chosen != nullptr ? FontOf(chosen) : GlyphFont{};
    FcFontSetDestroy(sorted);
    if (font.file.empty()) return std::nullopt;
    return font;
}

}  // namespace

std::optional<GlyphFont> FindGlyphFont() {
    // A configuration of our own, released after the choice: the process-wide
    // one is never freed and belongs to whoever else draws text here.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return std::nullopt;
    auto font = SortedChoice(config, 0, CoversProbes, true);
    FcConfigDestroy(config);
    return font;
}

namespace {

// Looks up faces for single characters with one fontconfig configuration,
// loaded on the first question and kept until the finder goes.
class FontFinder {
  public:
    FontFinder() = default;
    ~FontFinder() {
        if (config_ != nullptr) FcConfigDestroy(config_);
    }
    FontFinder(const FontFinder&) = delete;
    FontFinder& operator=(const FontFinder&) = delete;

    // The scalable sans-serif face fontconfig prefers for `character`.
    std::optional<GlyphFont> FontFor(char32_t character) {
        if (config_ == nullptr) config_ = FcInitLoadConfigAndFonts();
        if (config_ == nullptr || character == 0) return std::nullopt;
        const auto c = static_cast<FcChar32>(character);
        return SortedChoice(
            config_, c, [c](FcPattern* font) { return IsScalable(font) && HasCharacter(font, c); },
            false);
    }

  private:
    FcConfig* config_ = nullptr;
};

}  // namespace

struct GlyphFaces::State {
    FT_Library library = nullptr;
    FT_Face main = nullptr;
    std::optional<FT_Face> text;  // looked up on first use
    std::vector<std::pair<GlyphFont, FT_Face>> open;
    std::unordered_map<char32_t, FT_Face> forCharacter;  // nullptr: no face has it
    FontFinder finder;

    FT_Face Open(const std::optional<GlyphFont>& font) {
        if (!font || library == nullptr || font->file.empty()) return nullptr;
        for (const auto& [known, face] : open)
            if (known == *font) return face;
        FT_Face face = nullptr;
        if (FT_New_Face(library, font->file.c_str(), font->faceIndex, &face) != 0) return nullptr;
        open.emplace_back(*font, face);
        return face;
    }

    FT_Face Find(char32_t character) {
        if (!text) text = Open(finder.FontFor(U'A'));
        for (FT_Face face : {*text, main})
            if (face != nullptr && FT_Get_Char_Index(face, character) != 0) return face;
        FT_Face face = Open(finder.FontFor(character));
        return face != nullptr && FT_Get_Char_Index(face, character) != 0 ? face : nullptr;
    }
};

GlyphFaces::GlyphFaces(const GlyphFont& main) : state_(std::make_unique<State>()) {
    if (FT_Init_FreeType(&state_->library) != 0) {
        state_->library = nullptr;
        return;
    }
    state_->main = state_->Open(main);
}

GlyphFaces::~GlyphFaces() {
    for (auto& [font, face] : state_->open)
        FT_Done_Face(face);
    if (state_->library != nullptr) FT_Done_FreeType(state_->library);
}

bool GlyphFaces::HasMain() const {
    return state_->main != nullptr;
}

FT_FaceRec_* GlyphFaces::For(char32_t character) {
    auto known = state_->forCharacter.find(character);
    if (known != state_->forCharacter.end()) return known->second;
    return state_->forCharacter[character] = state_->Find(character);
}

}  // namespace vantrel
