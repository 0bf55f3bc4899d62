#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

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

// The worked record: made from 45 N, 135 E, 100 m, in whole metres, at GPS
// second 1,000,000,000 (2011, when GPS ran 15 s ahead of UTC).
TEST_F(AssemblyTest, WorkedRecordStartsATrack) {
    TrackMemoryBuilder b;
    b.Add(kWorkedRecord);
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 1);
    EXPECT_EQ(report.points, 1);
    const std::vector<std::string> expected = {"2011/9/14  1:46:25", "45.000001", "135.000000",
                                               "99.8", "44.28"};
    EXPECT_EQ(Row(store.ScratchGrid, 0), expected);
    EXPECT_EQ(Row(store.gridTrack, 1), expected);
    EXPECT_EQ(Row(store.gridTrackName, 1), (std::vector<std::string>{"Track0", "255", "1"}));
    EXPECT_EQ(EntryName(store.TrackTable[0]), "Track0");
    EXPECT_EQ(+store.TrackTable[0].selected, 1);
    EXPECT_TRUE(store.CanSave());
    EXPECT_EQ(store.Summary.start, expected[0]);
    EXPECT_EQ(store.Summary.end, expected[0]);
    EXPECT_TRUE(messages.shown.empty());
    // The zone shifts the time; a decimal-comma user gets commas.
    values.LocalZoneOffset = ZoneOffset::Hours(-2);
    UseDecimalComma();
    Assemble(b);
    EXPECT_EQ(Row(store.ScratchGrid, 0),
              (std::vector<std::string>{"2011/9/13  23:46:25", "45,000001", "135,000000", "99,8",
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

// The great-circle length of a path of degrees, summed here on its own.
double IndependentKm(const std::vector<std::pair<double, double>>& path) {
    double km = 0;
    const double rad = std::numbers::pi / 180;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const double dLat = (path[i].first - path[i - 1].first) * rad;
        const double dLon = (path[i].second - path[i - 1].second) * rad;
        const double a = std::sin(dLat / 2) * std::sin(dLat / 2) +
                         std::cos(path[i - 1].first * rad) * std::cos(path[i].first * rad) *
                             std::sin(dLon / 2) * std::sin(dLon / 2);
        km += 2 * 6378.137 * std::atan2(std::sqrt(a), std::sqrt(1 - a));
    }
    return km;
}

// Several tracks over page boundaries, bad checksums inside tracks, erased
// flash after the data, in a full 2 MiB image.
TEST_F(AssemblyTest, SyntheticTwoMegabyteMemory) {
    TrackMemoryBuilder b;
    std::uint32_t t = 900'000'000;
    std::vector<std::vector<std::pair<double, double>>> paths;
    auto track = [&](int count, double lat, int corruptAt) {
        paths.emplace_back();
        for (int i = 0; i < count; ++i) {
            if (i == corruptAt) {
                b.AddCorrupt(t++);
                continue;
            }
            const double lon = 10 + 0.0007 * i * i / count;
            b.AddFix(t++, lat + 0.001 * i, lon, 50 + i, static_cast<unsigned>(i), i == 0);
            paths.back().emplace_back(lat + 0.001 * i, lon);
        }
    };
    track(300, 40, 100);  // crosses into page 2; the bad record in its middle
    track(50, 41, 49);    // its last record is bad
    track(1000, 42, -1);
    track(1, 43, -1);  // two starts in a row
    track(10, 44, 5);
    Load(b.Image(TransferArea::kSize));
    AssemblyReport report = store.AssembleTracks();

    EXPECT_EQ(report.tracks, 5);
    EXPECT_EQ(report.points, 299 + 49 + 1000 + 1 + 9);
    EXPECT_EQ(report.skippedRecords, 3);
    // Each track's points lie in rows one after another, the skipped records
    // leaving no gap.
    const int firstRows[] = {0, 299, 348, 1348, 1349};
    const unsigned counts[] = {299, 49, 1000, 1, 9};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(+store.TrackTable[k].firstRow, firstRows[k]);
        EXPECT_EQ(+store.TrackTable[k].pointCount, counts[k]);
        EXPECT_EQ(store.gridTrackName.Cell(0, k + 1), "Track" + std::to_string(k));
        // Every distance starts at the track's own first point.
        EXPECT_NEAR(+store.TrackTable[k].distanceKm, IndependentKm(paths[k]), 0.002) << k;
    }
    EXPECT_EQ(+store.TrackTable[3].distanceKm, 0.0);
    EXPECT_EQ(+store.TrackTable[0].durationSeconds, 299u);
    EXPECT_EQ(+store.TrackTable[4].durationSeconds, 9u);  // to its last valid point
    EXPECT_FALSE(store.ScratchGrid.IsEmpty(0, 1357));
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 1358));
    // The filler after page 1 is skipped: slot 205 (row 204 after the bad
    // record) holds fix 205.
    EXPECT_NEAR(std::stod(store.ScratchGrid.Cell(1, 204)), 40.205, 2e-5);
    EXPECT_EQ(store.ScratchGrid.Cell(4, 204), FormatGeneral(205 * 0.1 * 3.6, '.'));
    EXPECT_TRUE(store.CanSave());
    // Track 0 is shown whole: its last point and its true end.
    EXPECT_EQ(store.gridTrack.RowCount(), 300);
    EXPECT_EQ(store.gridTrack.Cell(1, 1).substr(0, 7), "40.0000");
    EXPECT_NEAR(std::stod(store.gridTrack.Cell(1, 299)), 40.299, 2e-5);
    EXPECT_EQ(store.Summary.end, store.gridTrack.Cell(0, 299));
    EXPECT_EQ(store.Summary.points, "299");
}

