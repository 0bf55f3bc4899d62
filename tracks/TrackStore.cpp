#include "tracks/TrackStore.h"

#include <algorithm>
#include <cstdio>

#include "app/NumberText.h"
#include "tracks/Geodesy.h"

namespace vantrel {

namespace {

std::string UnsignedText(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "%lu", value);
    return text;
}

// hours:minutes:seconds without leading zeros; hours may exceed 24.
std::string DurationText(std::uint32_t seconds) {
    return UnsignedText(seconds / 3600) + ":" + UnsignedText((seconds / 60) % 60) + ":" +
           UnsignedText(seconds % 60);
}

}  // namespace

TrackStore::TrackStore(const AppValues& values, TransferArea& transfer, UserMessages& messages)
    : values_(values), transfer_(transfer), messages_(messages) {
    WriteHeadings();
}

void TrackStore::WriteHeadings() {
    vantrel::WriteHeadings(gridTrackName, HeadedGrid::TrackName, values_.ColumnTitles);
    vantrel::WriteHeadings(gridTrack, HeadedGrid::Track, values_.ColumnTitles);
}

void TrackStore::ClearTrackList() {
    gridTrackName.Clear();
    gridTrackName.SetRowCount(kTrackNameRows);
}

void TrackStore::ClearPointGrid() {
    gridTrack.Clear();
    WriteHeadings();
}

void TrackStore::ClearScratch() {
    ScratchGrid.Clear();
    ScratchGrid.SetRowCount(kScratchRows);
}

void TrackStore::EnsureListRow(int row) {
    if (row >= gridTrackName.RowCount() && row <= static_cast<int>(kTrackEntryCount))
        gridTrackName.SetRowCount(row + 1);
}

bool TrackStore::EnsureScratchRow(int row) {
    if (row < 0 || row >= kMaxScratchRows) return false;
    if (row >= ScratchGrid.RowCount()) ScratchGrid.SetRowCount(row + 1);
    return true;
}

void TrackStore::ShowTrack(int index) {
    if (index < 0 || index >= static_cast<int>(kTrackEntryCount)) return;
    TrackEntry& e = TrackTable[static_cast<std::size_t>(index)];
    ClearPointGrid();
    const char sep = Separator();
    edPoints = UnsignedText(e.pointCount);
    edDistance = FormatGeneral(e.distanceKm, sep);
    edMile = FormatGeneral(e.distanceKm * KmToMile, sep);
    edTotalTime = DurationText(e.durationSeconds);
    const int first = e.firstRow;
    edStartTime = ScratchGrid.Cell(0, first);

    // Rows past the grid are empty, so the count can start at the grid's end.
    auto count = static_cast<int>(
        std::min<std::int64_t>(e.pointCount, std::max(ScratchGrid.RowCount() - first, 0)));
    while (count > 0 && ScratchGrid.IsEmpty(0, first + count - 1))
        --count;
    e.pointCount = static_cast<std::uint32_t>(count);  // the file and KML see the trimmed count
    // An empty track has no end time (rather than the row before it).
    edEndTime = count > 0 ? ScratchGrid.Cell(0, first + count - 1) : std::string();

    gridTrack.SetRowCount(count + 1);
    int shown = 1;
    for (int i = 0; i < count; ++i) {
        const int row = first + i;
        if (ScratchGrid.IsEmpty(0, row)) continue;
        for (int col = 0; col < gridTrack.ColCount(); ++col)
            gridTrack.SetCell(col, shown, ScratchGrid.Cell(col, row));
        ++shown;
    }
}

}  // namespace vantrel
