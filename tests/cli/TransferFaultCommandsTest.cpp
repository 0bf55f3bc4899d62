// vantrel-cli's device commands against a simulated device on a faulty
// line: stray, lost and repeated bytes, damaged, refused and cancelled
// blocks, an EOT that is noise or not repeated, a slow line and a device
// that streams what the program cannot use. Each row checks the bytes
// stored (the files written, or what the device kept), the exit code and
// the message. Further tests: what the lists cannot hold, a port lost or
// held by another program.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "sim/BlockFrames.h"
#include "sim/DemoImages.h"
#include "sim/Simulator.h"
#include "support/ScratchFolder.h"

namespace vantrel::cli {
namespace {

using namespace std::chrono_literals;
using testing::ScratchFolder;

struct Outcome {
    int code;
    std::string errors;  // what went to stderr
    std::chrono::steady_clock::duration took;
};

const std::string kUsersOwn = "the user's own file";

class DeviceOnALine : public ::testing::Test {
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
        const auto start = std::chrono::steady_clock::now();
        ::testing::internal::CaptureStderr();
        const int code = command(Args(args.data(), args.size()));
        return {code, ::testing::internal::GetCapturedStderr(),
                std::chrono::steady_clock::now() - start};
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
    // The device keeps an upload when it takes the EOT, just after the PC
    // hears its ACK.
    std::optional<std::vector<std::uint8_t>> Uploaded() {
        for (int i = 0; i < 200 && !device_->Uploaded(sim::Payload::Plan); ++i)
            std::this_thread::sleep_for(5ms);
        return device_->Uploaded(sim::Payload::Plan);
    }

