#include "plans/PlanImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "base/RecordChecksum.h"
#include "locale/Utf16.h"
#include "plans/DeviceCoordinate.h"
#include "plans/PlansTestSupport.h"
#include "support/FakeMapPage.h"

namespace vantrel {
namespace {

using testing::FillPlan;
using testing::SharedGlyphs;

class PlanImageTest : public ::testing::Test {
  protected:
    std::vector<std::uint8_t> Image() const {
        return {area.bytes.begin(), area.bytes.begin() + static_cast<long>(area.TransferLength)};
    }
    std::uint16_t U16(std::size_t at) const { return GetU16(area.bytes.data() + at); }
    std::uint32_t U32(std::size_t at) const { return GetU32(area.bytes.data() + at); }
    // The title slots of point j as numbers.
    std::vector<std::uint16_t> TitleNumbers(std::size_t j) const {
        std::vector<std::uint16_t> numbers;
        for (std::size_t s = 0; s < kTitleSlots; ++s)
            numbers.push_back(U16(20 + 72 * j + 2 * s));
        return numbers;
    }
    std::vector<char16_t> CharacterTable() const {
        std::vector<char16_t> table;
        for (std::size_t at = U32(4); at < U32(8); at += 2)
            table.push_back(U16(at));
        return table;
    }

