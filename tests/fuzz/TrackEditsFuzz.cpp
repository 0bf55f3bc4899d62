// The track store's edits and its history under any sequence of steps, undos
// and redos: each undo brings back exactly the tracks before the step, each
// redo those after it, a step that changes nothing is no step, and the
// shown track is always a listed one.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/fuzz/FuzzCheck.h"
#include "tracks/TrackStore.h"

namespace {

using namespace std::chrono;
using vantrel::Track;
using vantrel::Tracks;
using vantrel::TrackStore;

// Four tracks: two that follow one another, one that overlaps the first, one
// with a fix thrown far off.
Tracks Start() {
    const vantrel::Seconds t0 = sys_days{year{2011} / September / 14} + hours{8};
    auto walk = [&](const char* name, int second, int count) {
        Track track{name, 255, 1, true, {}};
        for (int i = 0; i < count; ++i)
            track.points.push_back({t0 + seconds{second + 10 * i}, 47 + 0.001 * i, 8, 400, 40});
        return track;
    };
    Tracks tracks = {walk("A", 0, 6), walk("B", 100, 4), walk("C", 30, 5), walk("D", 500, 7)};
    tracks[3].points[2].latitude += 0.05;
    return tracks;
}

class Steps {
  public:
    Steps(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    int Next(int below) { return More() ? data_[at_++] % below : 0; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// One edit or list operation chosen by the input.
void Edit(TrackStore& store, Steps& steps) {
    const int count = static_cast<int>(store.List().size());
    const int index = steps.Next(count + 1);  // one past the list too
    const std::size_t a = static_cast<std::size_t>(steps.Next(9));
    const std::size_t b = static_cast<std::size_t>(steps.Next(9));
    switch (steps.Next(8)) {
        case 0: store.Trim(index, {a, b}); break;
        case 1: store.DeletePoints(index, {a, b}); break;
        case 2: store.Split(index, a); break;
        case 3: {
            const int rows[] = {index, static_cast<int>(a) % (count + 1), static_cast<int>(b)};
            store.Merge({rows, 1 + b % 3});
            break;
        }
        case 4: store.DropOutliers(index, 50.0 * static_cast<double>(a)); break;
        case 5:
            store.ModifyDialog = {b % 2 ? "Renamed" : "A", a % 2 == 0, 255u + static_cast<unsigned>(b)};
            store.ApplyModify(index + 1);
            break;
        case 6: store.ToggleSelected(index + 1); break;
        default: a % 4 == 0 ? store.ClearAll() : store.DeleteListedTrack(index + 1); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 256) return 0;  // the history keeps the last 100 steps
    vantrel::AppValues values;
    TrackStore store(values);
    store.Load(Start(), vantrel::HeightReference::MeanSeaLevel);
    std::vector<Tracks> past = {store.List()}, future;
    Steps steps(data, size);
    while (steps.More()) {
        switch (steps.Next(5)) {
            case 0:
                if (store.Undo()) {
                    FUZZ_CHECK(past.size() > 1);
                    future.push_back(past.back());
                    past.pop_back();
                } else {
                    FUZZ_CHECK(past.size() == 1);
                }
                break;
            case 1:
                if (store.Redo()) {
                    FUZZ_CHECK(!future.empty());
                    past.push_back(future.back());
                    future.pop_back();
                } else {
                    FUZZ_CHECK(future.empty());
                }
                break;
            default: {
                const bool couldRedo = store.CanRedo();
                Edit(store, steps);
                if (store.List() != past.back()) {
                    past.push_back(store.List());
                    future.clear();
                } else {
                    FUZZ_CHECK(store.CanRedo() == couldRedo);  // no step was taken
                }
            }
        }
        FUZZ_CHECK(store.List() == past.back());
        FUZZ_CHECK(store.CanUndo() == (past.size() > 1));
        FUZZ_CHECK(store.CanRedo() == !future.empty());
        FUZZ_CHECK(store.ShownIndex() < static_cast<int>(store.List().size()));
    }
    return 0;
}