    ScratchFolder folder_;
    std::unique_ptr<sim::Simulator> device_;
};

#define EXPECT_SAYS(outcome, text) \
    EXPECT_NE((outcome).errors.find(text), std::string::npos) << (outcome).errors

// The track memory of two tracks of 300 points (twelve blocks) with one
// erased byte past its end changed so that the last block's CRC ends in
// 0x04: a byte too many in that block leaves an EOT on the line.
sim::DeviceMemory MemoryWhoseLastCrcEndsInEot() {
    sim::DeviceMemory memory = sim::DemoMemory(2, 300);
    const std::size_t last = (sim::BlockCount(memory.tracks.size()) - 1) * sim::kBlockSize;
    for (int value = 0; value < 0x10000; ++value) {
        memory.tracks[last + 836] = static_cast<std::uint8_t>(value);
        memory.tracks[last + 837] = static_cast<std::uint8_t>(value >> 8);
        const auto crc = sim::BlockCrc(std::span(memory.tracks).subspan(last, sim::kBlockSize));
        if ((crc & 0xFF) == 0x04) return memory;
    }
    ADD_FAILURE() << "no two bytes give the CRC";
    return memory;
}

enum class Request { Tracks, Pois, PlanUpload, Settings };

struct LineFault {
    const char* name;
    Request request;
    sim::LineOptions line;
    int code;
    std::string says;  // part of what the command tells on stderr
};

void PrintTo(const LineFault& fault, std::ostream* out) {
    *out << fault.name;
}

sim::StrayBytes Stray(std::size_t block, std::size_t offset, std::vector<std::uint8_t> bytes) {
    return {{block, offset}, std::move(bytes)};
}

const LineFault kLineFaults[] = {
    {"StrayEotBeforeABlock", Request::Tracks, {.strays = {Stray(3, 0, {0x04})}}, kOk, ""},
    {"StrayEotRightAfterC", Request::Tracks, {.strays = {Stray(1, 0, {0x04})}}, kOk, ""},
    {"ByteTooManyInABlockWhoseCrcEndsInEot",
     Request::Tracks,
     {.strays = {Stray(12, 500, {0x55})}},
     kOk,
     ""},
    {"StrayDollarBeforeTheAcknowledgement",
     Request::Tracks,
     {.strays = {Stray(0, 0, {'$'})}},
     kOk,
     ""},
    {"StrayControlBytesBeforeABlock",
     Request::Tracks,
     {.strays = {Stray(5, 0, {0x00, 0x7E, 0x06, 0x15, 0x18, 0x03})}},
     kOk,
     ""},
    {"ByteLostInsideABlock", Request::Tracks, {.dropByte = sim::LinePlace{4, 700}}, kOk, ""},
    {"FirstCNotHeard", Request::Tracks, {.ignoreStarts = 1}, kOk, ""},
    {"EotNotRepeatedAfterItsNak", Request::Tracks, {.eotOnce = true}, kOk, ""},
    {"BlockDamagedOnce", Request::Tracks, {.damageBlock = 3}, kOk, ""},
    {"LineAtATenthOfItsRate", Request::Tracks, {.pace = true, .pacePercent = 10}, kOk, ""},
    {"BlockDamagedEveryTime",
     Request::Tracks,
     {.damageBlock = 2, .damageAlways = true},
     kTransferFailed,
     "The track download failed: block 2 arrived damaged 10 times; nothing was kept."},
    {"EotInsteadOfTheBlocks",
     Request::Tracks,
     {.eotFirst = true},
     kTransferFailed,
     "The track download failed: the data ended after 0 bytes, without the track memory's "
     "end-of-data mark; nothing was kept."},
    {"DeviceStreamingDuringADownload",
     Request::Tracks,
     {.stream = true},
     kTransferFailed,
     "The track download failed: the device sent data the program could not use"},
    {"StrayEotBeforeThePoiBlock", Request::Pois, {.strays = {Stray(1, 0, {0x04})}}, kOk, ""},
    {"EotInsteadOfThePoiBlock",
     Request::Pois,
     {.eotFirst = true},
     kTransferFailed,
     "without the POI list's end mark; nothing was kept."},
    {"SecondAckAfterTheLastBlocksWithTheEotRefusedOnce",
     Request::PlanUpload,
     {.nakEot = true, .strayAckAfter = 1},
     kOk,
     ""},
    {"UploadBlockRefusedOnce", Request::PlanUpload, {.nakBlock = 1}, kOk, ""},
    {"UploadEotRefusedOnce", Request::PlanUpload, {.nakEot = true}, kOk, ""},
    {"UploadBlockRefusedEveryTime",
     Request::PlanUpload,
     {.nakBlock = 1, .nakAlways = true},
     kTransferFailed,
     "The plan upload failed: the device refused block 1 10 times."},
    {"UploadCancelledByTheDevice",
     Request::PlanUpload,
     {.cancelUploadAfter = 1},
     kTransferFailed,
     "The plan upload failed: the device cancelled it."},
    {"DeviceStreamingDuringAnUpload",
     Request::PlanUpload,
     {.stream = true},
     kTransferFailed,
     "The plan upload failed: the device sent data the program could not use"},
    {"DeviceStreamingAnswersNoSettings",
     Request::Settings,
     {.stream = true},
     kTransferFailed,
     "The request failed: the device sent data the program could not use"},
};

class LineFaults : public DeviceOnALine, public ::testing::WithParamInterface<LineFault> {
  protected:
    // What the request stores: the output file and the raw bytes of a
    // download, the image the device kept of an upload; empty for none.
    std::vector<std::string> Stored(Request request) {
        if (request == Request::PlanUpload) {
            const auto kept = Uploaded();
            return {kept ? std::string(kept->begin(), kept->end()) : std::string()};
        }
        if (request == Request::Settings) return {};
        return {Content(Out(request)).value_or(""), Content("raw").value_or("<none>")};
    }
    static std::string Out(Request request) {
        return request == Request::Tracks ? "out.trk" : "out.wpt";
    }
    // Runs the request, a download over an existing file of the user's.
    Outcome Make(Request request) {
        std::filesystem::remove(File("raw"));
        switch (request) {
            case Request::Tracks:
            case Request::Pois:
                EXPECT_TRUE(WriteFileAtomically(File(Out(request)), kUsersOwn));
                return Run(RunDownload, {request == Request::Tracks ? "tracks" : "poi",
                                         File(Out(request)), "--raw", File("raw")});
            case Request::PlanUpload:
                WritePlanCsv();
                return Run(RunUpload, {"plan", File("in.csv")});
            case Request::Settings:
                return Run(RunSettings, {});
        }
        return {};
    }
};

TEST_P(LineFaults, StoreWhatACleanLineStoresOrNothing) {
    const LineFault& fault = GetParam();
    const sim::DeviceMemory memory = MemoryWhoseLastCrcEndsInEot();
    StartWith(memory);
    const Outcome clean = Make(fault.request);
    ASSERT_EQ(clean.code, kOk) << clean.errors;
    const std::vector<std::string> cleanStored = Stored(fault.request);

    StartWith(memory, fault.line);
    const Outcome out = Make(fault.request);
    EXPECT_EQ(out.code, fault.code) << out.errors;
    EXPECT_SAYS(out, fault.says);
    // A device that streams is given up within 15 s.
    EXPECT_LT(out.took, 15s);
    const std::vector<std::string> stored = Stored(fault.request);
    if (fault.code == kOk) {
        EXPECT_EQ(stored, cleanStored);
    } else if (fault.request == Request::PlanUpload) {
        EXPECT_EQ(stored, std::vector<std::string>{""});
        EXPECT_EQ(device_->Memory().plan, memory.plan);
    } else if (fault.request != Request::Settings) {
        EXPECT_EQ(stored, (std::vector<std::string>{kUsersOwn, "<none>"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LineFaults, ::testing::ValuesIn(kLineFaults),
                         [](const auto& row) { return std::string(row.param.name); });

// The raw bytes and the saved file must not be one and the same file.
TEST_F(DeviceOnALine, RawNamingTheOutputIsRefusedBeforeAnythingIsSent) {
    Start();
    ASSERT_TRUE(WriteFileAtomically(File("t.trk"), kUsersOwn));
    std::filesystem::create_symlink(File("t.trk"), File("link.trk"));
    const Outcome out = Run(RunDownload, {"tracks", File("t.trk"), "--raw", File("link.trk")});
    EXPECT_EQ(out.code, kUsage);
    EXPECT_SAYS(out, "--raw and OUT both name " + File("t.trk"));
    EXPECT_EQ(Content("t.trk"), kUsersOwn);
    EXPECT_TRUE(device_->TakeReceived().empty());
}

TEST_F(DeviceOnALine, MoreThan255PoisWritesTheFirst255AndExitsIncomplete) {
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

// One flipped bit makes a record no POI: it is refused alone, the POIs
// after it are kept, and the user is told which.
TEST_F(DeviceOnALine, RecordThatIsNoPoiIsRefusedAloneAndTheRestKept) {
    sim::DeviceMemory memory = sim::DemoMemory(2, 300);
    memory.poi[2 * 16] ^= 0x80;  // record 3's year byte, 110, becomes 238
    StartWith(memory);
    const Outcome out = Run(RunDownload, {"poi", File("p.wpt")});
    EXPECT_EQ(out.code, kIncomplete);
    EXPECT_SAYS(out, "5 of 6 POIs were kept: record 3 is neither a POI nor the list's end and was "
                     "refused.");
    std::string expected(memory.poi.begin(), memory.poi.end());
    expected.erase(2 * 16, 16);
    EXPECT_EQ(Content("p.wpt"), expected);
}

TEST_F(DeviceOnALine, PlanThatCannotBeDecodedLeavesTheExistingFileAlone) {
    sim::DeviceMemory memory = sim::DemoMemory(2, 300);
    memory.plan[5] ^= 0xFF;
    StartWith(memory);
    for (const char* name : {"p.rte", "p.csv"}) {
        ASSERT_TRUE(WriteFileAtomically(File(name), kUsersOwn));
        const Outcome out = Run(RunDownload, {"plan", File(name)});
        EXPECT_EQ(out.code, kBadFile) << name;
        EXPECT_SAYS(out, "The plan the device sent cannot be read");
        EXPECT_EQ(Content(name), kUsersOwn);
    }
}

TEST_F(DeviceOnALine, RawBytesThatCannotBeWrittenMakeTheRunIncomplete) {
    Start();
    const Outcome out =
        Run(RunDownload, {"tracks", File("t.gpx"), "--raw", File("no-folder/t.raw")});
    EXPECT_EQ(out.code, kIncomplete);
    EXPECT_SAYS(out, "cannot write the received bytes to " + File("no-folder/t.raw") +
                         ": No such file or directory");
    EXPECT_TRUE(std::filesystem::exists(File("t.gpx")));
}

TEST_F(DeviceOnALine, TracksLeftOutOfATrackFileMakeTheRunIncomplete) {
    StartWith(sim::DemoMemory(70, 20));
    const Outcome out = Run(RunDownload, {"tracks", File("t.trk")});
    EXPECT_EQ(out.code, kIncomplete);
    EXPECT_SAYS(out, "a track file holds at most 64 tracks and 65536 points: 6 tracks and 120 "
                     "points were left out");
    EXPECT_TRUE(std::filesystem::exists(File("t.trk")));
}

TEST_F(DeviceOnALine, LostPortExitsWithThePortNamed) {
    Start({.hangUpAfter = 2});
    const Outcome out = Run(RunDownload, {"tracks", File("t.trk")});
    EXPECT_EQ(out.code, kPortError);
    EXPECT_SAYS(out, "the connection to the device on " + device_->PortPath() + " was lost");
    EXPECT_FALSE(std::filesystem::exists(File("t.trk")));
}

// A terminal program that opened the port first: the command refuses to
// share it and names that program.
TEST_F(DeviceOnALine, PortHeldByAnotherProgramIsNamedWithItsPid) {
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
