// TrackStore, continued: the track list's behaviour: selecting, the colour
// swatch, Modify, Delete and Clear All.

#include <algorithm>
#include <limits>

#include "base/NumberText.h"
#include "tracks/TrackStore.h"
#include "tracks/TrackTable.h"

namespace vantrel {

namespace {

// The name as a track file entry keeps it: at most 20 UTF-16 units.
std::string EntryNameOf(std::string_view name) {
    TrackEntry entry{};
    SetEntryName(entry, name);
    return EntryName(entry);
}

}  // namespace

int TrackStore::EntryIndex(int row) const {
    return row >= 1 && row <= static_cast<int>(tracks_.size()) ? row - 1 : -1;
}

int TrackStore::ListRows() const {
    return std::max(kListRows, static_cast<int>(tracks_.size()));
}

std::optional<std::uint32_t> TrackStore::ColorFromText(std::string_view text) {
    auto value = ParseInt(text);
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*value);
}

void TrackStore::SelectListRow(int row) {
    if (EntryIndex(row) >= 0) ShowTrack(EntryIndex(row));
}

std::optional<std::uint32_t> TrackStore::SwatchColor(int col, int row) const {
    if (col != 1 || EntryIndex(row) < 0) return std::nullopt;
    return tracks_[static_cast<std::size_t>(EntryIndex(row))].color;
}

bool TrackStore::BeginModify(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return false;
    const Track& track = tracks_[static_cast<std::size_t>(index)];
    ModifyDialog.name = track.name;
    ModifyDialog.save = track.selected;
    // The dialog starts from the track's own colour: OK without a pick keeps it.
    ModifyDialog.trackColor = track.color;
    return true;
}

void TrackStore::ApplyModify(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return;
    Track& track = tracks_[static_cast<std::size_t>(index)];
    // The list shows what a track file can keep of the name.
    track.name = EntryNameOf(ModifyDialog.name);
    track.color = ModifyDialog.trackColor;
    track.selected = ModifyDialog.save;
    CurrentTrackColor = ModifyDialog.trackColor;
    Edited();
}

void TrackStore::DeleteListedTrack(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return;
    tracks_.erase(tracks_.begin() + index);
    // The point grid shows the track that takes the row (the one above when
    // the last went), as the list highlights it.
    shown_ = -1;
    selfTest_.reset();
    Edited();
    ShowTrack(std::min(index, static_cast<int>(tracks_.size()) - 1));
}

void TrackStore::ToggleSelected(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return;
    Track& track = tracks_[static_cast<std::size_t>(index)];
    track.selected = !track.selected;
    Changed();
}

// The user chose to clear the list: nothing is left to keep.
void TrackStore::ClearAll() {
    tracks_.clear();
    shown_ = -1;
    selfTest_.reset();
    modified_ = false;
    Changed();
}

}  // namespace vantrel
