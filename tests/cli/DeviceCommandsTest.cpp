// The device commands of vantrel-cli against the simulated device on a real
// pty: what each command writes, and the exit code that tells what failed.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "serial/TCommSerialPortInfo.h"
#include "sim/Simulator.h"
#include "support/Occurrences.h"
#include "support/ScratchFolder.h"

namespace vantrel::cli {
namespace {

using testing::ScratchFolder;
using vantrel::testing::Occurrences;

class DeviceCommands : public ::testing::Test {
  protected:
    DeviceCommands() : device_(sim::DemoMemory(2, 300)) { device_.Start(); }
    ~DeviceCommands() override { device_.Stop(); }

    int Run(int (*command)(Args), std::vector<std::string> args, bool withPort = true) {
        if (withPort) {
            args.push_back("--port");
            args.push_back(device_.PortPath());
        }
        if (command != RunSettings) {  // the device's settings have no zone to show them at
            args.push_back("--zone");
            args.push_back("0");
        }
        return command(Args(args.data(), args.size()));
    }

    sim::Simulator device_;
    ScratchFolder folder_;
};

TEST_F(DeviceCommands, DownloadWritesEachKindAndKeepsTheRawBytes) {
    ASSERT_EQ(Run(RunDownload, {"tracks", folder_.File("t.trk"), "--raw", folder_.File("t.raw")}),
              kOk);
    auto raw = ReadFileBytes(folder_.File("t.raw"));
    ASSERT_TRUE(raw);
    const auto& memory = device_.Memory().tracks;
    ASSERT_GE(raw->size(), memory.size());
    EXPECT_EQ(raw->substr(0, memory.size()), std::string(memory.begin(), memory.end()));
    EXPECT_GT(ReadFileBytes(folder_.File("t.trk"))->size(), 4224u + 10 * 10240u - 1);

    ASSERT_EQ(Run(RunDownload, {"tracks", folder_.File("t.kml")}), kOk);
    EXPECT_NE(ReadFileBytes(folder_.File("t.kml"))->find("<Placemark>"), std::string::npos);

    ASSERT_EQ(Run(RunDownload, {"plan", folder_.File("p.csv")}), kOk);
    EXPECT_EQ(ReadFileBytes(folder_.File("p.csv"))->rfind("title,latitude,longitude\r\n", 0), 0u);
    ASSERT_EQ(Run(RunDownload, {"poi", folder_.File("p.wpt")}), kOk);
    EXPECT_EQ(ReadFileBytes(folder_.File("p.wpt"))->size() % 16, 0u);
}

// The track options edit a download before it is written; one that keeps
// nothing writes nothing.
TEST_F(DeviceCommands, DownloadedTracksAreEditedBeforeTheyAreWritten) {
    ASSERT_EQ(Run(RunDownload, {"tracks", folder_.File("t.csv"), "--merge", "--max-speed", "300"}),
              kOk);
    const std::string csv = *ReadFileBytes(folder_.File("t.csv"));
    EXPECT_EQ(Occurrences(csv, "\nTrack0,"), 600u);
    EXPECT_EQ(Occurrences(csv, "\nTrack1,"), 0u);
    EXPECT_EQ(Run(RunDownload, {"tracks", folder_.File("none.csv"), "--from", "2030-01-01T00:00:00Z"}),
              kUsage);
    EXPECT_FALSE(std::filesystem::exists(folder_.File("none.csv")));
}

TEST_F(DeviceCommands, UploadedPlanComesBackFromTheDevice) {
    const std::string csv =
        "title,latitude,longitude\r\nStart,47.5,8.25\r\n\"Ziel, Ost\",47.25,8.5\r\n";
    ASSERT_TRUE(WriteFileAtomically(folder_.File("in.csv"), csv));
    ASSERT_EQ(Run(RunUpload, {"plan", folder_.File("in.csv")}), kOk);
    // The device keeps the plan once the closing EOT has reached it.
    for (int i = 0; i < 250 && !device_.Uploaded(sim::Payload::Plan); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(device_.Uploaded(sim::Payload::Plan));
    ASSERT_EQ(Run(RunDownload, {"plan", folder_.File("out.csv")}), kOk);
    EXPECT_EQ(*ReadFileBytes(folder_.File("out.csv")), csv);
}

TEST_F(DeviceCommands, ExitCodesTellWhatFailed) {
    // A port that does not exist, a file that is not a plan, bad arguments.
    std::vector<std::string> missing = {"--port", folder_.File("no-such-port")};
    EXPECT_EQ(RunSettings(Args(missing.data(), missing.size())), kPortError);
    // An upload of an empty file or an image with a bad checksum says why.
    ASSERT_TRUE(WriteFileAtomically(folder_.File("bad.rte"), std::string(100, 'x')));
    ASSERT_TRUE(WriteFileAtomically(folder_.File("empty.rte"), ""));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(Run(RunUpload, {"plan", folder_.File("bad.rte")}), kBadFile);
    EXPECT_EQ(Run(RunUpload, {"plan", folder_.File("empty.rte")}), kBadFile);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find(folder_.File("bad.rte") + ": not a sound plan image"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find(folder_.File("empty.rte") + ": the file is empty"), std::string::npos)
        << errors;
    EXPECT_EQ(Run(RunDownload, {"maps", folder_.File("x.trk")}), kUsage);

    // A device that falls silent mid-transfer: the watchdog gives up on it.
    sim::LineOptions stall;
    stall.stallAfter = 1;
    device_.SetLineOptions(stall);
    EXPECT_EQ(Run(RunDownload, {"tracks", folder_.File("stalled.trk")}), kTransferFailed);
    EXPECT_FALSE(std::filesystem::exists(folder_.File("stalled.trk")));
}

TEST_F(DeviceCommands, GpxAndCsvStraightFromADownload) {
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(Run(RunDownload, {"tracks", folder_.File("t.gpx")}), kOk);
    ASSERT_EQ(Run(RunDownload, {"tracks", folder_.File("t.csv"), "--split-gap", "60"}), kOk);
    ASSERT_EQ(Run(RunDownload, {"plan", folder_.File("p.gpx")}), kOk);
    ASSERT_EQ(Run(RunDownload, {"poi", folder_.File("poi.gpx")}), kOk);
    ::testing::internal::GetCapturedStdout();
    const std::string gpx = *ReadFileBytes(folder_.File("t.gpx"));
    EXPECT_EQ(Occurrences(gpx, "<trk>"), 2u);
    EXPECT_EQ(Occurrences(gpx, "<trkpt "), 600u);
    const std::string csv = *ReadFileBytes(folder_.File("t.csv"));
    EXPECT_EQ(csv.rfind("track,time,latitude,longitude,altitude,speed\r\n", 0), 0u);
    EXPECT_EQ(Occurrences(csv, "\r\n"), 601u);
    EXPECT_NE(ReadFileBytes(folder_.File("p.gpx"))->find("<rtept "), std::string::npos);

    // POIs from GPX reach the device as they left it.
    ASSERT_EQ(Run(RunDownload, {"poi", folder_.File("before.wpt")}), kOk);
    ASSERT_EQ(Run(RunUpload, {"poi", folder_.File("poi.gpx")}), kOk);
    for (int i = 0; i < 250 && !device_.Uploaded(sim::Payload::Poi); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(device_.Uploaded(sim::Payload::Poi));
    ASSERT_EQ(Run(RunDownload, {"poi", folder_.File("after.wpt")}), kOk);
    EXPECT_EQ(ReadFileBytes(folder_.File("after.wpt")), ReadFileBytes(folder_.File("before.wpt")));
}

// 70 tracks: more than the track list holds, all of them in the GPX, and no
// word of tracks left out.
TEST(DeviceCommandsBeyondTheList, DownloadToGpxKeepsEveryTrack) {
    sim::Simulator device(sim::DemoMemory(70, 20));
    device.Start();
    ScratchFolder folder;
    std::vector<std::string> args = {"tracks", folder.File("all.gpx"), "--port", device.PortPath()};
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    const int code = RunDownload(Args(args.data(), args.size()));
    ::testing::internal::GetCapturedStdout();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    device.Stop();
    ASSERT_EQ(code, kOk) << errors;
    EXPECT_EQ(errors.find("Not all tracks fit"), std::string::npos) << errors;
    EXPECT_EQ(Occurrences(*ReadFileBytes(folder.File("all.gpx")), "<trk>"), 70u);
}

// A device logging today: its stored times wrapped in 2014, its tracks read
// as of today all the same.
TEST(DeviceCommandsOfToday, ALogOf2026ReadsAs2026) {
    using namespace std::chrono;
    const auto gps = (sys_days{year{2026} / November / 1} - sys_days{year{1980} / January / 6});
    sim::Simulator device(
        sim::DemoMemory(1, 20, static_cast<std::uint32_t>(duration_cast<seconds>(gps).count() + 18)));
    device.Start();
    ScratchFolder folder;
    std::vector<std::string> args = {"tracks", folder.File("today.gpx"), "--port",
                                     device.PortPath(), "-q"};
    const int code = RunDownload(Args(args.data(), args.size()));
    device.Stop();
    ASSERT_EQ(code, kOk);
    EXPECT_NE(ReadFileBytes(folder.File("today.gpx"))->find("<time>2026-11-01T00:00:00Z</time>"),
              std::string::npos);
}

TEST_F(DeviceCommands, NoDeviceUnreadableAndCorruptFiles) {
    bool bridgePresent = false;
    for (const auto& tty : ListSerialTtys(TCommSerialPortInfo::DefaultSysfsRoot))
        bridgePresent = bridgePresent || tty.driver == "cp210x";
    if (!bridgePresent) {
        testing::ScopedEnv noPort("VANTREL_PORT", std::nullopt);
        EXPECT_EQ(Run(RunSettings, {}, false), kNoDevice);
        EXPECT_EQ(Run(RunDownload, {"tracks", folder_.File("t.gpx")}, false), kNoDevice);
    }
    ASSERT_TRUE(WriteFileAtomically(folder_.File("bad.gpx"), std::string("<gpx><rte>")));
    EXPECT_EQ(Run(RunUpload, {"plan", folder_.File("bad.gpx")}), kBadFile);
    EXPECT_EQ(Run(RunUpload, {"poi", folder_.File("missing.wpt")}), kBadFile);
    EXPECT_EQ(Run(RunUpload, {"poi", folder_.File("missing.gpx")}), kBadFile);
    EXPECT_EQ(Run(RunDownload, {"plan", folder_.File("no-folder/p.gpx")}), kBadFile);
    // An output the command cannot write is refused before any transfer.
    EXPECT_EQ(Run(RunDownload, {"tracks", folder_.File("t.shp")}), kUsage);
    EXPECT_EQ(Run(RunDownload, {"poi", folder_.File("p.rte")}), kUsage);
    EXPECT_EQ(Run(RunDownload, {"tracks", folder_.File("t.trk"), "--split-gap", "x"}), kUsage);
}

TEST_F(DeviceCommands, SettingsPrintsTheGuiderAndLoggerFields) {
    ::testing::internal::CaptureStdout();
    const int code = Run(RunSettings, {});
    const std::string out = ::testing::internal::GetCapturedStdout();
    ASSERT_EQ(code, kOk);
    EXPECT_NE(out.find("guider: route "), std::string::npos);
    EXPECT_NE(out.find("logger: record time "), std::string::npos);
}

}  // namespace
}  // namespace vantrel::cli
