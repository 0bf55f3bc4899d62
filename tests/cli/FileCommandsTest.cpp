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
