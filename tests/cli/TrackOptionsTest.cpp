// The track options of the commands that write tracks, alone and composed,
// on a track file whose every point is known; and refused values, which
// write nothing.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "sim/Routes.h"
#include "support/ScratchFolder.h"
#include "tests/cli/QuietCall.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {
namespace {

using namespace std::chrono;
using vantrel::testing::ScratchFolder;

const Seconds kStart = sys_days{year{2011} / September / 14} + hours{8};

// `count` fixes 10 s apart from `second` after 08:00:00 UTC, 111 m apart.
Track Walk(const char* name, int second, int count) {
    Track track{name, 255, 1, true, {}};
    for (int i = 0; i < count; ++i)
        track.points.push_back({kStart + seconds{second + 10 * i}, 47 + 0.001 * i, 8, 400, 40});
    return track;
}

// Day 1 from 08:00:00 (its fix of 08:00:30 thrown 5.5 km off), Day 2 from
// 09:00:00, Day 3 from 10:00:00.
Tracks Walks() {
    Tracks walks = {Walk("Day 1", 0, 6), Walk("Day 2", 3600, 4), Walk("Day 3", 7200, 3)};
    walks[0].points[3].latitude += 0.05;
    return walks;
}

// Each track's name and the seconds after 08:00:00 of its points.
using Seconded = std::map<std::string, std::vector<int>>;

Seconded SecondsOf(const Tracks& tracks) {
    Seconded out;
    for (const Track& track : tracks)
        for (const TrackPoint& p : track.points)
            out[track.name].push_back(static_cast<int>((p.time - kStart).count()));
    return out;
}

// The files are saved two hours ahead of UTC, and --zone says so.
const TrackFileFormat kSavedAt{ZoneOffset::Hours(2)};

class TrackOptions : public ::testing::Test {
  protected:
    TrackOptions() {
        EXPECT_TRUE(WriteFileAtomically(In(), TrackFileBytes(Walks(), kSavedAt)));
    }
    std::string In() const { return folder_.File("in.trk"); }
    std::string Out() const { return folder_.File("out.trk"); }
    int Convert(std::vector<std::string> options) {
        std::vector<std::string> args = {In(), Out(), "--zone", "2"};
        args.insert(args.end(), options.begin(), options.end());
        return Call(RunConvert, args);
    }
    Seconded Written() const {
        return SecondsOf(ReadTrackFile(*ReadFileBytes(Out()), kSavedAt).tracks);
    }

    ScratchFolder folder_;
};

TEST_F(TrackOptions, EachOptionAndAllInTheirOrderKeepTheExpectedPoints) {
    struct Case {
        std::vector<std::string> options;
        Seconded written;
    };
    const Case cases[] = {
        {{"--from", "2011-09-14T08:00:20Z", "--to", "2011-09-14T11:00:10+02:00"},
         {{"Day 1", {20, 30, 40, 50}}, {"Day 2", {3600, 3610}}}},
        // As the list shows it, at --zone: 08:00:40 UTC.
        {{"--from", "2011/09/14 10:00:40"},
         {{"Day 1", {40, 50}}, {"Day 2", {3600, 3610, 3620, 3630}}, {"Day 3", {7200, 7210, 7220}}}},
        {{"--to=2011/9/14  10:0:10"}, {{"Day 1", {0, 10}}}},
        {{"--split-at", "2011-09-14T08:00:25Z,2011-09-14T09:00:20Z,2011-09-14T12:00:00Z"},
         {{"Day 1", {0, 10, 20}},
          {"Day 1.2", {30, 40, 50}},
          {"Day 2", {3600, 3610}},
          {"Day 2.2", {3620, 3630}},
          {"Day 3", {7200, 7210, 7220}}}},
        {{"--merge"},
         {{"Day 1", {0, 10, 20, 30, 40, 50, 3600, 3610, 3620, 3630, 7200, 7210, 7220}}}},
        {{"--max-speed", "300"},
         {{"Day 1", {0, 10, 20, 40, 50}}, {"Day 2", {3600, 3610, 3620, 3630}},
          {"Day 3", {7200, 7210, 7220}}}},
        // Trimmed, split, merged again and rid of the outlier, whatever
        // order the options are given in.
        {{"--max-speed", "300", "--merge", "--split-at", "2011-09-14T08:00:30Z", "--from",
          "2011-09-14T08:00:10Z", "--to", "2011-09-14T09:00:30Z"},
         {{"Day 1", {10, 20, 40, 50, 3600, 3610, 3620, 3630}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.front());
        ASSERT_EQ(Convert(c.options), kOk);
        EXPECT_EQ(Written(), c.written);
    }
    // assemble edits what it decodes: two generated tracks, one after the other.
    const std::string memory = folder_.File("memory.bin");
    ASSERT_TRUE(WriteFileAtomically(memory, sim::LayOutTrackMemory(sim::GenerateTrackPoints(2, 5))));
    ASSERT_EQ(Call(RunAssemble, {memory, Out(), "--zone", "2", "--merge", "--max-speed", "300"}),
              kOk);
    const Seconded merged = Written();
    ASSERT_EQ(merged.size(), 1u);
    EXPECT_EQ(merged.begin()->second.size(), 10u);
}

TEST_F(TrackOptions, ValuesThatCannotBeDoneAreRefusedAndWriteNothing) {
    Tracks overlapping = Walks();
    overlapping[1] = Walk("Day 2", 15, 2);
    ASSERT_TRUE(
        WriteFileAtomically(folder_.File("overlap.trk"), TrackFileBytes(overlapping, kSavedAt)));
    ASSERT_TRUE(WriteFileAtomically(folder_.File("plan.rte"), std::string(64, '\0')));
    struct Case {
        std::vector<std::string> args;
    };
    const std::string gpx = folder_.File("out.gpx");
    const Case cases[] = {
        {{In(), gpx, "--from", "2011-09-14T12:00:00Z"}},  // a range that keeps no point
        {{In(), gpx, "--from", "2011-09-14T09:00:00Z", "--to", "2011-09-14T08:00:00Z"}},
        {{In(), gpx, "--from", "2011-09-14T08:00:00"}},   // an ISO time without its zone
        {{In(), gpx, "--to", "yesterday"}},
        {{In(), gpx, "--split-at", "2011-09-14T08:00:25Z,"}},
        {{In(), gpx, "--max-speed", "0"}},
        {{In(), gpx, "--max-speed", "fast"}},
        {{In(), gpx, "--merge=yes"}},
        {{folder_.File("overlap.trk"), gpx, "--merge"}},
        {{folder_.File("plan.rte"), folder_.File("plan.csv"), "--merge"}},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.args[2]);
        c.args.insert(c.args.end(), {"--zone", "2"});
        EXPECT_EQ(Call(RunConvert, c.args), kUsage);
        EXPECT_FALSE(std::filesystem::exists(gpx));
        EXPECT_FALSE(std::filesystem::exists(folder_.File("plan.csv")));
    }
    EXPECT_EQ(Call(RunDownload, {"plan", folder_.File("p.rte"), "--to", "2011-09-14T08:00:00Z"}),
              kUsage);
}

}  // namespace
}  // namespace vantrel::cli
