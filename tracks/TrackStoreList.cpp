// TrackStore, continued: the track list's behaviour: selecting, the colour
// swatch, Modify, Delete and Clear All. Every change goes to the list and to
// TrackTable, so the track file and the KML export see it.

#include <algorithm>
#include <cstdio>
#include <limits>

#include "base/NumberText.h"
#include "tracks/TrackStore.h"

namespace vantrel {

namespace {

// Table entry index of list row `row`, or -1 when the row shows no entry.
int EntryIndex(int row) {
    return row >= 1 && row <= static_cast<int>(kTrackEntryCount) ? row - 1 : -1;
}

}  // namespace

std::optional<std::uint32_t> TrackStore::ColorFromText(std::string_view text) {
    auto value = ParseInt(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

void TrackStore::SelectListRow(int row) {
    if (EntryIndex(row) < 0 || gridTrackName.IsEmpty(0, row)) return;
    ShowTrack(EntryIndex(row));
    if (auto color = ColorFromText(gridTrackName.Cell(1, row))) CurrentTrackColor = *color;
}

std::optional<std::uint32_t> TrackStore::SwatchColor(int col, int row) const {
    if (col != 1 || row < 1 || gridTrackName.IsEmpty(col, row)) return std::nullopt;
    return ColorFromText(gridTrackName.Cell(col, row));
}

bool TrackStore::BeginModify(int row) {
    if (EntryIndex(row) < 0 || gridTrackName.IsEmpty(0, row)) return false;
    const std::string& cell = gridTrackName.Cell(2, row);
    auto selected = ParseInt(cell.empty() ? std::string_view("0") : std::string_view(cell));
    ModifyDialog.name = gridTrackName.Cell(0, row);
    ModifyDialog.save = selected && *selected != 0;
    // The dialog starts from the track's own colour: OK without a pick
    // keeps it.
    ModifyDialog.trackColor = TrackTable[static_cast<std::size_t>(EntryIndex(row))].color;
    return true;
}

void TrackStore::ApplyModify(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return;
    const ModifyTrackDialog& dlg = ModifyDialog;
    TrackEntry& entry = TrackTable[static_cast<std::size_t>(index)];
    // The entry holds at most 20 characters; the list shows what it holds.
    SetEntryName(entry, dlg.name);
    entry.color = dlg.trackColor;
    char color[16];
    std::snprintf(color, sizeof color, "%i", static_cast<int>(dlg.trackColor));
    gridTrackName.SetCell(0, row, EntryName(entry));
    gridTrackName.SetCell(1, row, color);
    gridTrackName.SetCell(2, row, dlg.save ? "1" : "0");
    CurrentTrackColor = dlg.trackColor;
}

void TrackStore::DeleteListedTrack(int row) {
    if (EntryIndex(row) >= 0 && !gridTrackName.IsEmpty(0, row)) DeleteTrack(row);
}

void TrackStore::DeleteTrack(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return;
    TrackEntry& deleted = TrackTable[static_cast<std::size_t>(index)];
    const std::vector<int> rows = PointRows(index);
    const int first = deleted.firstRow;
    // The track's rows go (with any empty ones between its points); the rows
    // below move up by as many.
    const int count = rows.empty() ? 0 : rows.back() + 1 - first;
    ScratchGrid.RemoveRows(first, count);
    gridTrackName.ClearRow(row);
    ClearPointGrid();
    deleted.firstRow = 0;
    deleted.pointCount = 0;
    gridTrackName.RemoveRows(row, 1);
    // The later entries move down one place; their rows moved up by `count`
    // (empty entries' firstRow included, modulo 65536).
    for (std::size_t i = static_cast<std::size_t>(index); i + 1 < kTrackEntryCount; ++i) {
        TrackTable[i] = TrackTable[i + 1];
        TrackTable[i].firstRow =
            static_cast<std::uint16_t>(TrackTable[i].firstRow - static_cast<unsigned>(count));
    }
    TrackTable.back() = TrackEntry{};
}

int TrackStore::ListedTracks() const {
    int rows = std::min(gridTrackName.RowCount() - 1, static_cast<int>(kTrackEntryCount));
    int count = 0;
    while (count < rows && !gridTrackName.IsEmpty(0, count + 1))
        ++count;
    return count;
}

void TrackStore::ClearAll() {
    ClearTrackList();
    ClearScratch();
    ClearPointGrid();
    // Nothing is left for a save to write, the table included.
    TrackTable = TrackEntryTable{};
    SetCanSave(false);
    Summary.start.clear();
    Summary.end.clear();
    Summary.duration.clear();
    Summary.kilometres.clear();
    Summary.miles.clear();
    Summary.points.clear();
}

}  // namespace vantrel
