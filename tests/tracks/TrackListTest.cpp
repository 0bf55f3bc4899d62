// The track list's behaviour on the model: selecting shows a track and its
// summaries, Modify, Delete and Clear All.

#include <gtest/gtest.h>

#include <cmath>

#include "tracks/Geodesy.h"

#include "TrackFixture.h"

namespace vantrel::testing {
namespace {

using TrackListTest = TrackFixture;

TEST_F(TrackListTest, ClickShowsTheTrackAndItsSummaries) {
    Assemble(ThreeTracks());
    store.ModifyDialog = {"Track2", true, 65280};
    store.ApplyModify(3);
    store.SelectListRow(1);
    const std::uint64_t revision = store.Revision();
    store.SelectListRow(3);
    EXPECT_GT(store.Revision(), revision);
    EXPECT_EQ(store.ShownIndex(), 2);
    EXPECT_EQ(store.CurrentTrackColor, 65280u);
    EXPECT_EQ(store.SwatchColor(1, 3), 65280u);
    EXPECT_FALSE(store.SwatchColor(0, 3).has_value());
    EXPECT_FALSE(store.SwatchColor(1, 9).has_value());
    const TrackSummary summary = SummaryOf(store.Shown(), {}, '.');
    EXPECT_EQ(summary.duration, "0:00:04");
    EXPECT_EQ(summary.points, "5");
    EXPECT_EQ(summary.start, "2011/09/14 01:46:32");
    EXPECT_EQ(summary.end, "2011/09/14 01:46:36");
    EXPECT_EQ(FormatFixed(TrackKm(*store.Shown()), 2, '.'), summary.kilometres);
    EXPECT_EQ(FormatFixed(TrackKm(*store.Shown()) * KmToMile, 2, '.'), summary.miles);
    store.SelectListRow(9);  // an empty row changes nothing
    EXPECT_EQ(store.ShownIndex(), 2);
    EXPECT_EQ(DurationText(3725), "1:02:05");
    EXPECT_EQ(DurationText(90000), "25:00:00");
    EXPECT_EQ(SummaryOf(nullptr, {}, '.'), TrackSummary{});
}

// A zone change shows the same points at the new offset: nothing is decoded again.
TEST_F(TrackListTest, TimesFollowTheDisplayOffset) {
    Assemble(ThreeTracks());
    EXPECT_EQ(Cell(0, PointColumn::Time), "2011/9/14  1:46:25");
    values.LocalZoneOffset = ZoneOffset{-150};
    EXPECT_EQ(Cell(0, PointColumn::Time), "2011/9/13  23:16:25");
    EXPECT_EQ(SummaryOf(store.Shown(), values.LocalZoneOffset, '.').end, "2011/09/13 23:16:28");
}

// The window's cells beside the file's: padded times, one decimal for the
// altitude and speed in the units chosen, degrees as the file has them.
TEST_F(TrackListTest, TheWindowShowsPaddedTimesAndTheChosenUnits) {
    const TrackPoint point{Seconds{std::chrono::seconds{1296008005}}, 47.5, -7.25, 1000, 36, };
    struct Case {
        PointColumn column;
        ProfileUnits units;
        const char* shown;
        const char* heading;
    };
    for (const Case& c : {Case{PointColumn::Time, ProfileUnits::Metric, "2011/01/26 03:13:25", ""},
                          Case{PointColumn::Latitude, ProfileUnits::Imperial, "47,500000", ""},
                          Case{PointColumn::Longitude, ProfileUnits::Metric, "-7,250000", ""},
                          Case{PointColumn::Altitude, ProfileUnits::Metric, "1000,0", " (m)"},
                          Case{PointColumn::Altitude, ProfileUnits::Imperial, "3280,8", " (ft)"},
                          Case{PointColumn::Speed, ProfileUnits::Metric, "36,0", " (km/h)"},
                          Case{PointColumn::Speed, ProfileUnits::Imperial, "22,4", " (mph)"}}) {
        EXPECT_EQ(ShownPointCell(point, c.column, ZoneOffset::Hours(1), ',', c.units), c.shown);
        EXPECT_EQ(PointColumnUnit(c.column, c.units), c.heading);
    }
    TrackPoint unknown = point;
    unknown.altitude = std::nan("");
    EXPECT_EQ(ShownPointCell(unknown, PointColumn::Altitude, {}, '.', ProfileUnits::Metric), "");
    EXPECT_EQ(DistanceText(8.45706501867172, ProfileUnits::Metric, '.'), "8.46");
    EXPECT_EQ(DistanceText(8.45706501867172, ProfileUnits::Imperial, '.'), "5.26");
}

// The point grid shows the track that takes the deleted one's row, as the
// list highlights it (the one above when the last went).
TEST_F(TrackListTest, DeleteShowsTheTrackTakingTheRowAndKeepsTheOtherNames) {
    Assemble(ThreeTracks());
    EXPECT_FALSE(store.Modified());
    store.DeleteListedTrack(1);
    ASSERT_EQ(store.List().size(), 2u);
    EXPECT_EQ(store.List()[0].name, "Track1");  // names are kept
    EXPECT_EQ(store.List()[1].name, "Track2");
    EXPECT_EQ(store.ShownIndex(), 0);
    EXPECT_TRUE(store.Modified());
    store.DeleteListedTrack(5);  // an empty row: nothing happens
    EXPECT_EQ(store.List().size(), 2u);
    store.DeleteListedTrack(2);
    EXPECT_EQ(store.ShownIndex(), 0);
    store.DeleteListedTrack(1);
    EXPECT_EQ(store.Shown(), nullptr);
}

TEST_F(TrackListTest, ModifyAppliesOnlyAnAcceptedDialog) {
    Assemble(ThreeTracks());
    ASSERT_TRUE(store.BeginModify(2));
    EXPECT_EQ(store.ModifyDialog.name, "Track1");
    EXPECT_TRUE(store.ModifyDialog.save);
    store.ModifyDialog.name = "Ridge";
    store.ModifyDialog.save = false;
    store.ModifyDialog.trackColor = 0x00FF00;
    store.ApplyModify(2);
    EXPECT_EQ(store.List()[1].name, "Ridge");
    EXPECT_EQ(store.List()[1].color, 0x00FF00u);
    EXPECT_EQ(ListCell(store.List()[1], ListColumn::Color), "65280");
    EXPECT_EQ(ListCell(store.List()[1], ListColumn::Select), "0");
    EXPECT_EQ(store.CurrentTrackColor, 0x00FF00u);
    // The dialog starts from each track's own colour, so a rename without
    // a pick keeps it; a colour picked and then cancelled changes nothing.
    ASSERT_TRUE(store.BeginModify(1));
    store.ModifyDialog.trackColor = 0xFF0000;
    EXPECT_EQ(store.List()[0].color, 255u);
    ASSERT_TRUE(store.BeginModify(2));
    EXPECT_EQ(store.ModifyDialog.trackColor, 0x00FF00u);
    EXPECT_FALSE(store.ModifyDialog.save);
    EXPECT_FALSE(store.BeginModify(7));  // an empty row offers nothing to modify
}

TEST_F(TrackListTest, NamesAreCutToWhatATrackFileKeeps) {
    Assemble(ThreeTracks());
    auto rename = [&](const char* name) {
        store.ModifyDialog.name = name;
        store.ApplyModify(1);
        return store.List()[0].name;
    };
    EXPECT_EQ(rename("A name much longer than twenty"), "A name much longer t");
    // A surrogate pair that would straddle the cut is dropped whole.
    EXPECT_EQ(rename("1234567890123456789\U0001F600"), "1234567890123456789");
    EXPECT_EQ(rename("\u00c9t\u00e9 \U0001F600"), "\u00c9t\u00e9 \U0001F600");

    TrackEntry entry{};
    for (auto& unit : entry.name)
        unit = u'x';  // no NUL at all
    EXPECT_EQ(EntryName(entry), std::string(21, 'x'));
    entry.name[3] = 0xD800;  // an unpaired surrogate
    EXPECT_EQ(EntryName(entry).substr(0, 6), "xxx\xEF\xBF\xBD");
}

TEST_F(TrackListTest, ClearAllLeavesNothingToSave) {
    Assemble(ThreeTracks());
    store.ClearAll();
    EXPECT_TRUE(store.List().empty());
    EXPECT_EQ(store.Shown(), nullptr);
    EXPECT_FALSE(store.CanSave());
    EXPECT_EQ(store.ListRows(), TrackStore::kListRows);
    const std::string bytes = TrackFileBytes(store.List(), store.FileFormat());
    EXPECT_EQ(bytes.substr(0, 4224), std::string(4224, '\0'));
}

}  // namespace
}  // namespace vantrel::testing
