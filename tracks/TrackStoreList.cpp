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

// "Rename Day 3", "Recolour Day 3", "Modify Day 3" when more changed.
std::string ModifyText(const TrackTag& before, const TrackTag& after) {
    const bool renamed = before.name != after.name;
    const bool recoloured = before.color != after.color;
    const bool reselected = before.selected != after.selected;
    if (renamed + recoloured + reselected > 1) return "Modify " + before.name;
    if (renamed) return "Rename " + before.name;
    if (recoloured) return "Recolour " + before.name;
    return (after.selected ? "Select " : "Deselect ") + before.name;
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
    const Track& track = tracks_[static_cast<std::size_t>(index)];
    // The list shows what a track file can keep of the name.
    const TrackTag after{EntryNameOf(ModifyDialog.name), ModifyDialog.trackColor,
                         ModifyDialog.save};
    CurrentTrackColor = ModifyDialog.trackColor;
    const TrackTag before = TagOf(track);
    if (after == before) {
        Edited();
        return;
    }
    Retag(index, after, ModifyText(before, after));
}

void TrackStore::DeleteListedTrack(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return;
    // The point grid shows the track that takes the row (the one above when
    // the last went), as the list highlights it.
    const Track& track = tracks_[static_cast<std::size_t>(index)];
    Record({"Delete " + track.name, {TrackSplice{static_cast<std::size_t>(index), {track}, {}}}});
}

void TrackStore::ToggleSelected(int row) {
    const int index = EntryIndex(row);
    if (index < 0) return;
    const Track& track = tracks_[static_cast<std::size_t>(index)];
    TrackTag after = TagOf(track);
    after.selected = !after.selected;
    // Ticking changes what is drawn and saved, not the tracks themselves.
    Retag(index, after, (after.selected ? "Select " : "Deselect ") + track.name, false);
}

// The user chose to clear the list: nothing is left to keep.
void TrackStore::ClearAll() {
    if (!tracks_.empty()) Record({"Clear All", {TrackSplice{0, tracks_, {}}}});
    shown_ = -1;
    selfTest_.reset();
    modified_ = false;
    Changed();
}

void TrackStore::Retag(int index, const TrackTag& after, std::string what, bool edit) {
    const auto at = static_cast<std::size_t>(index);
    Record({std::move(what), {TrackRetag{at, TagOf(tracks_[at]), after}}}, edit);
}

}  // namespace vantrel
