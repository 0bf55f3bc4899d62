#include <gtest/gtest.h>

#include <cmath>

#include "TrackFixture.h"
#include "tracks/Geodesy.h"

namespace vantrel::testing {
namespace {

const TrackRecordBytes kWorkedRecord = {0x00, 0xCA, 0x9A, 0x3B, 0x9B, 0x41, 0xCF, 0xFF, 0x65, 0xBE,
                                        0x30, 0x00, 0xFB, 0x78, 0x44, 0x00, 0x7B, 0x08, 0x2A, 0xF8};

using AssemblyTest = TrackFixture;

std::vector<std::string> Row(const TextGrid& grid, int row) {
    std::vector<std::string> cells;
    for (int col = 0; col < grid.ColCount(); ++col)
        cells.push_back(grid.Cell(col, row));
    return cells;
}

TEST_F(AssemblyTest, WorkedRecordStartsATrack) {
    TrackMemoryBuilder b;
    b.Add(kWorkedRecord);
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 1);
    EXPECT_EQ(report.points, 1);
    const std::vector<std::string> expected = {"2011/9/14  1:46:40", "45.000039", "135.000114",
                                               "99.8", "44.28"};
    EXPECT_EQ(Row(store.ScratchGrid, 0), expected);
    EXPECT_EQ(Row(store.gridTrack, 1), expected);
    EXPECT_EQ(Row(store.gridTrackName, 1), (std::vector<std::string>{"Track0", "255", "1"}));
    EXPECT_EQ(EntryName(store.TrackTable[0]), "Track0");
    EXPECT_EQ(+store.TrackTable[0].selected, 1);
    EXPECT_TRUE(store.btnSaveTrackFileEnabled);
    EXPECT_EQ(store.edStartTime, expected[0]);
    EXPECT_TRUE(messages.shown.empty());
    // The zone shifts the time; a decimal-comma user gets commas.
    values.LocalZoneOffset = ZoneOffset::Hours(-2);
    UseDecimalComma();
    Assemble(b);
    EXPECT_EQ(Row(store.ScratchGrid, 0),
              (std::vector<std::string>{"2011/9/13  23:46:40", "45,000039", "135,000114", "99,8",
                                        "44,28"}));
}

TEST_F(AssemblyTest, TooShortATransferChangesNothing) {
    store.ScratchGrid.SetCell(0, 0, "kept");
    store.gridTrackName.SetCell(0, 1, "kept");
    transfer.TransferLength = 19;
    EXPECT_FALSE(store.AssembleTracks().decoded);
    EXPECT_EQ(store.ScratchGrid.Cell(0, 0), "kept");
    EXPECT_EQ(store.gridTrackName.Cell(0, 1), "kept");
}

// Several tracks over page boundaries, bad checksums inside tracks, erased
// flash after the data, in a full 2 MiB image.
TEST_F(AssemblyTest, SyntheticTwoMegabyteMemory) {
    TrackMemoryBuilder b;
    std::uint32_t t = 900'000'000;
    auto track = [&](int count, double lat, std::size_t corruptAt) {
        for (int i = 0; i < count; ++i) {
            if (static_cast<std::size_t>(i) == corruptAt)
                b.AddCorrupt(t++);
            else
                b.AddFix(t++, lat + 0.001 * i, 10, 50 + i, static_cast<unsigned>(i), i == 0);
        }
    };
    track(300, 40, 100);  // crosses into page 2; row 100 stays empty
    track(50, 41, 49);    // its last record is bad
    track(1000, 42, 9999);
    track(1, 43, 9999);  // two starts in a row
    track(10, 44, 9999);
    Load(b.Image(TransferArea::kSize));
    AssemblyReport report = store.AssembleTracks();

    EXPECT_EQ(report.tracks, 5);
    EXPECT_EQ(report.points, 299 + 49 + 1000 + 1 + 10);
    EXPECT_EQ(report.skippedRecords, 2);
    const int firstRows[] = {0, 300, 350, 1350, 1351};
    const unsigned counts[] = {299, 49, 1000, 1, 10};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(+store.TrackTable[k].firstRow, firstRows[k]);
        EXPECT_EQ(+store.TrackTable[k].pointCount, counts[k]);
        EXPECT_EQ(store.gridTrackName.Cell(0, k + 1), "Track" + std::to_string(k));
    }
    EXPECT_EQ(+store.TrackTable[0].durationSeconds, 299u);
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 100));
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 349));
    // The filler after page 1 is skipped: row 204 holds the 205th fix.
    EXPECT_EQ(store.ScratchGrid.Cell(1, 204).substr(0, 7), "40.2040");
    EXPECT_EQ(store.ScratchGrid.Cell(4, 204), FormatGeneral(204 * 0.1 * 3.6, '.'));
    // 299 steps of 0.001 degree: the gap over the skipped record is two.
    const double step = 0.001 * std::numbers::pi / 180 * EarthRadiusKm;
    EXPECT_NEAR(+store.TrackTable[0].distanceKm, 299 * step, 0.005);
    // The first point of a later track adds the jump from the track before.
    EXPECT_GT(+store.TrackTable[1].distanceKm, 0.6 * 111);
    EXPECT_TRUE(store.btnSaveTrackFileEnabled);
    EXPECT_EQ(store.gridTrack.RowCount(), 300);
    EXPECT_EQ(store.gridTrack.Cell(1, 1).substr(0, 7), "40.0000");
}

