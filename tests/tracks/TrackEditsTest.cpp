// The track edits and the undo history on a store of three small tracks:
// each step leaves the points, names and distances expected, undo brings
// back exactly the tracks before, redo the tracks after; refused edits
// change nothing and leave nothing to undo.

#include <gtest/gtest.h>

#include <functional>

#include "TrackFixture.h"
#include "tracks/TrackEdits.h"

namespace vantrel::testing {
namespace {

using namespace std::chrono;

const Seconds kStart = sys_days{year{2011} / September / 14} + hours{8};

// `count` fixes 10 s apart, from `second` after the start, walking north
// 0.001 degrees (about 111 m) at a time.
Track Walk(const char* name, int second, int count, std::uint32_t color = 255) {
    Track track{name, color, 1, true, {}};
    for (int i = 0; i < count; ++i)
        track.points.push_back({kStart + seconds{second + 10 * i}, 47 + 0.001 * i, 8, 400, 40});
    return track;
}

Tracks ThreeWalks() {
    Track day1 = Walk("Day 1", 0, 6);
    day1.points[3].latitude += 0.05;  // a fix thrown 5.5 km off: 2000 km/h there and back
    return {day1, Walk("Day 2", 3600, 4, 0x00FF00), Walk("Day 3", 7200, 3, 0xFF0000)};
}

// A track of the expected result: `name` with points `keep` of `from`.
Track Piece(const Track& from, const char* name, std::vector<std::size_t> keep) {
    Track piece = from;
    piece.name = name;
    piece.points.clear();
    for (std::size_t i : keep)
        piece.points.push_back(from.points[i]);
    return piece;
}

std::vector<double> Kilometres(const Tracks& tracks) {
    std::vector<double> km;
    for (const Track& track : tracks)
        km.push_back(TrackKm(track));
    return km;
}

class TrackEditsTest : public TrackFixture {
  protected:
    TrackEditsTest() { store.Load(ThreeWalks(), HeightReference::MeanSeaLevel); }
};

TEST_F(TrackEditsTest, EachStepUndoesToTheTracksBeforeAndRedoesToThoseAfter) {
    const Tracks w = ThreeWalks();
    Track renamed = w[1];
    renamed.name = "Ridge";
    Track recoloured = w[1];
    recoloured.color = 0x123456;
    Track unselected = w[0];
    unselected.selected = false;
    Track merged = Piece(w[0], "Day 1", {0, 1, 2, 3, 4, 5});
    merged.points.insert(merged.points.end(), w[2].points.begin(), w[2].points.end());
    auto modify = [](int row, std::string name, std::uint32_t color) {
        return [=](TrackStore& s) {
            s.ModifyDialog = {name, true, color};
            s.ApplyModify(row);
            return TrackEditResult{true, {}};
        };
    };
    struct Case {
        const char* what;  // the undo text
        std::function<TrackEditResult(TrackStore&)> step;
        Tracks after;
        int shown;
    };
    const Case cases[] = {
        {"Trim Day 1", [](TrackStore& s) { return s.Trim(0, {1, 3}); },
         {Piece(w[0], "Day 1", {1, 2, 3}), w[1], w[2]}, 0},
        {"Delete Points of Day 1", [](TrackStore& s) { return s.DeletePoints(0, {2, 4}); },
         {Piece(w[0], "Day 1", {0, 1, 5}), w[1], w[2]}, 0},
        {"Split Day 2", [](TrackStore& s) { return s.Split(1, 1); },
         {w[0], Piece(w[1], "Day 2", {0}), Piece(w[1], "Day 2.2", {1, 2, 3}), w[2]}, 1},
        {"Merge 2 Tracks",
         [](TrackStore& s) {
             const int rows[] = {2, 0};
             return s.Merge(rows);
         },
         {merged, w[1]}, 0},
        {"Drop Outliers of Day 1", [](TrackStore& s) { return s.DropOutliers(0); },
         {Piece(w[0], "Day 1", {0, 1, 2, 4, 5}), w[1], w[2]}, 0},
        {"Rename Day 2", modify(2, "Ridge", 0x00FF00), {w[0], renamed, w[2]}, 0},
        {"Recolour Day 2", modify(2, "Day 2", 0x123456), {w[0], recoloured, w[2]}, 0},
        {"Deselect Day 1",
         [](TrackStore& s) {
             s.ToggleSelected(1);
             return TrackEditResult{true, {}};
         },
         {unselected, w[1], w[2]}, 0},
        {"Delete Day 2",
         [](TrackStore& s) {
             s.DeleteListedTrack(2);
             return TrackEditResult{true, {}};
         },
         {w[0], w[2]}, 1},
        {"Clear All",
         [](TrackStore& s) {
             s.ClearAll();
             return TrackEditResult{true, {}};
         },
         {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        store.Load(ThreeWalks(), HeightReference::MeanSeaLevel);
        const Tracks before = store.List();
        const std::vector<double> kmBefore = Kilometres(before);
        EXPECT_EQ(store.UndoText(), "Undo");
        const TrackEditResult result = c.step(store);
        EXPECT_TRUE(result.done) << result.message;
        EXPECT_EQ(store.List(), c.after);
        EXPECT_EQ(Kilometres(store.List()), Kilometres(c.after));
        EXPECT_EQ(store.ShownIndex(), c.shown);
        EXPECT_EQ(store.UndoText(), std::string("Undo ") + c.what);
        ASSERT_TRUE(store.Undo());
        EXPECT_EQ(store.List(), before);
        EXPECT_EQ(Kilometres(store.List()), kmBefore);
        EXPECT_TRUE(store.Modified());
        EXPECT_EQ(store.RedoText(), std::string("Redo ") + c.what);
        EXPECT_FALSE(store.Undo());
        ASSERT_TRUE(store.Redo());
        EXPECT_EQ(store.List(), c.after);
        EXPECT_FALSE(store.Redo());
    }
}

TEST_F(TrackEditsTest, RefusedEditsSayWhyAndChangeNothing) {
    struct Case {
        std::function<TrackEditResult(TrackStore&)> edit;
        const char* says;
    };
    const Case cases[] = {
        {[](TrackStore& s) { return s.Trim(0, {4, 6}); }, "Day 1 has 6 points, not points 5 to 7"},
        {[](TrackStore& s) { return s.Trim(0, {3, 2}); }, "not points 4 to 3"},
        {[](TrackStore& s) { return s.Trim(0, {0, 5}); }, "nothing to trim"},
        {[](TrackStore& s) { return s.DeletePoints(1, {0, 3}); }, "delete the track instead"},
        {[](TrackStore& s) { return s.Split(0, 0); }, "after the first of Day 1"},
        {[](TrackStore& s) { return s.Split(2, 3); }, "after the first of Day 3"},
        {[](TrackStore& s) { return s.Trim(3, {0, 0}); }, "Choose a track"},
        {[](TrackStore& s) { return s.DropOutliers(-1); }, "Choose a track"},
        {[](TrackStore& s) { return s.DropOutliers(1); }, "No point of Day 2 implies a speed "
                                                          "above 300 km/h"},
        {[](TrackStore& s) { return s.DropOutliers(0, 0); }, "above 0 km/h"},
        {[](TrackStore& s) {
             const int one[] = {1, 1};
             return s.Merge(one);
         },
         "two tracks or more"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        const TrackEditResult result = c.edit(store);
        EXPECT_FALSE(result.done);
        EXPECT_NE(result.message.find(c.says), std::string::npos) << result.message;
        EXPECT_EQ(store.List(), ThreeWalks());
        EXPECT_FALSE(store.CanUndo());
    }
    // Tracks that overlap in time would zigzag between the two paths.
    Tracks overlapping = ThreeWalks();
    overlapping[1] = Walk("Day 2", 25, 4);
    store.Load(overlapping, HeightReference::MeanSeaLevel);
    const int both[] = {0, 1};
    EXPECT_EQ(store.Merge(both).message,
              "Cannot merge: Day 1 and Day 2 overlap in time; only tracks that follow one "
              "another can be merged.");
    EXPECT_EQ(store.List(), overlapping);
}

TEST_F(TrackEditsTest, StepsUndoInTurnAndANewStepOrALoadEndsWhatCouldBeRedone) {
    ASSERT_TRUE(store.Trim(0, {0, 2}).done);
    ASSERT_TRUE(store.Split(0, 1).done);
    store.DeleteListedTrack(4);
    EXPECT_EQ(store.UndoText(), "Undo Delete Day 3");
    ASSERT_TRUE(store.Undo());
    EXPECT_EQ(store.UndoText(), "Undo Split Day 1");
    ASSERT_TRUE(store.Undo());
    EXPECT_EQ(store.List()[0].points.size(), 3u);
    EXPECT_EQ(store.RedoText(), "Redo Split Day 1");
    // Walks at 40 km/h under a limit of 1 km/h never come back: nothing goes.
    EXPECT_FALSE(store.DropOutliers(0, 1).done);
    EXPECT_TRUE(store.CanRedo());
    store.ToggleSelected(1);
    EXPECT_FALSE(store.CanRedo());
    ASSERT_TRUE(store.Undo());
    ASSERT_TRUE(store.Undo());
    EXPECT_EQ(store.List(), ThreeWalks());
    EXPECT_FALSE(store.CanUndo());
    ASSERT_TRUE(store.Redo());
    store.Load(ThreeWalks(), HeightReference::MeanSeaLevel);
    EXPECT_FALSE(store.CanUndo());
    EXPECT_FALSE(store.CanRedo());
    EXPECT_FALSE(store.Modified());
}

// Outliers on a walk of 10 s legs of 111 m (40 km/h).
TEST(WithoutOutliers, DropsExcursionsTheTrackComesBackFromAndNothingElse) {
    struct Case {
        const char* what;
        std::vector<std::size_t> thrown;  // fixes moved 0.05 degrees (5.5 km) east
        double maxKmh;
        std::vector<std::size_t> kept;
    };
    const Case cases[] = {
        {"one fix", {4}, 300, {0, 1, 2, 3, 5, 6, 7, 8, 9}},
        {"three fixes in a row", {3, 4, 5}, 300, {0, 1, 2, 6, 7, 8, 9}},
        {"the first fix", {0}, 300, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"the last fix, with no way back", {9}, 300, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"a walk faster than a low limit", {}, 20, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"a limit above the jump", {4}, 5000, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Track walk = Walk("Walk", 0, 10);
        Track thrown = walk;
        for (std::size_t i : c.thrown)
            thrown.points[i].longitude += 0.05;
        const Track kept = WithoutOutliers(thrown, c.maxKmh);
        std::vector<std::size_t> left;
        for (const TrackPoint& p : kept.points)
            left.push_back(static_cast<std::size_t>((p.time - kStart).count() / 10));
        EXPECT_EQ(left, c.kept);
    }
}

}  // namespace
}  // namespace vantrel::testing
