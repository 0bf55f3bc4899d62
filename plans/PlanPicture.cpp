#include "plans/PlanPicture.h"

#include <algorithm>

#include "plans/ImageBytes.h"
#include "plans/PlanImage.h"

namespace vantrel {

namespace {

constexpr int kCellColumns = kGlyphCellWidth;
constexpr int kFirstRow = 3;
constexpr int kCellRows = 11;  // rows 3..13
constexpr int kMargin = 2;     // device pixels around the text
constexpr int kLineGap = 3;    // device pixels between lines

// The glyph numbers of every title, or nullopt when one names a character
// the tables lack.
std::optional<std::vector<std::vector<std::uint16_t>>> TitleNumbers(
    std::span<const std::uint8_t> image, const PlanImageHeader& header) {
    if (header.glyphTable + kGlyphSize * header.TableEntries() > image.size()) return std::nullopt;
    std::vector<std::vector<std::uint16_t>> titles;
    for (std::size_t j = 0; j < header.points; ++j) {
        const std::uint8_t* record = image.data() + kPlanHeaderSize + kPlanRecordSize * j;
        std::vector<std::uint16_t> numbers;
        for (std::size_t slot = 0; slot < kTitleSlots; ++slot) {
            const std::uint16_t number = GetU16(record + 2 * slot);
            if (number == 0) break;
            if (number >= header.TableEntries()) return std::nullopt;
            numbers.push_back(number);
        }
        titles.push_back(std::move(numbers));
    }
    return titles;
}

void Fill(Picture& picture, int x0, int y0, int width, int height, std::uint32_t colour) {
    for (int y = y0; y < y0 + height; ++y)
        for (int x = x0; x < x0 + width; ++x) {
            std::uint8_t* at = picture.rgb.data() + 3 * (std::size_t(y) * picture.width + x);
            at[0] = std::uint8_t(colour >> 16);
            at[1] = std::uint8_t(colour >> 8);
            at[2] = std::uint8_t(colour);
        }
}

}  // namespace

std::uint32_t Picture::At(int x, int y) const {
    const std::uint8_t* at = rgb.data() + 3 * (std::size_t(y) * width + x);
    return (std::uint32_t(at[0]) << 16) | (std::uint32_t(at[1]) << 8) | at[2];
}

bool GlyphInk(std::span<const std::uint8_t, 22> glyph, int x, int row) {
    if (row < 11) return (glyph[std::size_t(x)] >> (row - 3)) & 1;
    return (glyph[std::size_t(kCellColumns + x)] >> (row - 11)) & 1;
}

std::optional<Picture> DrawPlanPicture(std::span<const std::uint8_t> image, int scale) {
    auto header = CheckPlanImage(image);
    auto titles = header ? TitleNumbers(image, *header) : std::nullopt;
    if (!titles || scale < 1) return std::nullopt;
    std::size_t longest = 1;
    for (const auto& title : *titles)
        longest = std::max(longest, title.size());
    const int lines = std::max<int>(1, static_cast<int>(titles->size()));
    Picture picture;
    picture.width = (2 * kMargin + static_cast<int>(longest) * kCellColumns) * scale;
    picture.height = (2 * kMargin + lines * (kCellRows + kLineGap) - kLineGap) * scale;
    picture.rgb.resize(std::size_t(picture.width) * picture.height * 3);
    Fill(picture, 0, 0, picture.width, picture.height, kPictureBackground);
    const int dot = scale >= 3 ? scale - 1 : scale;
    for (std::size_t line = 0; line < titles->size(); ++line) {
        const int top = kMargin + static_cast<int>(line) * (kCellRows + kLineGap);
        const auto& numbers = (*titles)[line];
        for (std::size_t c = 0; c < longest; ++c) {
            const std::uint8_t* glyph =
                c < numbers.size() ? image.data() + header->glyphTable + kGlyphSize * numbers[c]
                                   : nullptr;
            for (int row = 0; row < kCellRows; ++row)
                for (int x = 0; x < kCellColumns; ++x) {
                    const bool ink = glyph && GlyphInk(std::span<const std::uint8_t, 22>(glyph, 22),
                                                       x, row + kFirstRow);
                    Fill(picture, (kMargin + static_cast<int>(c) * kCellColumns + x) * scale,
                         (top + row) * scale, dot, dot, ink ? kPictureInk : kPictureDot);
                }
        }
    }
    return picture;
}

}  // namespace vantrel
