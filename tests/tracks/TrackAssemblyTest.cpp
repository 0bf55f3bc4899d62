// The track memory decoded into the track model: records at their fixed
// places, every track and point listed, skipped records, the end of the data.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "TrackFixture.h"
#include "base/TransferArea.h"

namespace vantrel::testing {
namespace {

const TrackRecordBytes kWorkedRecord = {0x00, 0xCA, 0x9A, 0x3B, 0x9B, 0x41, 0xCF, 0xFF, 0x65, 0xBE,
                                        0x30, 0x00, 0xFB, 0x78, 0x44, 0x00, 0x7B, 0x08, 0x2A, 0xF8};

using AssemblyTest = TrackFixture;

std::vector<std::string> Row(const TrackStore& store, std::size_t i, const AppValues& values) {
    std::vector<std::string> cells;
    for (int col = 0; col < kPointColumns; ++col)
        cells.push_back(PointCell(store.Shown()->points.at(i), static_cast<PointColumn>(col),
                                  values.LocalZoneOffset, values.Numbers.Separator()));
    return cells;
}

// The worked record: made from 45 N, 135 E, 100 m, in whole metres, at GPS
// second 1,000,000,000 (2011, when GPS ran 15 s ahead of UTC). Without a
// geoid its height is above the ellipsoid, and the user is told once; with
// one it is above sea level.
TEST_F(AssemblyTest, WorkedRecordStartsATrack) {
    TrackMemoryBuilder b;
    b.Add(kWorkedRecord);
    store.Decoding.geoid = GeoidSource({Folder() / "no-geoid.gtx"});
    AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 1);
    EXPECT_EQ(report.points, 1u);
    EXPECT_EQ(report.heights, HeightReference::Ellipsoid);
    EXPECT_NE(report.notice.find("egm96_15.gtx"), std::string::npos);
    EXPECT_EQ(Row(store, 0, values), (std::vector<std::string>{"2011/9/14  1:46:25", "45.000001",
                                                               "135.000000", "99.8", "44.28"}));
    EXPECT_EQ(ListCell(store.List()[0], ListColumn::Name), "Track0");
    EXPECT_EQ(ListCell(store.List()[0], ListColumn::Color), "255");
    EXPECT_EQ(ListCell(store.List()[0], ListColumn::Select), "1");
    EXPECT_TRUE(store.CanSave());
    EXPECT_EQ(store.CurrentTrackColor, 255u);  // the shown track's colour
    const double ellipsoid = store.List()[0].points[0].altitude;
    EXPECT_EQ(Assemble(b).notice, "");  // told once

