#include <gtest/gtest.h>

#include "TrackFixture.h"

namespace vantrel::testing {
namespace {

using TrackListTest = TrackFixture;

TEST_F(TrackListTest, ClickShowsTheTrackAndItsSummaries) {
    Assemble(ThreeTracks());
    store.TrackTable[2].durationSeconds = 3725;
    store.gridTrackName.SetCell(1, 3, "65280");
    store.gridTrackNameClick(3);
    EXPECT_EQ(store.CurrentTrackColor, 65280u);
    EXPECT_EQ(store.SwatchColor(1, 3), 65280u);
    EXPECT_FALSE(store.SwatchColor(0, 3).has_value());
    EXPECT_EQ(store.edTotalTime, "1:2:5");
    EXPECT_EQ(store.edPoints, "5");
    EXPECT_EQ(store.edStartTime, "2011/9/14  1:46:47");
    EXPECT_EQ(store.edEndTime, "2011/9/14  1:46:51");
    EXPECT_EQ(store.gridTrack.RowCount(), 6);
    EXPECT_EQ(store.gridTrack.Cell(0, 5), store.edEndTime);
    store.TrackTable[2].durationSeconds = 90000;
    store.gridTrackNameClick(9);  // an empty row changes nothing
    EXPECT_EQ(store.edTotalTime, "1:2:5");
    store.ShowTrack(2);
    EXPECT_EQ(store.edTotalTime, "25:0:0");
}

TEST_F(TrackListTest, ShowTrackTrimsEmptyLastRowsAndSkipsEmptyRowsInside) {
    TrackMemoryBuilder b;
    for (int i = 0; i < 6; ++i) {
        if (i == 2)
            b.AddCorrupt(10 + i);
        else
            b.AddFix(10 + i, 45, 7, 0, 0, i == 0);
    }
    Assemble(b);
    // Five points counted over six rows: the range ends one row short, so the
    // last point is not shown and the end time is the point before it.
    EXPECT_EQ(store.gridTrack.RowCount(), 6);
    EXPECT_EQ(store.gridTrack.Cell(0, 4), "1980/1/6  0:0:14");
    EXPECT_TRUE(store.gridTrack.IsEmpty(0, 5));
    EXPECT_EQ(store.edEndTime, "1980/1/6  0:0:14");
    // Empty last rows lower the stored count, never below zero.
    store.ScratchGrid.ClearRow(4);
    store.ScratchGrid.ClearRow(3);
    store.ShowTrack(0);
    EXPECT_EQ(+store.TrackTable[0].pointCount, 2u);
    EXPECT_EQ(store.edPoints, "5");  // shown before the trim
    EXPECT_EQ(store.edEndTime, "1980/1/6  0:0:11");
    store.ScratchGrid.Clear();
    store.ShowTrack(0);
    EXPECT_EQ(+store.TrackTable[0].pointCount, 0u);
    EXPECT_EQ(store.edEndTime, "");
}

TEST_F(TrackListTest, DeleteMovesTheLaterTracksUp) {
    Assemble(ThreeTracks());
    const std::string firstOfTrack1 = store.ScratchGrid.Cell(0, 4);
    store.menuDeleteClick(1);
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
    store.menuDeleteClick(5);  // an empty row: nothing happens
    EXPECT_EQ(+store.TrackTable[1].firstRow, 3);
}

TEST_F(TrackListTest, ModifyAppliesOnlyAnAcceptedDialog) {
    Assemble(ThreeTracks());
    store.gridTrackName.SetCell(2, 2, "");  // as after a file load
    ASSERT_TRUE(store.BeginModify(2));
    EXPECT_EQ(store.dlgModifyTrackName.edTrackName, "Track1");
    EXPECT_FALSE(store.dlgModifyTrackName.cbSave);
    store.dlgModifyTrackName.edTrackName = "Ridge";
    store.dlgModifyTrackName.trackColor = 0x00FF00;
    store.ApplyModify(2);
    EXPECT_EQ(EntryName(store.TrackTable[1]), "Ridge");
    EXPECT_EQ(+store.TrackTable[1].color, 0x00FF00u);
    EXPECT_EQ(store.gridTrackName.Cell(1, 2), "65280");
    EXPECT_EQ(store.gridTrackName.Cell(2, 2), "0");
    EXPECT_EQ(store.CurrentTrackColor, 0x00FF00u);
    // Cancel keeps only the colour dialog's choice, for the next Modify.
    ASSERT_TRUE(store.BeginModify(1));
    EXPECT_TRUE(store.dlgModifyTrackName.cbSave);
    store.dlgModifyTrackName.trackColor = 0xFF0000;
    EXPECT_EQ(+store.TrackTable[0].color, 255u);
    ASSERT_TRUE(store.BeginModify(3));
    EXPECT_EQ(store.dlgModifyTrackName.trackColor, 0xFF0000u);
    EXPECT_FALSE(store.BeginModify(7));  // an empty row offers nothing to modify
}

TEST_F(TrackListTest, NamesAreCutToTwentyUnitsAndReadNoFurtherThanTheField) {
    Assemble(ThreeTracks());
    auto rename = [&](const char* name) {
        store.dlgModifyTrackName.edTrackName = name;
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

TEST_F(TrackListTest, ClearAllEmptiesTheGridsButKeepsTheTable) {
    Assemble(ThreeTracks());
    store.ClearAll();
    EXPECT_TRUE(store.gridTrackName.IsEmpty(0, 1));
    EXPECT_EQ(store.gridTrackName.Cell(0, 0), "Track Name");
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(0, 0));
    EXPECT_TRUE(store.gridTrack.IsEmpty(0, 1));
    EXPECT_EQ(store.gridTrack.Cell(1, 0), "Lanititude");
    EXPECT_EQ(EntryName(store.TrackTable[2]), "Track2");
}

}  // namespace
}  // namespace vantrel::testing
