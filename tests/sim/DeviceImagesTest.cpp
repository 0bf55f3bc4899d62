// The simulated device's data: the track flash it generates and the plan and
// POI images it holds, checked against the layouts the PC decodes.

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <stdexcept>

#include "PcPort.h"
#include "base/RecordChecksum.h"
#include "sim/DemoImages.h"
#include "sim/DeviceMemory.h"
#include "sim/Routes.h"
#include "sim/TrackMemory.h"
#include "support/ScratchFolder.h"
#include "tracks/TrackRecord.h"

namespace vantrel::sim {
namespace {

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + i];
    return v;
}

bool AllErased(const std::vector<std::uint8_t>& b, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i)
        if (b[i] != 0xFF) return false;
    return true;
}

TEST(TrackMemory, EncodesTheWorkedRecordExactly) {
    EXPECT_EQ(GeodeticToEcef(45.0, 135.0, 100.0), (Ecef{-3194469, 3194469, 4487419}));
    const TrackPoint p{1'000'000'000, 45.0, 135.0, 100.0, 12.3, true};
    const TrackRecordBytes expected = {0x00, 0xCA, 0x9A, 0x3B, 0x9B, 0x41, 0xCF, 0xFF, 0x65, 0xBE,
                                       0x30, 0x00, 0xFB, 0x78, 0x44, 0x00, 0x7B, 0x08, 0x2A, 0xF8};
    EXPECT_EQ(EncodeTrackRecord(p), expected);
}

TEST(TrackMemory, KeepsCoordinatesAndSpeedsWithinWhatTheReaderAccepts) {
    // On the equator at the prime meridian y and z round to 0, which would end decoding.
    const TrackRecordBytes r = EncodeTrackRecord({5, 0.0, 0.0, 0.0, 500.0, false});
    EXPECT_EQ(static_cast<std::int32_t>(Le({r.begin(), r.end()}, 8, 4)), 1);
    EXPECT_EQ(static_cast<std::int32_t>(Le({r.begin(), r.end()}, 12, 4)), 1);
    EXPECT_EQ(Le({r.begin(), r.end()}, 16, 2),
              TrackRecord::kSpeedMask);  // clipped, no track-start bit
}

TEST(TrackMemory, GeneratedFlashHasValidRecordsFillerAndErasedEnd) {
    const std::size_t tracks = 4,
                      points = 250;  // 1000 records: four full pages and part of a fifth
    const std::vector<std::uint8_t> flash = LayOutTrackMemory(GenerateTrackPoints(tracks, points));
    ASSERT_EQ(flash.size(), 5 * kTrackPageSize);
    std::size_t at = 0, starts = 0;
    std::uint32_t lastTime = 0;
    for (std::size_t slot = 0; slot < tracks * points; ++slot) {
        if (slot > 0 && slot % kRecordsPerTrackPage == 0) {
            ASSERT_TRUE(AllErased(flash, at, at + 16)) << "filler before slot " << slot;
            at += 16;
        }
        ASSERT_EQ(RecordChecksum(&flash[at], 18), Le(flash, at + 18, 2)) << "slot " << slot;
        const std::uint16_t flags = static_cast<std::uint16_t>(Le(flash, at + 16, 2));
        const bool start = ((flags >> 11) & 7) == 1;
        EXPECT_EQ(start, slot % points == 0) << "slot " << slot;
        starts += start;
        EXPECT_GT(flags & TrackRecord::kSpeedMask, 0);
        const std::uint32_t time = Le(flash, at, 4);
        EXPECT_GT(time, lastTime);
        EXPECT_LE(time, TrackRecord::kTimeStampMask);
        lastTime = time;
        for (int c = 0; c < 3; ++c)
            EXPECT_NE(Le(flash, at + 4 + 4 * c, 4), 0u);
        at += TrackRecord::kSize;
    }
    EXPECT_EQ(starts, tracks);
    EXPECT_EQ(Le(flash, at + 16, 2), 0xFFFFu);  // the end-of-data mark
    EXPECT_TRUE(AllErased(flash, at, flash.size()));
}

TEST(TrackMemory, EndMarkOpensAFreshPageWhenTheLastIsFull) {
    const auto full = LayOutTrackMemory(GenerateTrackPoints(1, kRecordsPerTrackPage));
    ASSERT_EQ(full.size(), 2 * kTrackPageSize);
    EXPECT_TRUE(AllErased(full, kTrackPageSize - 16, full.size()));
    const auto empty = LayOutTrackMemory({});
    EXPECT_EQ(empty.size(), kTrackPageSize);
    EXPECT_TRUE(AllErased(empty, 0, empty.size()));
    EXPECT_THROW(GenerateTrackPoints(2, kMaxTrackPoints), std::invalid_argument);
    EXPECT_THROW(GenerateTrackPoints(1, 0), std::invalid_argument);
}

TEST(PlanImage, LaysOutHeaderRecordsAndTables) {
    const PlanPoint points[] = {{u"AB", -33.123456, 151.5}, {u"BA", 1.0, 2.0}};
    const std::vector<std::uint8_t> image = PlanImageWithBlankGlyphs(points);
    ASSERT_EQ(image.size(), 236u);
    EXPECT_EQ(Le(image, 0, 2), 1u);
    EXPECT_EQ(Le(image, 2, 2), 2u);
    EXPECT_EQ(Le(image, 4, 4), 164u);
    EXPECT_EQ(Le(image, 8, 4), 170u);
    EXPECT_EQ(Le(image, 12, 4), 236u);
    EXPECT_EQ(RecordChecksum(image.data(), 18), Le(image, 18, 2));
    EXPECT_EQ(Le(image, 20, 2), 1u);
    EXPECT_EQ(Le(image, 22, 2), 2u);
    EXPECT_EQ(Le(image, 24, 2), 0u);
    EXPECT_EQ(static_cast<std::int32_t>(Le(image, 20 + 64, 4)), -3312345);  // toward zero
    EXPECT_EQ(Le(image, 92, 2), 2u);
    EXPECT_EQ(Le(image, 94, 2), 1u);
    EXPECT_EQ(Le(image, 164, 2), 0u);
    EXPECT_EQ(Le(image, 166, 2), u'A');
    EXPECT_EQ(Le(image, 168, 2), u'B');

    const std::vector<std::uint8_t> empty = PlanImageWithBlankGlyphs({});
    EXPECT_EQ(empty.size(), 44u);
    EXPECT_EQ(Le(empty, 4, 4), 20u);
    EXPECT_EQ(Le(empty, 8, 4), 22u);

    const PlanPoint tooLong[] = {{std::u16string(32, u'x'), 0, 0}};
    EXPECT_THROW(PlanImageWithBlankGlyphs(tooLong), std::invalid_argument);
}

TEST(PlanImage, DemoTitlesMixScriptsAndReadBack) {
    const std::vector<std::uint8_t> image = DemoPlanImage();
    ASSERT_EQ(RecordChecksum(image.data(), 18), Le(image, 18, 2));
    ASSERT_EQ(Le(image, 12, 4), image.size());
    const std::uint32_t table = Le(image, 4, 4);
    std::u16string third;
    for (std::size_t at = 20 + 2 * 72; Le(image, at, 2) != 0; at += 2)
        third += static_cast<char16_t>(Le(image, table + 2 * Le(image, at, 2), 2));
    EXPECT_EQ(third, u"Мост Quaibrücke");
    // Character 1 ('S') carries a drawn glyph; entry 0 stays blank.
    const std::uint32_t glyphs = Le(image, 8, 4);
    EXPECT_TRUE(std::all_of(&image[glyphs], &image[glyphs + 22], [](auto b) { return b == 0; }));
    EXPECT_FALSE(
        std::all_of(&image[glyphs + 22], &image[glyphs + 44], [](auto b) { return b == 0; }));
}

TEST(PoiImage, StoresDeviceTimeFillerAndCoordinates) {
    const PoiEntry entries[] = {{2010, 5, 3, 14, 5, 9, -33.123456, 8.5}};
    const std::vector<std::uint8_t> image = PoiImage(entries);
    const std::vector<std::uint8_t> head = {110, 5, 3, 14, 5, 9, 0xFF, 0xFF};
    ASSERT_EQ(image.size(), 16u);
    EXPECT_TRUE(std::equal(head.begin(), head.end(), image.begin()));
    EXPECT_EQ(static_cast<std::int32_t>(Le(image, 8, 4)), -3312345);
    EXPECT_EQ(Le(image, 12, 4), 850000u);
    const std::vector<std::uint8_t> demo = DemoPoiImage();
    ASSERT_EQ(demo.size() % 16, 0u);
    for (std::size_t at = 0; at < demo.size(); at += 16)
        EXPECT_LE(demo[at], 200);
}

TEST(PoiImage, GeneratedListsHoldValidRecordsAsManyAsAsked) {
    const std::vector<std::uint8_t> image = GeneratedPoiImage(300);
    ASSERT_EQ(image.size(), 300u * 16);
    for (std::size_t at = 0; at < image.size(); at += 16) {
        EXPECT_LE(image[at], 200) << at;
        EXPECT_GE(image[at + 1], 1);
        EXPECT_LE(image[at + 1], 12);
        EXPECT_GE(image[at + 2], 1);
        EXPECT_LE(image[at + 2], 28);
    }
    EXPECT_NE(Le(image, 8, 4), Le(image, 16 + 8, 4));  // each at a place of its own
}

TEST(DeviceMemoryFiles, WriteAtomicallyThenReadBack) {
    const vantrel::testing::ScratchFolder temp;
    const auto& dir = temp.Path();
    const std::vector<std::uint8_t> bytes = DemoPlanImage();
    WriteFileAtomically(dir / "plan.rte", bytes);
    EXPECT_EQ(ReadImageFile(dir / "plan.rte"), bytes);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temporary left
    EXPECT_THROW(ReadImageFile(dir / "missing.rte"), std::runtime_error);
    EXPECT_THROW(WriteFileAtomically(dir / "no" / "such.rte", bytes), std::runtime_error);
}

}  // namespace
}  // namespace vantrel::sim
