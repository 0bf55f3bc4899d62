#include "tracks/TrackStore.h"

#include <algorithm>
#include <cstdio>

#include "base/NumberText.h"
#include "tracks/Geodesy.h"
#include "tracks/TrackPath.h"

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
    const TrackEntry& e = TrackTable[static_cast<std::size_t>(index)];
    ClearPointGrid();
    const char sep = Separator();
    const std::vector<int> rows = PointRows(index);
    Summary.points = UnsignedText(rows.size());
    Summary.kilometres = FormatGeneral(e.distanceKm, sep);
    Summary.miles = FormatGeneral(e.distanceKm * KmToMile, sep);
    Summary.duration = DurationText(e.durationSeconds);
    Summary.start = ScratchGrid.Cell(0, e.firstRow);
    // An empty track has no end time (rather than the row before it).
    Summary.end = rows.empty() ? std::string() : ScratchGrid.Cell(0, rows.back());

    gridTrack.SetRowCount(static_cast<int>(rows.size()) + 1);
    int shown = 1;
    for (int row : rows) {
        for (int col = 0; col < gridTrack.ColCount(); ++col)
            gridTrack.SetCell(col, shown, ScratchGrid.Cell(col, row));
        ++shown;
    }
}

std::vector<int> TrackStore::PointRows(int index) const {
    std::vector<int> rows;
    if (index < 0 || index >= static_cast<int>(kTrackEntryCount)) return rows;
    const TrackEntry& e = TrackTable[static_cast<std::size_t>(index)];
    const int first = e.firstRow;
    int end = ScratchGrid.RowCount();
    if (index + 1 < static_cast<int>(kTrackEntryCount)) {
        const TrackEntry& next = TrackTable[static_cast<std::size_t>(index) + 1];
        if (next.pointCount > 0 && next.firstRow > first) end = std::min<int>(end, next.firstRow);
    }
    rows.reserve(std::min<std::size_t>(e.pointCount, static_cast<std::size_t>(kMaxScratchRows)));
    for (int row = first; row < end && rows.size() < e.pointCount; ++row)
        if (!ScratchGrid.IsEmpty(0, row)) rows.push_back(row);
    return rows;
}

void TrackStore::MeasureTracks() {
    const NumberFormat& numbers = values_.Numbers;
    for (std::size_t k = 0; k < kTrackEntryCount; ++k) {
        TrackEntry& entry = TrackTable[k];
        if (EntryName(entry).empty()) continue;
        const std::vector<int> rows = PointRows(static_cast<int>(k));
        std::vector<PathPoint> path;
        path.reserve(rows.size());
        for (int row : rows)
            if (auto position = RowPosition(ScratchGrid, row, numbers)) path.push_back(*position);
        entry.pointCount = static_cast<std::uint32_t>(rows.size());
        entry.distanceKm = PathKm(path);
    }
}

}  // namespace vantrel