    AppValues values;
    PlanList list{values};
    TransferArea area;
};

TEST_F(PlanImageTest, TwoPointPlanByteForByte) {
    FillPlan(list, {{"AB", "-33.123456", "151.2"}, {"BA", "0.5", "-0.000019"}});
    ImageResult built = BuildPlanImage(list, SharedGlyphs(), area);
    ASSERT_TRUE(built.Ok()) << built.error;
    EXPECT_EQ(built.length, 236u);
    EXPECT_EQ(area.TransferLength, 236u);

    EXPECT_EQ(U16(0), 1);     // format
    EXPECT_EQ(U16(2), 2);     // points
    EXPECT_EQ(U32(4), 164u);  // character table
    EXPECT_EQ(U32(8), 170u);  // glyph table
    EXPECT_EQ(U32(12), 236u);
    EXPECT_EQ(U16(16), 0);
    EXPECT_EQ(U16(18), RecordChecksum(area.bytes.data(), 18));

    std::vector<std::uint16_t> first(kTitleSlots, 0), second(kTitleSlots, 0);
    first[0] = 1, first[1] = 2;
    second[0] = 2, second[1] = 1;
    EXPECT_EQ(TitleNumbers(0), first);
    EXPECT_EQ(TitleNumbers(1), second);
    EXPECT_EQ(GetI32(area.bytes.data() + 20 + 64), -3312345);  // truncated toward zero
    EXPECT_EQ(GetI32(area.bytes.data() + 20 + 68), 15120000);
    EXPECT_EQ(GetI32(area.bytes.data() + 92 + 64), 50000);
    EXPECT_EQ(GetI32(area.bytes.data() + 92 + 68), -1);

    EXPECT_EQ(CharacterTable(), (std::vector<char16_t>{0, u'A', u'B'}));
    const std::uint8_t* glyphs = area.bytes.data() + 170;
    EXPECT_TRUE(std::all_of(glyphs, glyphs + 22, [](auto b) { return b == 0; }));
    const Glyph& a = SharedGlyphs().RenderGlyph(u'A');
    const Glyph& b = SharedGlyphs().RenderGlyph(u'B');
    EXPECT_TRUE(std::equal(a.begin(), a.end(), glyphs + 22));
    EXPECT_TRUE(std::equal(b.begin(), b.end(), glyphs + 44));
    // Behind the image the area carries the erased look of device memory.
    EXPECT_EQ(area.bytes[236], 0xFF);
    EXPECT_EQ(area.bytes[1'048'575], 0xFF);
}

TEST_F(PlanImageTest, EmptyPlanHasOnlyTheBlankEntries) {
    ImageResult built = BuildPlanImage(list, SharedGlyphs(), area);
    ASSERT_TRUE(built.Ok());
    EXPECT_EQ(U16(2), 0);
    EXPECT_EQ(U32(4), 20u);
    EXPECT_EQ(U32(8), 22u);
    EXPECT_EQ(U32(12), 44u);
    EXPECT_EQ(built.length, 44u);
    EXPECT_TRUE(std::all_of(area.bytes.begin() + 20, area.bytes.begin() + 44,
                            [](auto b) { return b == 0; }));
}

TEST_F(PlanImageTest, MixedScriptsNumberCodeUnitsInOrderOfFirstUse) {
    // A space is a character like any other.
    FillPlan(list, {{"Aб 中", "1", "2"}, {"中A\u00E9\u00DF", "3", "4"}, {"Ωб", "5", "6"}});
    ASSERT_TRUE(BuildPlanImage(list, SharedGlyphs(), area).Ok());
    EXPECT_EQ(CharacterTable(),
              (std::vector<char16_t>{0, u'A', u'б', u' ', u'中', u'é', u'ß', u'Ω'}));
    auto numbers = [](std::initializer_list<std::uint16_t> used) {
        std::vector<std::uint16_t> slots(kTitleSlots, 0);
        std::copy(used.begin(), used.end(), slots.begin());
        return slots;
    };
    EXPECT_EQ(TitleNumbers(0), numbers({1, 2, 3, 4}));
    EXPECT_EQ(TitleNumbers(1), numbers({4, 1, 5, 6}));
    EXPECT_EQ(TitleNumbers(2), numbers({7, 2}));

    PlanList back(values);
    ASSERT_TRUE(DecodePlanImage(back, area));
    EXPECT_EQ(back.gridPlan.Cell(0, 1), "Aб 中");
    EXPECT_EQ(back.gridPlan.Cell(0, 2), "中A\u00E9\u00DF");
    EXPECT_EQ(back.gridPlan.Cell(0, 3), "Ωб");
}

// Titles are counted in characters once composed (NFC), as the device gets
// them; longer ones, and characters the device would show as a blank cell,
// are refused with the row and the character named, never cut or sent.
TEST_F(PlanImageTest, TitlesAreCountedComposedAndCharactersWithoutAGlyphRefused) {
    auto repeat = [](const std::string& piece, int times) {
        std::string text;
        for (int i = 0; i < times; ++i)
            text += piece;
        return text;
    };
    const struct {
        std::string title;
        std::size_t slots;  // slots the title fills when it is taken
        std::string refusal;
    } cases[] = {
        {std::string(31, 'x'), 31, ""},
        {repeat("e\u0301", 31), 31, ""},  // 62 code points, 31 characters composed
        {std::string(40, 'x'), 0, "has 40 characters, more than the 31 a plan title holds"},
        {repeat("\U0001F600", 16), 0,
         "holds U+1F600 GRINNING FACE, which the device's character table cannot hold"},
        {"x\u0301y", 0, "holds U+0301 COMBINING ACUTE ACCENT, which has no glyph at the device's size"},
        {"A\u200BB", 0, "holds U+200B ZERO WIDTH SPACE, which has no glyph at the device's size"},
    };
    for (const auto& c : cases) {
        FillPlan(list, {{"A", "1", "1"}, {c.title, "1", "1"}});
        const ImageResult built = BuildPlanImage(list, SharedGlyphs(), area);
        if (c.refusal.empty()) {
            ASSERT_TRUE(built.Ok()) << built.error;
            auto slots = TitleNumbers(1);
            EXPECT_EQ(std::count(slots.begin(), slots.end(), 2), c.slots) << c.title;
            EXPECT_EQ(slots[c.slots], 0);
        } else {
            EXPECT_EQ(built.error, "Row 2: the title '" + c.title + "' " + c.refusal + "!");
        }
        EXPECT_EQ(list.gridPlan.Cell(0, 2), c.title);
    }
}

TEST_F(PlanImageTest, CoordinatesOutsideTheGlobeAreRefused) {
    for (const ListRow& row : std::vector<ListRow>{{"A", "999", "1"}, {"A", "-90.00001", "1"}}) {
        FillPlan(list, {row});
        EXPECT_EQ(BuildPlanImage(list, SharedGlyphs(), area).error,
                  "Row 1: '" + row.latitude + "' is not a valid latitude!");
    }
    FillPlan(list, {{"A", "90", "180"}, {"B", "-90", "-720"}});
    EXPECT_EQ(BuildPlanImage(list, SharedGlyphs(), area).error,
              "Row 2: '-720' is not a valid longitude!");
    FillPlan(list, {{"A", "90", "180"}, {"B", "-90", "-180"}});
    EXPECT_TRUE(BuildPlanImage(list, SharedGlyphs(), area).Ok());
}

TEST_F(PlanImageTest, RefusalsWriteNothing) {
    area.bytes[0] = 0x5A;
    area.TransferLength = 7;
    FillPlan(list, {{"A", "1", "1"}, {"B", "1", "1x"}});
    ImageResult built = BuildPlanImage(list, SharedGlyphs(), area);
    EXPECT_FALSE(built.Ok());
    EXPECT_EQ(built.error, "Row 2: '1x' is not a valid longitude!");
    FillPlan(list, {{"A", "1", "1"}, {"", "2", "2"}});
    built = BuildPlanImage(list, SharedGlyphs(), area);
    EXPECT_EQ(built.error, "Row 2: " + std::string(kEmptyTitleText));

    // More than 1023 distinct characters: 34 titles of 31 from U+4E00 on.
    std::vector<testing::ListRow> rows;
    char16_t next = 0x4E00;
    for (int r = 0; r < 34; ++r) {
        std::u16string units;
        for (int i = 0; i < 31; ++i)
            units += next++;
        rows.push_back({Utf16ToUtf8(units), "1", "1"});
    }
    FillPlan(list, rows);
    built = BuildPlanImage(list, SharedGlyphs(), area);
    EXPECT_FALSE(built.Ok());
    EXPECT_NE(built.error.find("more than the 1023"), std::string::npos) << built.error;
    EXPECT_EQ(area.bytes[0], 0x5A);
    EXPECT_EQ(area.TransferLength, 7u);
}

// A downloaded plan is whole when it holds the length its header gives; a
// damaged header says nothing of it (decoding refuses such a plan).
TEST_F(PlanImageTest, ImageIsWholeWhenItHoldsItsHeadersLength) {
    FillPlan(list, {{"A", "1", "1"}, {"B", "2", "2"}});
    ASSERT_TRUE(BuildPlanImage(list, SharedGlyphs(), area).Ok());
    const std::span<const std::uint8_t> image = area.Valid();
    EXPECT_TRUE(PlanImageIsWhole(image));
    EXPECT_FALSE(PlanImageIsWhole(image.first(image.size() - 1)));
    EXPECT_FALSE(PlanImageIsWhole(image.first(kPlanHeaderSize - 1)));
    std::vector<std::uint8_t> damaged(image.begin(), image.begin() + kPlanHeaderSize);
    damaged[5] ^= 0xFF;
    EXPECT_TRUE(PlanImageIsWhole(damaged));
}

TEST_F(PlanImageTest, ReadBackFillsTheListAndDrawsTheMarkers) {
    FillPlan(list, {{"AB", "-33.123456", "151.2"}, {"BA", "0.5", "-0.000019"}});
    ASSERT_TRUE(BuildPlanImage(list, SharedGlyphs(), area).Ok());
    PlanList back(values);
    testing::FakeMapPage page;
    ASSERT_TRUE(ReadPlanImage(back, area, page));
    EXPECT_EQ(back.PlanCount, 2);
    EXPECT_TRUE(back.CanSave() && back.CanUpload());
    EXPECT_EQ(back.gridPlan.Cell(0, 0), "Title");
    EXPECT_EQ(back.gridPlan.Cell(0, 2), "BA");
    EXPECT_EQ(back.gridPlan.Cell(1, 1), "-33.12345");
    EXPECT_EQ(back.gridPlan.Cell(2, 1), "151.2");
    EXPECT_EQ(back.gridPlan.Cell(2, 2), "-0.00001");
    EXPECT_EQ(page.log, testing::DrawLog({{"-33.12345", "151.2"}, {"0.5", "-0.00001"}}));
}

// Sets a header field and makes the checksum right again, so only the field
// itself is wrong.
void Patch32(TransferArea& area, std::size_t at, std::uint32_t value) {
    PutU32(area.bytes.data() + at, value);
    PutU16(area.bytes.data() + 18, RecordChecksum(area.bytes.data(), 18));
}

TEST_F(PlanImageTest, BadImagesGiveAnEmptyList) {
    FillPlan(list, {{"AB", "1", "2"}, {"BA", "3", "4"}});
    ASSERT_TRUE(BuildPlanImage(list, SharedGlyphs(), area).Ok());
    const TransferArea good = area;
    std::vector<std::function<void(TransferArea&)>> damages = {
        [](TransferArea& a) { a.bytes[18] ^= 1; },        // checksum
        [](TransferArea& a) { a.bytes[0] = 0xFF; },       // checksum again
        [](TransferArea& a) { a.TransferLength = 235; },  // image cut short
        [](TransferArea& a) { a.TransferLength = 19; },   // not even a header
        [](TransferArea& a) { a.TransferLength = TransferArea::kSize + 1; },
        [](TransferArea& a) { Patch32(a, 4, 0xFFFFFFF0u); },  // table far outside
        [](TransferArea& a) { Patch32(a, 4, 100); },          // table inside the records
        [](TransferArea& a) { Patch32(a, 8, 169); },          // odd table size
        [](TransferArea& a) { Patch32(a, 12, 5000); },        // length past the data
        [](TransferArea& a) {                                 // 256 points
            PutU16(a.bytes.data() + 2, 256);
            Patch32(a, 4, 20 + 72 * 256);
        },
        [](TransferArea& a) { PutU16(a.bytes.data() + 20, 3); },  // number past the table
    };
    for (std::size_t i = 0; i < damages.size(); ++i) {
        area = good;
        damages[i](area);
        PlanList target(values);
        FillPlan(target, {{"old", "9", "9"}});
        target.SetSavable(true);
        testing::FakeMapPage page;
        EXPECT_FALSE(ReadPlanImage(target, area, page)) << "damage " << i;
        EXPECT_EQ(target.PlanCount, 0) << "damage " << i;
        EXPECT_TRUE(target.gridPlan.IsEmpty(0, 1)) << "damage " << i;
        EXPECT_EQ(target.gridPlan.Cell(0, 0), "Title");
        EXPECT_FALSE(target.CanSave() || target.CanUpload());
        EXPECT_TRUE(page.log.empty());
    }
}

TEST(DeviceCoordinate, TruncatesTowardZeroAndRoundTripsEveryStoredValue) {
    EXPECT_EQ(DegreesToDevice("-33.123456", '.'), -3312345);
    EXPECT_EQ(DegreesToDevice("33.123459", '.'), 3312345);
    EXPECT_EQ(DegreesToDevice("-0.000009", '.'), 0);
    EXPECT_EQ(DegreesToDevice("1E-5", '.'), 1);
    EXPECT_EQ(DegreesToDevice("1,5E1", ','), 1500000);
    EXPECT_EQ(DegreesToDevice(" 21474.83647 ", '.'), 2147483647);
    EXPECT_EQ(DegreesToDevice("-21474.83648", '.'), -2147483647 - 1);
    EXPECT_FALSE(DegreesToDevice("21474.83648", '.'));
    EXPECT_FALSE(DegreesToDevice("1e300", '.'));
    EXPECT_FALSE(DegreesToDevice("", '.'));
    EXPECT_FALSE(DegreesToDevice("12.5", ','));  // not the user's notation
    // Every value written as list text reads back as itself, in both notations.
    for (std::int32_t v : {-3312345, 3312345, 1, -1, 0, 12345678, -18000000, 9000000, 2147483647,
                           -2147483647 - 1, 3312344, 99999, 100001}) {
        EXPECT_EQ(DegreesToDevice(DeviceToDegrees(v, '.'), '.'), v) << v;
        EXPECT_EQ(DegreesToDevice(DeviceToDegrees(v, ','), ','), v) << v;
    }
    for (std::int32_t v = -18000000; v <= 18000000; v += 7919)
        ASSERT_EQ(DegreesToDevice(DeviceToDegrees(v, '.'), '.'), v) << v;
}

// The plans refuse exactly the images the link could not send.
TEST(ImageBytes, UploadLimitIsTheLinksLimit) {
    EXPECT_EQ(CheckUploadSize(kMaxUploadLength), "");
    EXPECT_EQ(CheckUploadSize(kMaxUploadLength + 1),
              "The data needs 256 blocks, more than the 255 that can be sent!");
}

}  // namespace
}  // namespace vantrel