// A fix on the equator or a meridian plane has a zero coordinate and is a
// point like any other; only a record at the Earth's centre ends the data.
TEST_F(AssemblyTest, TracksAcrossTheEquatorAndTheMeridiansKeepEveryPoint) {
    TrackMemoryBuilder b;
    std::vector<std::pair<double, double>> path;
    std::uint32_t t = 1'000'000'000;
    auto fix = [&](double lat, double lon, bool start) {
        b.AddFix(t++, lat, lon, 0, 0, start);
        path.emplace_back(lat, lon);
    };
    for (int i = -3; i <= 3; ++i)  // across Greenwich at 51.5 N: y = 0 at i = 0
        fix(51.5, i * 0.001, i == -3);
    for (int i = -3; i <= 3; ++i)  // across the equator: z = 0 at i = 0
        fix(i * 0.001, 0.0, i == -3);  // and on the meridian throughout: y = 0
    fix(0.0, 90.0, true);              // x = 0 and z = 0
    fix(0.0, 180.0, false);            // y = 0 and z = 0
    b.Add(EncodeTrackRecord(t++, {0, 0, 0}, 0, false));  // the end of the data
    b.AddFix(t++, 10, 10, 0, 0, true);                   // never read
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 3);
    EXPECT_EQ(report.points, 16);
    EXPECT_EQ(+store.TrackTable[0].pointCount, 7u);
    EXPECT_EQ(+store.TrackTable[1].pointCount, 7u);
    EXPECT_EQ(+store.TrackTable[2].pointCount, 2u);
    EXPECT_EQ(store.ScratchGrid.Cell(2, 3), "0.000000");
    EXPECT_EQ(store.ScratchGrid.Cell(1, 10), "0.000000");
    EXPECT_EQ(store.ScratchGrid.Cell(2, 15), "180.000000");
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 16));
    const std::vector<std::pair<double, double>> greenwich(path.begin(), path.begin() + 7);
    const std::vector<std::pair<double, double>> equator(path.begin() + 7, path.begin() + 14);
    EXPECT_NEAR(+store.TrackTable[0].distanceKm, IndependentKm(greenwich), 0.002);
    EXPECT_NEAR(+store.TrackTable[1].distanceKm, IndependentKm(equator), 0.002);
    EXPECT_NEAR(+store.TrackTable[2].distanceKm, 6378.137 * std::numbers::pi / 2, 1e-6);
    EXPECT_EQ(store.gridTrack.RowCount(), 8);  // track 0 is shown
    EXPECT_TRUE(store.CanSave());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AssemblyTest, DataWithoutAStartMakesTrackZero) {
    TrackMemoryBuilder b;
    b.AddFix(100, 45, 7, 0, 0, false);
    b.AddFix(102, 45, 7, 0, 0, false);
    b.AddFix(200, 46, 7, 0, 0, true);
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 2);
    EXPECT_EQ(+store.TrackTable[0].pointCount, 2u);
    EXPECT_EQ(+store.TrackTable[0].durationSeconds, 2u);
    EXPECT_EQ(+store.TrackTable[1].firstRow, 2);
    EXPECT_EQ(+store.TrackTable[1].pointCount, 1u);
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