TEST_F(AssemblyTest, DataWithoutAStartMakesTrackZeroAndAZeroCoordinateEndsIt) {
    TrackMemoryBuilder b;
    b.AddFix(100, 45, 7, 0, 0, false);
    b.AddFix(102, 45, 7, 0, 0, false);
    b.AddFix(200, 46, 7, 0, 0, true);
    b.Add(EncodeTrackRecord(205, {4000000, 0, 4000000}, 0, false));
    b.AddFix(206, 45, 7, 0, 0, false);
    store.gridTrack.SetCell(0, 1, "earlier");
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 2);
    EXPECT_EQ(+store.TrackTable[0].pointCount, 2u);
    EXPECT_EQ(+store.TrackTable[0].durationSeconds, 2u);
    EXPECT_EQ(+store.TrackTable[1].firstRow, 2);
    // The zero record is counted, then the decoding ends silently.
    EXPECT_TRUE(report.stoppedAtZero);
    EXPECT_EQ(report.points, 3);
    EXPECT_EQ(+store.TrackTable[1].pointCount, 2u);
    EXPECT_EQ(+store.TrackTable[1].durationSeconds, 5u);
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 4));
    EXPECT_EQ(store.gridTrack.Cell(0, 1), "earlier");  // no track shown
    EXPECT_FALSE(store.btnSaveTrackFileEnabled);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AssemblyTest, NeverReadsPastTheTransferredBytes) {
    // Records whose first four bytes look like filler push the position 16
    // bytes on each; the valid records behind the transferred length must
    // not be decoded.
    TrackMemoryBuilder b;
    for (int i = 0; i < 204; ++i)
        b.Add(EncodeTrackRecord(0xFFFFFFFF, {4000000, 1, 4000000}, 0, false));
    for (int i = 0; i < 204; ++i)
        b.AddFix(500, 45, 7, 0, 0, true);
    Load(b.Image(2 * 4096));
    transfer.TransferLength = 4096;
    AssemblyReport report = store.AssembleTracks();
    EXPECT_EQ(report.tracks, 0);
    EXPECT_EQ(report.points, 0);
}

TEST_F(AssemblyTest, TracksBeyondTheTableAreLeftOutAndReported) {
    TrackMemoryBuilder b;
    for (int k = 0; k < 66; ++k)
        b.AddFix(1000 + k * 10, 45, 7, 0, 0, true);
    b.AddFix(5000, 45, 7, 0, 0, false);  // belongs to the 66th track
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 64);
    EXPECT_EQ(report.leftOutTracks, 2);
    EXPECT_EQ(report.leftOutPoints, 3);
    EXPECT_EQ(store.gridTrackName.Cell(0, 64), "Track63");  // the list grew to every entry
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Not all tracks fit: 2 tracks and 3 points were left out!");
}

TEST_F(AssemblyTest, ScratchGridGrowsToTheLastAddressableRow) {
    TrackMemoryBuilder b;
    const int points = 65536 + 64;
    for (int i = 0; i < points; ++i)
        b.AddFix(1000 + i, 45 + (i % 7) * 1e-4, 7, 0, 0, i == 0);
    for (int i = 0; i < 10; ++i)
        b.AddFix(90000 + i, 45, 7, 0, 0, i == 0);
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 1);
    EXPECT_EQ(report.points, 65536);
    EXPECT_EQ(report.leftOutTracks, 1);
    EXPECT_EQ(report.leftOutPoints, 64 + 10);
    EXPECT_EQ(store.ScratchGrid.RowCount(), 65536);
    EXPECT_FALSE(store.ScratchGrid.IsEmpty(0, 65535));
    EXPECT_EQ(+store.TrackTable[0].pointCount, 65536u);
    EXPECT_EQ(messages.shown.size(), 1u);
    // The next, small download starts from the grid's usual size.
    TrackMemoryBuilder small;
    small.AddFix(1, 45, 7, 0, 0, true);
    Assemble(small);
    EXPECT_EQ(store.ScratchGrid.RowCount(), TrackStore::kScratchRows);
    EXPECT_EQ(+store.TrackTable[1].pointCount, 0u);  // nothing of the earlier download lingers
}

}  // namespace
}  // namespace vantrel::testing
