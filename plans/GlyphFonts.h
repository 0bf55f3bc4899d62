#pragma once
// The faces plan glyphs are drawn in, chosen through fontconfig: a main face
// for every script the titles may hold (a CJK face), the sans-serif text
// face for the letters it has, and for a character neither holds (the
// Polish, Turkish or Romanian letters a CJK face often lacks) the face
// fontconfig prefers for that character.

#include <memory>
#include <optional>
#include <string>

struct FT_FaceRec_;  // FreeType's FT_Face

namespace vantrel {

struct GlyphFont {
    std::string file;
    int faceIndex = 0;
    std::string family;

    bool operator==(const GlyphFont&) const = default;
};

// The main face: the first face in fontconfig's order for a sans-serif
// Chinese face that is scalable and holds all of 'A', Greek 'Ω', Cyrillic
// 'Ж' and '中'. Without such a face, fontconfig's best sans-serif match;
// nullopt when there is no font at all.
std::optional<GlyphFont> FindGlyphFont();

// The faces that draw the glyphs, opened once: for each character the
// sans-serif face fontconfig prefers for Latin text when it holds the
// character (its letters are drawn for small sizes), else the main face,
// else the face fontconfig prefers for that character.
class GlyphFaces {
  public:
    explicit GlyphFaces(const GlyphFont& main);
    ~GlyphFaces();
    GlyphFaces(const GlyphFaces&) = delete;
    GlyphFaces& operator=(const GlyphFaces&) = delete;

    // False when the main face could not be opened.
    bool HasMain() const;
    // The face for `character`, or nullptr when no face holds it.
    ::FT_FaceRec_* For(char32_t character);

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vantrel
