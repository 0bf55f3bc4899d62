#include "tracks/TrackHistory.h"

#include <algorithm>
#include <utility>

namespace vantrel {

namespace {

void Apply(Tracks& tracks, const TrackSplice& splice) {
    const auto at = tracks.begin() + static_cast<std::ptrdiff_t>(splice.at);
    const auto end = tracks.erase(at, at + static_cast<std::ptrdiff_t>(splice.removed.size()));
    tracks.insert(end, splice.inserted.begin(), splice.inserted.end());
}

void Apply(Tracks& tracks, const TrackRetag& retag) {
    Track& track = tracks[retag.at];
    track.name = retag.after.name;
    track.color = retag.after.color;
    track.selected = retag.after.selected;
}

TrackChange Inverse(const TrackChange& change) {
    if (const auto* splice = std::get_if<TrackSplice>(&change))
        return TrackSplice{splice->at, splice->inserted, splice->removed};
    const auto& retag = std::get<TrackRetag>(change);
    return TrackRetag{retag.at, retag.after, retag.before};
}

StepPlace PlaceOf(const TrackChange& change) {
    return std::visit([](const auto& c) { return StepPlace{c.at, false}; }, change);
}

StepPlace ApplyAll(Tracks& tracks, const std::vector<TrackChange>& changes) {
    StepPlace place;
    for (const TrackChange& change : changes) {
        std::visit([&](const auto& c) { Apply(tracks, c); }, change);
        place.spliced = place.spliced || std::holds_alternative<TrackSplice>(change);
    }
    if (!changes.empty()) place.at = PlaceOf(changes.front()).at;
    return place;
}

std::vector<TrackChange> Inverted(const std::vector<TrackChange>& changes) {
    std::vector<TrackChange> inverse;
    for (auto it = changes.rbegin(); it != changes.rend(); ++it)
        inverse.push_back(Inverse(*it));
    return inverse;
}

std::size_t KeptPoints(const TrackStep& step) {
    std::size_t points = 0;
    for (const TrackChange& change : step.changes)
        if (const auto* splice = std::get_if<TrackSplice>(&change))
            points += PointCount(splice->removed) + PointCount(splice->inserted);
    return points;
}

std::string Labelled(std::string_view verb, const std::vector<TrackStep>& steps) {
    return steps.empty() ? std::string(verb) : std::string(verb) + " " + steps.back().what;
}

}  // namespace

TrackTag TagOf(const Track& track) {
    return {track.name, track.color, track.selected};
}

StepPlace TrackHistory::Do(Tracks& tracks, TrackStep step) {
    const StepPlace place = ApplyAll(tracks, step.changes);
    done_.push_back(std::move(step));
    undone_.clear();
    Forget();
    return place;
}

std::optional<StepPlace> TrackHistory::Undo(Tracks& tracks) {
    if (done_.empty()) return std::nullopt;
    TrackStep step = std::move(done_.back());
    done_.pop_back();
    StepPlace place = ApplyAll(tracks, Inverted(step.changes));
    // The list shows where the step began, as it did when the step was taken.
    place.at = PlaceOf(step.changes.front()).at;
    undone_.push_back(std::move(step));
    return place;
}

std::optional<StepPlace> TrackHistory::Redo(Tracks& tracks) {
    if (undone_.empty()) return std::nullopt;
    TrackStep step = std::move(undone_.back());
    undone_.pop_back();
    const StepPlace place = ApplyAll(tracks, step.changes);
    done_.push_back(std::move(step));
    return place;
}

std::string TrackHistory::UndoText() const { return Labelled("Undo", done_); }
std::string TrackHistory::RedoText() const { return Labelled("Redo", undone_); }

void TrackHistory::Clear() {
    done_.clear();
    undone_.clear();
}

void TrackHistory::Forget() {
    std::size_t points = 0;
    for (const TrackStep& step : done_)
        points += KeptPoints(step);
    std::size_t drop = 0;
    while (done_.size() - drop > 1 &&
           (done_.size() - drop > kMaxSteps || points > kMaxKeptPoints)) {
        points -= KeptPoints(done_[drop]);
        ++drop;
    }
    done_.erase(done_.begin(), done_.begin() + static_cast<std::ptrdiff_t>(drop));
}

}  // namespace vantrel
