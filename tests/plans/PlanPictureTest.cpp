#include "plans/PlanPicture.h"

#include <gtest/gtest.h>

#include "base/RecordChecksum.h"
#include "plans/PlanImage.h"
#include "plans/PlansTestSupport.h"

namespace vantrel {
namespace {

using testing::FillPlan;
using testing::SharedGlyphs;

// Every dot of the picture is the glyph bit the image holds for it.
TEST(PlanPicture, ShowsEachTitleFromTheGlyphsInTheImage) {
    AppValues values;
    PlanList list(values);
    FillPlan(list, {{"Éa", "1", "1"}, {"中", "2", "2"}});
    TransferArea area;
    ASSERT_TRUE(BuildPlanImage(list, SharedGlyphs(), area).Ok());
    const std::span<const std::uint8_t> image(area.bytes.data(), area.TransferLength);
    const int scale = 3;
    auto picture = DrawPlanPicture(image, scale);
    ASSERT_TRUE(picture);
    // Two lines of two cells: 11 dots a cell, 2 around, 3 between the lines.
    EXPECT_EQ(picture->width, (2 + 2 * 11 + 2) * scale);
    EXPECT_EQ(picture->height, (2 + 11 + 3 + 11 + 2) * scale);
    EXPECT_EQ(picture->At(0, 0), kPictureBackground);

    const auto header = CheckPlanImage(image);
    ASSERT_TRUE(header);
    const int lines[][2] = {{0, 1}, {0, 2}, {1, 3}};  // line, glyph number
    int ink = 0;
    for (std::size_t cell = 0; cell < 3; ++cell) {
        const auto [line, number] = lines[cell];
        const int column = cell == 1 ? 1 : 0;
        const std::span<const std::uint8_t, 22> glyph(
            image.data() + header->glyphTable + kGlyphSize * number, 22);
        for (int row = 3; row <= 13; ++row)
            for (int x = 0; x < 11; ++x) {
                const int px = (2 + column * 11 + x) * scale;
                const int py = (2 + line * 14 + row - 3) * scale;
                const bool on = GlyphInk(glyph, x, row);
                ink += on;
                EXPECT_EQ(picture->At(px, py), on ? kPictureInk : kPictureDot)
                    << cell << " " << x << "," << row;
            }
    }
    EXPECT_GT(ink, 40);
    // An empty second cell on the second line shows dots that are all off.
    EXPECT_EQ(picture->At((2 + 11 + 5) * scale, (2 + 14 + 5) * scale), kPictureDot);
}

TEST(PlanPicture, RefusesImagesThatAreNotSound) {
    std::vector<std::uint8_t> bytes(10, 0);
    EXPECT_FALSE(DrawPlanPicture(bytes, 4));
    AppValues values;
    PlanList list(values);
    FillPlan(list, {{"A", "1", "1"}});
    TransferArea area;
    ASSERT_TRUE(BuildPlanImage(list, SharedGlyphs(), area).Ok());
    EXPECT_TRUE(DrawPlanPicture(std::span(area.bytes.data(), area.TransferLength), 1));
    // A glyph table cut short though the header agrees with the cut.
    const std::uint32_t cut = GetU32(area.bytes.data() + 8) + kGlyphSize;
    PutU32(area.bytes.data() + 12, cut);
    PutU16(area.bytes.data() + 18, RecordChecksum(area.bytes.data(), 18));
    ASSERT_TRUE(CheckPlanImage(std::span(area.bytes.data(), cut)));
    EXPECT_FALSE(DrawPlanPicture(std::span(area.bytes.data(), cut), 4));
}

}  // namespace
}  // namespace vantrel
