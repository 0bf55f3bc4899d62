// The file commands end to end: a generated track memory assembled into a
// track file, described by info and converted to KML.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "sim/Routes.h"
#include "support/ScratchFolder.h"

namespace vantrel::cli {
namespace {

using vantrel::testing::ScratchFolder;

int Call(int (*command)(Args), std::vector<std::string> args) {
    return command(args);
}

std::string InfoText(const std::string& path) {
    ::testing::internal::CaptureStdout();
    const int code = Call(RunInfo, {path});
    std::string text = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(code, kOk) << text;
    return text;
}

TEST(FileCommands, AssembleThenDescribeAndConvertATrackFile) {
    ScratchFolder folder;
    const std::string memory = (folder / "memory.bin").string();
    const std::string trk = (folder / "day.trk").string();
    ASSERT_TRUE(
        WriteFileAtomically(memory, sim::LayOutTrackMemory(sim::GenerateTrackPoints(2, 5))));
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(Call(RunAssemble, {memory, trk, "--zone", "0"}), kOk);
    ::testing::internal::GetCapturedStdout();

    const std::string info = InfoText(trk);
    EXPECT_NE(info.find("tracks: 2\n"), std::string::npos) << info;
    // Name, points, first and last time (UTC: the GPS time of the log less
    // the 15 leap seconds of 2011), duration, moving time, distance, ascent,
    // descent, lowest and highest altitude, mean, moving and top speed and
    // colour (255 is red).
    EXPECT_NE(info.find("1  Track0       5  2011-01-25 14:13:05  2011-01-25 14:13:25   0:00:20  "
                        "0:00:20  0.030         0          0       361        365        5.3   "
                        "       5.3       5.4  #FF0000\n"),
              std::string::npos)
        << info;
    EXPECT_NE(info.find("2  Track1       5  2011-01-25 16:13:30"), std::string::npos) << info;

    // The same figures as CSV, at UTC whatever --zone says of the display.
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(Call(RunInfo, {trk, "--csv", "--zone", "0"}), kOk);
    const std::string csv = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1),
              "track,points,start,end,duration_s,moving_s,km,ascent_m,descent_m,min_alt_m,"
              "max_alt_m,top_kmh,mean_kmh,moving_kmh\r\n");
    EXPECT_NE(csv.find("\nTrack0,5,2011-01-25T14:13:05Z,2011-01-25T14:13:25Z,20,20,0.030,0.0,"),
              std::string::npos)
        << csv;

    ::testing::internal::CaptureStdout();
    ASSERT_EQ(Call(RunConvert, {trk, (folder / "day.kml").string(), "--zone", "+2"}), kOk);
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(ReadFileBytes(folder / "day.kml")->substr(0, 5), "<?xml");
}

// A track file cut short or damaged is read up to the damage: what came
// before it is written, stderr says what was left out, and the exit code is 7.
TEST(FileCommands, DamagedTrackFilesAreReadUpToTheDamage) {
    ScratchFolder folder;
    const std::string memory = (folder / "memory.bin").string();
    const std::string trk = (folder / "day.trk").string();
    ASSERT_TRUE(
        WriteFileAtomically(memory, sim::LayOutTrackMemory(sim::GenerateTrackPoints(2, 5))));
    ASSERT_EQ(Call(RunAssemble, {memory, trk, "--zone", "0", "-q"}), kOk);
    const std::string whole = *ReadFileBytes(trk);
    const std::size_t secondTrack = whole.find("2011/1/25  16:13:30");
    ASSERT_NE(secondTrack, std::string::npos);
    struct Case {
        const char* what;
        std::string bytes;
        const char* says;
    };
    const Case cases[] = {
        {"cut inside the last point's speed", whole.substr(0, whole.find("\r\n\r\n\r\n") - 1),
         "row 10 (Track1, point 5): the file ends inside it"},
        {"cut after the first track", whole.substr(0, secondTrack),
         "row 6 (Track1, point 1): the file ends before it; left out: 5 points of Track1"},
        {"a time turned to text", std::string(whole).replace(secondTrack, 4, "then"),
         "row 6 (Track1, point 1): the time"},
    };
    for (const Case& c : cases) {
        const std::string damaged = (folder / "damaged.trk").string();
        ASSERT_TRUE(WriteFileAtomically(damaged, c.bytes));
        const std::string gpx = (folder / "damaged.gpx").string();
        ::testing::internal::CaptureStderr();
        const int converted = Call(RunConvert, {damaged, gpx, "--zone", "0", "-q"});
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(converted, kIncomplete) << c.what;
        EXPECT_NE(errors.find(c.says), std::string::npos) << c.what << ": " << errors;
        EXPECT_NE(ReadFileBytes(gpx)->find("<name>Track0</name>"), std::string::npos) << c.what;
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(Call(RunInfo, {damaged, "--zone", "0"}), kIncomplete) << c.what;
        const std::string info = ::testing::internal::GetCapturedStdout();
        ::testing::internal::GetCapturedStderr();
        EXPECT_NE(info.find("1  Track0       5"), std::string::npos) << c.what << ": " << info;
    }
}

TEST(FileCommands, ZoneAndFileErrorsAreRefused) {
    ScratchFolder folder;
    const std::string trk = (folder / "none.trk").string();
    EXPECT_EQ(Call(RunAssemble, {trk, trk, "--zone", "24"}), kUsage);
    EXPECT_EQ(Call(RunInfo, {trk, "--zone"}), kUsage);
    EXPECT_EQ(Call(RunInfo, {trk}), kBadFile);
    EXPECT_EQ(Call(RunInfo, {(folder / "notes.txt").string()}), kUsage);
    EXPECT_EQ(Call(RunInfo, {(folder / "plan.rte").string(), "--csv"}), kUsage);
    EXPECT_EQ(Call(RunConvert, {trk, (folder / "x.shp").string()}), kUsage);
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

}  // namespace
}  // namespace vantrel::cli
