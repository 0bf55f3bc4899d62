// vantrel-cli geotag over real photos, with its tracks from GPX, from a raw
// memory image and from the simulated device: the line of each photo, the
// exit code, and what was written (nothing on a dry run).

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "sim/Simulator.h"
#include "support/PhotoFiles.h"
#include "support/ScratchFolder.h"
#include "tracks/TrackExports.h"
#include "tracks/TrackMemory.h"

namespace vantrel::cli {
namespace {

using vantrel::testing::ReadFile;

std::string ExifTime(Seconds t) {
    std::string text = IsoTimeText(t).substr(0, 19);
    text[4] = text[7] = ':';
    text[10] = ' ';
    return text;
}

TEST(GeotagCommand, LinesAndExitCodesFromEveryKindOfTrack) {
    sim::Simulator device(sim::DemoMemory(2, 300));
    device.Start();
    testing::ScratchFolder folder;
    const auto& memory = device.Memory().tracks;
    TrackDecoding decoding;
    const Tracks tracks = DecodeTrackMemory(memory, decoding).tracks;
    ASSERT_FALSE(tracks.empty());
    const Seconds inside = tracks[0].points[10].time + std::chrono::seconds(3);
    ASSERT_TRUE(WriteFileAtomically(folder.File("walk.gpx"), GpxTracksText(tracks)));
    ASSERT_TRUE(WriteFileAtomically(folder.File("memory.bin"), std::string(memory.begin(), memory.end())));
    testing::MakePhoto(folder / "photos/in.jpg", testing::PhotoKind::Jpeg, {ExifTime(inside)});
    testing::MakePhoto(folder / "photos/day-after.jpg", testing::PhotoKind::Jpeg,
                       {ExifTime(inside + std::chrono::days(1))});
    testing::WriteFile(folder / "broken.jpg", "text");
    const std::string untouched = ReadFile(folder / "photos/in.jpg");

    struct Case {
        std::vector<std::string> args;
        int code;
        std::vector<std::string> said;  // in the lines or the summary
        bool written;                   // in.jpg changed since the start
    } cases[] = {
        {{"photos", "--track", "walk.gpx", "--camera-zone", "UTC", "--dry-run"}, kOk,
         {"in.jpg  ", "would write the file", "day-after.jpg", "outside the tracks by",
          "2 photos: 1 would be written, 1 unplaced (dry run: nothing was written)"},
         false},
        // A camera a day ahead: the offset brings the other photo onto the track.
        {{"photos", "--track", "memory.bin", "--camera-zone", "+00:00", "--offset", "-86400",
          "--dry-run"},
         kOk, {"day-after.jpg  ", "would write"}, false},
        {{"broken.jpg", "--track", "walk.gpx"}, kBadFile, {"cannot read"}, false},
        {{"photos", "walk.gpx"}, kUsage, {}, false},
        {{"photos", "--track", "walk.gpx", "--sidecar", "sometimes"}, kUsage, {}, false},
        {{"photos", "--track", "walk.gpx", "--offset", "5", "--clock-photo", "photos/in.jpg",
          "--clock-time", "12:00"},
         kUsage, {}, false},
        {{"photos", "--track", "device", "--port", device.PortPath(), "--camera-zone", "UTC", "-q"},
         kOk, {"in.jpg  ", "written"}, true},
        {{"photos", "broken.jpg", "--track", "walk.gpx", "--camera-zone", "UTC"}, kIncomplete,
         {"already at", "3 photos: 1 already placed, 1 unplaced, 1 unreadable"}, true},
    };
    const auto cwd = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path());
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& arg : c.args) line += arg + " ";
        SCOPED_TRACE(line);
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int code = RunGeotag(Args(c.args.data(), c.args.size()));
        const std::string said = ::testing::internal::GetCapturedStdout() +
                                 ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(code, c.code) << said;
        for (const std::string& text : c.said) EXPECT_NE(said.find(text), std::string::npos) << said;
        EXPECT_EQ(ReadFile("photos/in.jpg") != untouched, c.written);
    }
    std::filesystem::current_path(cwd);
    device.Stop();
}

}  // namespace
}  // namespace vantrel::cli