    // The zone shifts the time; a decimal-comma user gets commas.
    values.LocalZoneOffset = ZoneOffset::Hours(-2);
    UseDecimalComma();
    store.Decoding.geoid = GeoidSource();
    report = Assemble(b);
    ASSERT_EQ(report.heights, HeightReference::MeanSeaLevel) << report.notice;
    std::string error;
    const auto grid = GeoidGrid::FromFile(GeoidGrid::SearchPaths().back(), error);
    ASSERT_TRUE(grid) << error;
    const TrackPoint& p = store.List()[0].points[0];
    EXPECT_EQ(p.altitude, ellipsoid - grid->UndulationAt(p.latitude, p.longitude));
    EXPECT_EQ(Row(store, 0, values),
              (std::vector<std::string>{"2011/9/13  23:46:25", "45,000001", "135,000000",
                                        FormatFixed(p.altitude, 1, ','), "44,28"}));
}

TEST_F(AssemblyTest, TooShortAMemoryChangesNothing) {
    Assemble(ThreeTracks());
    const Tracks before = store.List();
    EXPECT_FALSE(store.AssembleTracks(std::vector<std::uint8_t>(19, 0)).decoded);
    EXPECT_EQ(store.List(), before);
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
    image = b.Image(TransferArea::kSize);
    const AssemblyReport report = store.AssembleTracks(image);

    EXPECT_EQ(report.tracks, 5);
    EXPECT_EQ(report.points, 299u + 49 + 1000 + 1 + 9);
    EXPECT_EQ(report.skippedRecords, 3);
    const std::size_t counts[] = {299, 49, 1000, 1, 9};
    for (std::size_t k = 0; k < 5; ++k) {
        const Track& tk = store.List()[k];
        EXPECT_EQ(tk.name, "Track" + std::to_string(k));
        EXPECT_EQ(tk.points.size(), counts[k]);
        // Every distance starts at the track's own first point.
        EXPECT_NEAR(TrackKm(tk), IndependentKm(paths[k]), 0.002) << k;
    }
    EXPECT_EQ(TrackKm(store.List()[3]), 0.0);
    EXPECT_EQ(TrackSeconds(store.List()[0]), 299);
    EXPECT_EQ(TrackSeconds(store.List()[4]), 9);  // to its last valid point
    // Slot 205, the first of page 2 (after the bad record, point 204), holds fix 205.
    EXPECT_NEAR(store.List()[0].points[204].latitude, 40.205, 2e-5);
    EXPECT_EQ(Cell(204, PointColumn::Speed), FormatGeneral(205 * 0.1 * 3.6, '.'));
    // Track 0 is shown whole: its last point and its true end.
    ASSERT_EQ(store.ShownIndex(), 0);
    EXPECT_NEAR(store.Shown()->points.back().latitude, 40.299, 2e-5);
    const TrackSummary summary = SummaryOf(store.Shown(), {}, '.');
    EXPECT_EQ(summary.end, "2008/07/13 16:04:45");  // as the grid shows the last point
    EXPECT_EQ(summary.end, ShownCell(298, PointColumn::Time));
    EXPECT_EQ(summary.points, "299");
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
    const AssemblyReport report = Assemble(b);
    EXPECT_EQ(report.tracks, 3);
    EXPECT_EQ(report.points, 16u);
    const Tracks& tracks = store.List();
    EXPECT_EQ(tracks[0].points.size(), 7u);
    EXPECT_EQ(tracks[1].points.size(), 7u);
    EXPECT_EQ(tracks[2].points.size(), 2u);
    EXPECT_EQ(FormatFixed(tracks[0].points[3].longitude, 6, '.'), "0.000000");
    EXPECT_EQ(FormatFixed(tracks[1].points[3].latitude, 6, '.'), "0.000000");
    EXPECT_EQ(FormatFixed(tracks[2].points[1].longitude, 6, '.'), "180.000000");
    const std::vector<std::pair<double, double>> greenwich(path.begin(), path.begin() + 7);
    const std::vector<std::pair<double, double>> equator(path.begin() + 7, path.begin() + 14);
    EXPECT_NEAR(TrackKm(tracks[0]), IndependentKm(greenwich), 0.002);
    EXPECT_NEAR(TrackKm(tracks[1]), IndependentKm(equator), 0.002);
    EXPECT_NEAR(TrackKm(tracks[2]), 6378.137 * std::numbers::pi / 2, 1e-6);
}

TEST_F(AssemblyTest, DataWithoutAStartMakesTrackZeroAndABadRecordKeepsTheLastPoint) {
    TrackMemoryBuilder b;
    b.AddFix(100, 45, 7, 0, 0, false);
    b.AddCorrupt(101);
    b.AddFix(102, 45.1, 7, 0, 0, false);
    b.AddFix(200, 46, 7, 0, 0, true);
    Assemble(b);
    ASSERT_EQ(store.List().size(), 2u);
    EXPECT_EQ(store.List()[0].points.size(), 2u);
    EXPECT_EQ(TrackSeconds(store.List()[0]), 2);
    EXPECT_NEAR(store.List()[0].points[1].latitude, 45.1, 1e-5);
    EXPECT_EQ(store.List()[1].points.size(), 1u);
}

// The 16 bytes after a page's last record are filler, whatever they hold:
// a damaged filler loses no record.
TEST_F(AssemblyTest, DamagedPageFillersLoseNoPoint) {
    TrackMemoryBuilder b;
    constexpr int kPoints = 15000;
    for (int i = 0; i < kPoints; ++i)
        b.AddFix(1'000'000'000 + static_cast<std::uint32_t>(i), 45 + (i % 97) * 1e-4, 7, 0, 0,
                 i % 1000 == 0);
    const std::vector<std::uint8_t> clean = b.Image(b.Size());
    struct Damage {
        const char* what;
        std::size_t byte;  // within the filler
        std::uint8_t value;
    };
    for (const Damage& d : {Damage{"a flipped bit in the first byte", 0, 0xFE},
                            Damage{"a flipped bit in the last byte", 15, 0x7F},
                            Damage{"a zero byte in the middle", 7, 0x00}}) {
        std::vector<std::uint8_t> damaged = clean;
        for (std::size_t page = 0; page + 4096 <= damaged.size(); page += 4096 * 7)
            damaged[page + 4080 + d.byte] = d.value;
        const AssemblyReport report = store.AssembleTracks(damaged);
        EXPECT_EQ(report.points, std::size_t{kPoints}) << d.what;
        EXPECT_EQ(report.tracks, 15) << d.what;
        EXPECT_EQ(report.skippedRecords, 0) << d.what;
    }
}

// Every track and point of a full memory is listed: more than a track file's
// 64 tracks and 65,536 points.
TEST_F(AssemblyTest, EveryTrackAndPointOfAFullMemoryIsListed) {
    TrackMemoryBuilder b;
    for (std::uint32_t i = 0; i < 512 * 204; ++i)
        b.AddFix(900'000'000 + i, 45 + (i % 5000) * 1e-4, 7, 200, 0, i % 1000 == 0);
    image = b.Image(TransferArea::kSize);
    const AssemblyReport report = store.AssembleTracks(image);
    EXPECT_EQ(report.tracks, 105);
    EXPECT_EQ(report.points, 104'448u);
    EXPECT_EQ(store.List().back().points.size(), 448u);
    EXPECT_EQ(store.ListRows(), 105);
    const TrackFileFit fit = TrackFileFitOf(store.List());
    EXPECT_EQ(fit.tracks, 105u - 64);  // a track file has 64 entries
    EXPECT_EQ(fit.points, 104'448u - 64'000);
}

}  // namespace
}  // namespace vantrel::testing
