#pragma once
// A plan as the device shows it: every title drawn from the plan image's own
// glyph table (11 columns by the 11 stored rows per character), enlarged so
// that each device pixel is a visible dot. For looking at what an upload
// will put on the device's screen.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantrel {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // row by row, three bytes a pixel

    // The colour at (x, y) as 0xRRGGBB.
    std::uint32_t At(int x, int y) const;
};

inline constexpr std::uint32_t kPictureInk = 0x1B2416;
inline constexpr std::uint32_t kPictureDot = 0xB4C79C;         // a device pixel that is off
inline constexpr std::uint32_t kPictureBackground = 0xC6D8AE;  // between the dots

// One title a line, each character a cell of 11 x 11 device pixels, each
// device pixel `scale` picture pixels (with a one-pixel seam between dots
// from a scale of 3 on). nullopt for an image whose header, records or
// character numbers are not sound.
std::optional<Picture> DrawPlanPicture(std::span<const std::uint8_t> image, int scale);

// Whether pixel row `row` (3 to 13) of column `x` (0 to 10) of a packed
// glyph is ink.
bool GlyphInk(std::span<const std::uint8_t, 22> glyph, int x, int row);

}  // namespace vantrel
