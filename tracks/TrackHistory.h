#pragma once
// The undo and redo history of the track list. Every change of the listed
// tracks is a step of changes, each undone by its inverse: a splice
// (tracks replaced by others at a place in the list) or a retag (a track's
// name, colour or selection, without copying its points).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "tracks/Track.h"

namespace vantrel {

// The tracks at `at` that were `removed` and the ones `inserted` there.
struct TrackSplice {
    std::size_t at = 0;
    Tracks removed;
    Tracks inserted;
};

// What the list shows of a track besides its points.
struct TrackTag {
    std::string name;
    std::uint32_t color = 255;
    bool selected = true;
    friend bool operator==(const TrackTag&, const TrackTag&) = default;
};
TrackTag TagOf(const Track& track);

struct TrackRetag {
    std::size_t at = 0;
    TrackTag before;
    TrackTag after;
};

using TrackChange = std::variant<TrackSplice, TrackRetag>;

// One step the user took: "Trim Day 3".
struct TrackStep {
    std::string what;
    std::vector<TrackChange> changes;  // applied in order
};

// Where a step leaves the list: the place of its first change, and whether
// it changed points (a retag leaves the point grid as it was).
struct StepPlace {
    std::size_t at = 0;
    bool spliced = false;
};

class TrackHistory {
  public:
    // The oldest steps are forgotten beyond these many, or beyond this many
    // points kept for them (the latest step is always kept).
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::size_t kMaxKeptPoints = 2'000'000;

    // Applies a step to `tracks` and records it; what was undone cannot be
    // redone after it.
    StepPlace Do(Tracks& tracks, TrackStep step);
    // Undoes the latest step, or redoes the latest undone one; nothing when
    // there is none.
    std::optional<StepPlace> Undo(Tracks& tracks);
    std::optional<StepPlace> Redo(Tracks& tracks);
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // "Undo Trim Day 3", "Redo Merge 2 Tracks"; "Undo" and "Redo" when there
    // is nothing to undo or redo.
    std::string UndoText() const;
    std::string RedoText() const;
    void Clear();

  private:
    void Forget();

    std::vector<TrackStep> done_;
    std::vector<TrackStep> undone_;
};

}  // namespace vantrel
