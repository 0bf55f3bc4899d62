// vantrel-cli's device commands against a simulated device that damages,
// refuses, cancels or loses transfers, or sends more than the lists hold:
// the files written byte for byte, the exit code and the message.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "sim/DemoImages.h"
#include "sim/Simulator.h"
#include "support/ScratchFolder.h"

namespace vantrel::cli {
namespace {

using testing::ScratchFolder;

struct Outcome {
    int code;
    std::string errors;  // what went to stderr
};

class TransferFaultCommands : public ::testing::Test {
  protected:
    void Start(sim::LineOptions line = {}) { StartWith(sim::DemoMemory(2, 300), line); }
    void StartWith(sim::DeviceMemory memory, sim::LineOptions line = {}) {
        device_.reset();
        device_ = std::make_unique<sim::Simulator>(std::move(memory), sim::SimulatorOptions{line});
        device_->Start();
    }
    Outcome Run(int (*command)(Args), std::vector<std::string> args) {
        args.insert(args.end(), {"--port", device_->PortPath()});
        if (command != RunSettings) args.insert(args.end(), {"--zone", "0"});
        ::testing::internal::CaptureStderr();
        const int code = command(Args(args.data(), args.size()));
        return {code, ::testing::internal::GetCapturedStderr()};
    }
    std::string File(const std::string& name) { return folder_.File(name); }
    std::optional<std::string> Content(const std::string& name) {
        return ReadFileBytes(File(name));
    }
    void WritePlanCsv() {
        ASSERT_TRUE(WriteFileAtomically(
            File("in.csv"), std::string("title,latitude,longitude\r\nStart,47.5,8.25\r\n"
                                        "Ziel,47.25,8.5\r\n")));
    }

