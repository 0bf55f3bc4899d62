#include <gtest/gtest.h>

#include "TrackFixture.h"

namespace vantrel::testing {
namespace {

using TrackListTest = TrackFixture;

TEST_F(TrackListTest, ClickShowsTheTrackAndItsSummaries) {
    Assemble(ThreeTracks());
    store.TrackTable[2].durationSeconds = 3725;
    store.gridTrackName.SetCell(1, 3, "65280");
    store.SelectListRow(3);
    EXPECT_EQ(store.CurrentTrackColor, 65280u);
    EXPECT_EQ(store.SwatchColor(1, 3), 65280u);
    EXPECT_FALSE(store.SwatchColor(0, 3).has_value());
    EXPECT_EQ(store.Summary.duration, "1:2:5");
    EXPECT_EQ(store.Summary.points, "5");
    EXPECT_EQ(store.Summary.start, "2011/9/14  1:46:32");
    EXPECT_EQ(store.Summary.end, "2011/9/14  1:46:36");
    EXPECT_EQ(store.gridTrack.RowCount(), 6);
    EXPECT_EQ(store.gridTrack.Cell(0, 5), store.Summary.end);
    store.TrackTable[2].durationSeconds = 90000;
    store.SelectListRow(9);  // an empty row changes nothing
    EXPECT_EQ(store.Summary.duration, "1:2:5");
    store.ShowTrack(2);
    EXPECT_EQ(store.Summary.duration, "25:0:0");
}

TEST_F(TrackListTest, ABadRecordMidTrackKeepsTheLastPointAndTheTrueEnd) {
    TrackMemoryBuilder b;
    for (int i = 0; i < 6; ++i) {
        if (i == 2)
            b.AddCorrupt(10 + i);
        else
            b.AddFix(10 + i, 45 + 0.01 * i, 7, 0, 0, i == 0);
    }
    b.AddFix(40, 46, 7, 0, 0, true);
    Assemble(b);
    EXPECT_EQ(store.Summary.points, "5");
    EXPECT_EQ(store.gridTrack.RowCount(), 6);
    EXPECT_EQ(store.gridTrack.Cell(1, 5), "45.050000");  // the last point
    EXPECT_EQ(store.Summary.end, "1980/1/6  0:0:15");
    EXPECT_EQ(+store.TrackTable[0].durationSeconds, 5u);
    EXPECT_EQ(+store.TrackTable[1].firstRow, 5);
}

// Files of earlier versions kept a skipped record's row empty inside the
// track and counted one point less than the rows it spans.
class EarlierFileRows : public TrackFixture {
  protected:
    void SetUp() override {
        Assemble(ThreeTracks());
        compact = store.ScratchGrid;
        store.ScratchGrid.Clear();
        for (int row = 0, from = 0; from < 12; ++row) {  // an empty row after the first point
            if (row == 1) continue;
            for (int col = 0; col < 5; ++col)
                store.ScratchGrid.SetCell(col, row, compact.Cell(col, from));
            ++from;
        }
        store.TrackTable[1].firstRow = 5;
        store.TrackTable[2].firstRow = 8;
        store.TrackTable[0].distanceKm = 333;  // once measured from the track before
    }
    TextGrid compact{5, 1};
};

TEST_F(EarlierFileRows, AreReadPastTheirEmptyRows) {
    store.MeasureTracks();
    EXPECT_EQ(store.PointRows(0), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(store.PointRows(1), (std::vector<int>{5, 6, 7}));
    EXPECT_NEAR(+store.TrackTable[0].distanceKm, 3 * 0.111319, 2e-3);
    store.ShowTrack(0);
    EXPECT_EQ(store.Summary.end, compact.Cell(0, 3));
    EXPECT_EQ(store.gridTrack.Cell(0, 4), compact.Cell(0, 3));
    // A count larger than the rows hold stops at the next track's first row.
    store.TrackTable[1].pointCount = 9;
    EXPECT_EQ(store.PointRows(1).size(), 3u);
    store.MeasureTracks();
    EXPECT_EQ(+store.TrackTable[1].pointCount, 3u);
    store.ScratchGrid.Clear();
    store.ShowTrack(0);
    EXPECT_EQ(store.Summary.end, "");
    EXPECT_EQ(store.Summary.points, "0");
}

TEST_F(EarlierFileRows, DeleteTakesTheEmptyRowsAlong) {
    store.DeleteListedTrack(1);
    EXPECT_EQ(+store.TrackTable[0].firstRow, 0);
    EXPECT_EQ(store.PointRows(0), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(store.ScratchGrid.Cell(0, 0), compact.Cell(0, 4));
    EXPECT_EQ(+store.TrackTable[1].firstRow, 3);
}

TEST_F(TrackListTest, DeleteMovesTheLaterTracksUp) {
    Assemble(ThreeTracks());
    const std::string firstOfTrack1 = store.ScratchGrid.Cell(0, 4);
    store.DeleteListedTrack(1);
    EXPECT_EQ(store.gridTrackName.Cell(0, 1), "Track1");  // names are kept
    EXPECT_EQ(store.gridTrackName.Cell(0, 2), "Track2");
    EXPECT_TRUE(store.gridTrackName.IsEmpty(0, 3));
    EXPECT_EQ(+store.TrackTable[0].firstRow, 0);
    EXPECT_EQ(+store.TrackTable[0].pointCount, 3u);
    EXPECT_EQ(+store.TrackTable[1].firstRow, 3);
    EXPECT_EQ(store.ScratchGrid.Cell(0, 0), firstOfTrack1);
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 8));
    // Empty entries move too, their firstRow less the deleted count (mod 65536).
    EXPECT_EQ(+store.TrackTable[2].firstRow, 65536 - 4);
    EXPECT_TRUE(store.gridTrack.IsEmpty(0, 1));
    store.DeleteListedTrack(5);  // an empty row: nothing happens
    EXPECT_EQ(+store.TrackTable[1].firstRow, 3);
}

TEST_F(TrackListTest, ModifyAppliesOnlyAnAcceptedDialog) {
    Assemble(ThreeTracks());
    store.gridTrackName.SetCell(2, 2, "");  // as after a file load
    ASSERT_TRUE(store.BeginModify(2));
    EXPECT_EQ(store.ModifyDialog.name, "Track1");
    EXPECT_FALSE(store.ModifyDialog.save);
    store.ModifyDialog.name = "Ridge";
    store.ModifyDialog.trackColor = 0x00FF00;
    store.ApplyModify(2);
    EXPECT_EQ(EntryName(store.TrackTable[1]), "Ridge");
    EXPECT_EQ(+store.TrackTable[1].color, 0x00FF00u);
    EXPECT_EQ(store.gridTrackName.Cell(1, 2), "65280");
    EXPECT_EQ(store.gridTrackName.Cell(2, 2), "0");
    EXPECT_EQ(store.CurrentTrackColor, 0x00FF00u);
    // The dialog starts from each track's own colour, so a rename without
    // a pick keeps it.
    ASSERT_TRUE(store.BeginModify(1));
    EXPECT_TRUE(store.ModifyDialog.save);
    store.ModifyDialog.trackColor = 0xFF0000;  // picked, then cancelled
    EXPECT_EQ(+store.TrackTable[0].color, 255u);
    ASSERT_TRUE(store.BeginModify(2));
    EXPECT_EQ(store.ModifyDialog.trackColor, 0x00FF00u);
    store.ModifyDialog.name = "Ridge 2";
    store.ApplyModify(2);
    EXPECT_EQ(+store.TrackTable[1].color, 0x00FF00u);
    ASSERT_TRUE(store.BeginModify(3));
    EXPECT_EQ(store.ModifyDialog.trackColor, 255u);
    store.ModifyDialog.name = "Valley";
    store.ApplyModify(3);
    EXPECT_EQ(store.gridTrackName.Cell(1, 3), "255");
    EXPECT_FALSE(store.BeginModify(7));  // an empty row offers nothing to modify
}

TEST_F(TrackListTest, NamesAreCutToTwentyUnitsAndReadNoFurtherThanTheField) {
    Assemble(ThreeTracks());
    auto rename = [&](const char* name) {
        store.ModifyDialog.name = name;
        store.ApplyModify(1);
        EXPECT_EQ(EntryName(store.TrackTable[0]), store.gridTrackName.Cell(0, 1));
        return store.gridTrackName.Cell(0, 1);
    };
    EXPECT_EQ(rename("A name much longer than twenty"), "A name much longer t");
    // A surrogate pair that would straddle the cut is dropped whole.
    EXPECT_EQ(rename("1234567890123456789\U0001F600"), "1234567890123456789");
    EXPECT_EQ(rename("\u00c9t\u00e9 \U0001F600"), "\u00c9t\u00e9 \U0001F600");

    TrackEntry entry{};
    for (auto& unit : entry.name)
        unit = u'x';  // no NUL at all
    entry.distanceKm = 1.0;
    EXPECT_EQ(EntryName(entry), std::string(21, 'x'));
    entry.name[3] = 0xD800;  // an unpaired surrogate
    EXPECT_EQ(EntryName(entry).substr(0, 6), "xxx\xEF\xBF\xBD");
}

TEST_F(TrackListTest, ClearAllLeavesNothingToSave) {
    Assemble(ThreeTracks());
    store.ClearAll();
    EXPECT_TRUE(store.gridTrackName.IsEmpty(0, 1));
    EXPECT_EQ(store.gridTrackName.Cell(0, 0), "Track Name");
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 0));
    EXPECT_TRUE(store.gridTrack.IsEmpty(0, 1));
    EXPECT_EQ(store.gridTrack.Cell(1, 0), "Lanititude");
    EXPECT_EQ(EntryName(store.TrackTable[2]), "");
    EXPECT_EQ(+store.TrackTable[0].pointCount, 0u);
    EXPECT_FALSE(store.CanSave());
    EXPECT_EQ(store.Summary.points, "");
    EXPECT_EQ(store.ListedTracks(), 0);
}

}  // namespace
}  // namespace vantrel::testing
