// TrackStore, continued: the edits of a track's points and the undo history
// that every change of the list goes through.

#include <algorithm>

#include "base/NumberText.h"
#include "tracks/TrackSplit.h"
#include "tracks/TrackStore.h"

namespace vantrel {

namespace {

TrackEditResult Refused(std::string message) {
    return {false, std::move(message)};
}

TrackEditResult NotListed() {
    return Refused("Choose a track in the list first.");
}

std::string RangeText(const Track& track, PointRange range) {
    return track.name + " has " + std::to_string(track.points.size()) + " points, not points " +
           std::to_string(range.first + 1) + " to " + std::to_string(range.last + 1) + ".";
}

}  // namespace

const Track* TrackStore::Listed(int index) const {
    if (index < 0 || index >= static_cast<int>(tracks_.size())) return nullptr;
    return &tracks_[static_cast<std::size_t>(index)];
}

void TrackStore::Record(TrackStep step, bool edit) {
    const StepPlace place = history_.Do(tracks_, std::move(step));
    if (edit) modified_ = true;
    Follow(place);
}

void TrackStore::Follow(StepPlace place) {
    Changed();
    if (!place.spliced) {
        // The shown track is drawn in its colour, as it is now.
        if (static_cast<int>(place.at) == shown_) CurrentTrackColor = tracks_[place.at].color;
        return;
    }
    shown_ = -1;
    selfTest_.reset();
    ShowTrack(std::min(static_cast<int>(place.at), static_cast<int>(tracks_.size()) - 1));
}

bool TrackStore::Undo() {
    return Stepped(history_.Undo(tracks_));
}

bool TrackStore::Redo() {
    return Stepped(history_.Redo(tracks_));
}

bool TrackStore::Stepped(std::optional<StepPlace> place) {
    if (!place) return false;
    modified_ = true;
    Follow(*place);
    return true;
}

TrackEditResult TrackStore::Replace(int index, Track edited, std::string what) {
    const auto at = static_cast<std::size_t>(index);
    Record({std::move(what) + " " + tracks_[at].name,
            {TrackSplice{at, {tracks_[at]}, {std::move(edited)}}}});
    return {true, {}};
}

TrackEditResult TrackStore::Trim(int index, PointRange range) {
    const Track* track = Listed(index);
    if (!track) return NotListed();
    if (!Within(*track, range)) return Refused(RangeText(*track, range));
    if (range.Count() == track->points.size())
        return Refused("The range holds every point of " + track->name + ": nothing to trim.");
    return Replace(index, KeptPoints(*track, range), "Trim");
}

TrackEditResult TrackStore::DeletePoints(int index, PointRange range) {
    const Track* track = Listed(index);
    if (!track) return NotListed();
    if (!Within(*track, range)) return Refused(RangeText(*track, range));
    if (range.Count() == track->points.size())
        return Refused("The range holds every point of " + track->name +
                       ": delete the track instead.");
    return Replace(index, WithoutPoints(*track, range), "Delete Points of");
}

TrackEditResult TrackStore::Split(int index, std::size_t point) {
    const Track* track = Listed(index);
    if (!track) return NotListed();
    if (point == 0 || point >= track->points.size())
        return Refused("A track is split between two of its points: choose a point after the "
                       "first of " + track->name + ".");
    const auto at = static_cast<std::size_t>(index);
    const std::size_t starts[] = {point};
    Record({"Split " + track->name, {TrackSplice{at, {*track}, SplitBefore(*track, starts)}}});
    return {true, {}};
}

TrackEditResult TrackStore::Merge(std::span<const int> indices) {
    std::vector<int> sorted(indices.begin(), indices.end());
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    Tracks chosen;
    for (int index : sorted) {
        if (!Listed(index)) return NotListed();
        chosen.push_back(tracks_[static_cast<std::size_t>(index)]);
    }
    Merged merged = MergedInTimeOrder(chosen);
    if (!merged.track) return Refused("Cannot merge: " + merged.refusal + ".");
    // The merged track takes the first one's place; the others go from the
    // last up, so that each place still names its track.
    const auto first = static_cast<std::size_t>(sorted.front());
    TrackStep step{"Merge " + std::to_string(sorted.size()) + " Tracks", {}};
    step.changes.push_back(TrackSplice{first, {}, {std::move(*merged.track)}});
    std::get<TrackSplice>(step.changes.front()).removed.push_back(std::move(chosen.front()));
    for (std::size_t k = sorted.size() - 1; k > 0; --k) {
        TrackSplice removal{static_cast<std::size_t>(sorted[k]), {}, {}};
        removal.removed.push_back(std::move(chosen[k]));
        step.changes.push_back(std::move(removal));
    }
    Record(std::move(step));
    return {true, {}};
}

TrackEditResult TrackStore::DropOutliers(int index, double maxKmh) {
    const Track* track = Listed(index);
    if (!track) return NotListed();
    if (!(maxKmh > 0)) return Refused("The speed limit must be above 0 km/h.");
    Track kept = WithoutOutliers(*track, maxKmh);
    if (kept.points.size() == track->points.size())
        return Refused("No point of " + track->name + " implies a speed above " +
                       FormatGeneral(maxKmh, '.') + " km/h.");
    return Replace(index, std::move(kept), "Drop Outliers of");
}

}  // namespace vantrel