    ScratchFolder folder_;
    std::unique_ptr<sim::Simulator> device_;
};

#define EXPECT_SAYS(outcome, text) \
    EXPECT_NE((outcome).errors.find(text), std::string::npos) << (outcome).errors

TEST_F(TransferFaultCommands, BlockDamagedOnceGivesTheSameTrackFileAsACleanDownload) {
    Start();
    ASSERT_EQ(Run(RunDownload, {"tracks", File("clean.trk")}).code, kOk);
    device_->SetLineOptions({.damageBlock = 3});
    const Outcome damaged = Run(RunDownload, {"tracks", File("damaged.trk")});
    EXPECT_EQ(damaged.code, kOk) << damaged.errors;
    ASSERT_TRUE(Content("clean.trk"));
    EXPECT_EQ(Content("damaged.trk"), Content("clean.trk"));
}

TEST_F(TransferFaultCommands, BlockDamagedAlwaysExitsWithTheFailureAndWritesNothing) {
    Start({.damageBlock = 2, .damageAlways = true});
    const Outcome out = Run(RunDownload, {"tracks", File("t.trk"), "--raw", File("t.raw")});
    EXPECT_EQ(out.code, kTransferFailed);
    EXPECT_SAYS(out, "The track download failed: block 2 arrived damaged 10 times");
    EXPECT_FALSE(std::filesystem::exists(File("t.trk")));
    EXPECT_FALSE(std::filesystem::exists(File("t.raw")));
}

TEST_F(TransferFaultCommands, UploadNakedOnceLeavesTheSameImageAsACleanUpload) {
    Start();
    WritePlanCsv();
    ASSERT_EQ(Run(RunUpload, {"plan", File("in.csv")}).code, kOk);
    const auto clean = device_->Uploaded(sim::Payload::Plan);
    ASSERT_TRUE(clean);
    Start();
    device_->SetLineOptions({.nakBlock = 1});
    const Outcome naked = Run(RunUpload, {"plan", File("in.csv")});
    EXPECT_EQ(naked.code, kOk) << naked.errors;
    EXPECT_EQ(device_->Uploaded(sim::Payload::Plan), clean);
}

TEST_F(TransferFaultCommands, UploadNakedAlwaysFailsAndSaysSo) {
    const sim::DeviceMemory memory = sim::DemoMemory(2, 300);
    StartWith(memory, {.nakBlock = 1, .nakAlways = true});
    WritePlanCsv();
    const Outcome out = Run(RunUpload, {"plan", File("in.csv")});
    EXPECT_EQ(out.code, kTransferFailed);
    EXPECT_SAYS(out, "The plan upload failed: the device refused block 1 10 times.");
    EXPECT_EQ(device_->Memory().plan, memory.plan);
}

TEST_F(TransferFaultCommands, NakOfTheEotStillEndsInSuccess) {
    Start({.nakEot = true});
    WritePlanCsv();
    const Outcome out = Run(RunUpload, {"plan", File("in.csv")});
    EXPECT_EQ(out.code, kOk) << out.errors;
    EXPECT_TRUE(device_->Uploaded(sim::Payload::Plan));
}

TEST_F(TransferFaultCommands, CanDuringAnUploadFails) {
    Start({.cancelUploadAfter = 1});
    WritePlanCsv();
    const Outcome out = Run(RunUpload, {"plan", File("in.csv")});
    EXPECT_EQ(out.code, kTransferFailed);
    EXPECT_SAYS(out, "The plan upload failed: the device cancelled it.");
    EXPECT_FALSE(device_->Uploaded(sim::Payload::Plan));
}

TEST_F(TransferFaultCommands, DeviceWithoutPoisGivesAnEmptyPoiFile) {
    Start({.eotFirst = true});
    const Outcome out = Run(RunDownload, {"poi", File("p.wpt")});
    EXPECT_EQ(out.code, kOk) << out.errors;
    EXPECT_EQ(Content("p.wpt"), std::string());
}

TEST_F(TransferFaultCommands, MoreThan255PoisWritesTheFirst255AndExitsIncomplete) {
    sim::DeviceMemory memory = sim::DemoMemory(2, 300);
    memory.poi = sim::GeneratedPoiImage(300);
    StartWith(memory);
    const Outcome out = Run(RunDownload, {"poi", File("p.wpt")});
    EXPECT_EQ(out.code, kIncomplete);
    EXPECT_SAYS(out, "255 of 300 POIs were kept and 45 left out");
    EXPECT_SAYS(out, File("p.wpt") + " was written with what was kept");
    const auto written = Content("p.wpt");
    ASSERT_TRUE(written);
    EXPECT_EQ(*written, std::string(memory.poi.begin(), memory.poi.begin() + 255 * 16));
}

TEST_F(TransferFaultCommands, PlanThatCannotBeDecodedLeavesTheExistingFileAlone) {
    sim::DeviceMemory memory = sim::DemoMemory(2, 300);
    memory.plan[5] ^= 0xFF;
    StartWith(memory);
    for (const char* name : {"p.rte", "p.csv"}) {
        ASSERT_TRUE(WriteFileAtomically(File(name), std::string("the user's own plan")));
        const Outcome out = Run(RunDownload, {"plan", File(name)});
        EXPECT_EQ(out.code, kBadFile) << name;
        EXPECT_SAYS(out, "The plan the device sent cannot be read");
        EXPECT_EQ(Content(name), std::string("the user's own plan"));
    }
}

TEST_F(TransferFaultCommands, RawBytesThatCannotBeWrittenMakeTheRunIncomplete) {
    Start();
    const Outcome out =
        Run(RunDownload, {"tracks", File("t.gpx"), "--raw", File("no-folder/t.raw")});
    EXPECT_EQ(out.code, kIncomplete);
    EXPECT_SAYS(out, "cannot write the received bytes to " + File("no-folder/t.raw") +
                         ": No such file or directory");
    EXPECT_TRUE(std::filesystem::exists(File("t.gpx")));
}

TEST_F(TransferFaultCommands, TracksLeftOutOfATrackFileMakeTheRunIncomplete) {
    StartWith(sim::DemoMemory(70, 20));
    const Outcome out = Run(RunDownload, {"tracks", File("t.trk")});
    EXPECT_EQ(out.code, kIncomplete);
    EXPECT_SAYS(out, "a track file holds at most 64 tracks and 65536 points: 6 tracks and 120 "
                     "points were left out");
    EXPECT_TRUE(std::filesystem::exists(File("t.trk")));
}

TEST_F(TransferFaultCommands, LostPortExitsWithThePortNamed) {
    Start({.hangUpAfter = 2});
    const Outcome out = Run(RunDownload, {"tracks", File("t.trk")});
    EXPECT_EQ(out.code, kPortError);
    EXPECT_SAYS(out, "the connection to the device on " + device_->PortPath() + " was lost");
    EXPECT_FALSE(std::filesystem::exists(File("t.trk")));
}

// A terminal program that opened the port first: the command refuses to
// share it and names that program.
TEST_F(TransferFaultCommands, PortHeldByAnotherProgramIsNamedWithItsPid) {
    Start();
    const pid_t holder = ::fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        if (::open(device_->PortPath().c_str(), O_RDWR | O_NOCTTY) < 0) ::_exit(1);
        ::execlp("sleep", "sleep", "30", static_cast<char*>(nullptr));
        ::_exit(1);
    }
    // The child opens the port before it becomes "sleep".
    const std::string comm = "/proc/" + std::to_string(holder) + "/comm";
    for (int i = 0; i < 500 && ReadFileBytes(comm).value_or("") != "sleep\n"; ++i)
        ::usleep(10000);
    const Outcome out = Run(RunSettings, {});
    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_EQ(out.code, kPortError);
    EXPECT_SAYS(out, "is busy: sleep (pid " + std::to_string(holder) + ") holds it");
}

}  // namespace
}  // namespace vantrel::cli
