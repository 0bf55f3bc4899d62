// vantrel-sim as a program: its first output line, its link, its files,
// re-plugging after a hang-up, and its end on SIGTERM.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "PcPort.h"
#include "PcTransfers.h"
#include "sim/BlockFrames.h"
#include "sim/DeviceMemory.h"
#include "support/ScratchFolder.h"

extern char** environ;

namespace vantrel::sim::testing {
namespace {

using vantrel::testing::ScratchFolder;

// The program with its stdout on a pipe; killed if a test leaves it running.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> args) {
        int out[2];
        if (::pipe(out) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        args.insert(args.begin(), VANTREL_SIM_PROGRAM);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int err = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        stdout_ = out[0];
        if (err != 0) throw std::runtime_error("cannot start " + std::string(argv[0]));
    }
    ~SimProcess() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(stdout_);
    }

    // The next line of its output, or empty when none comes within 10 s.
    std::string Line() {
        std::string line;
        char c = 0;
        pollfd p{stdout_, POLLIN, 0};
        while (::poll(&p, 1, 10000) > 0 && ::read(stdout_, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    // Sends the signal and returns the exit status, or -1 if it does not end within 10 s.
    int EndWith(int signal) {
        if (signal) ::kill(pid_, signal);
        const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
        pollfd p{pidfd, POLLIN, 0};
        const bool ended = ::poll(&p, 1, 10000) > 0;
        ::close(pidfd);
        if (!ended) return -1;
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

  private:
    pid_t pid_ = -1;
    int stdout_ = -1;
};

TEST(SimProgram, ServesItsLinkAndEndsCleanlyOnSigterm) {
    ScratchFolder dir;
    const auto link = dir.Path() / "port";
    const Bytes memory(1500, 0x42);
    std::ofstream(dir.Path() / "memory.bin", std::ios::binary)
        .write(reinterpret_cast<const char*>(memory.data()), memory.size());
    SimProcess sim({"--link", link.string(), "--memory", (dir.Path() / "memory.bin").string(),
                    "--save-uploads", dir.Path().string()});
    const std::string path = sim.Line();
    ASSERT_TRUE(path.starts_with("/dev/pts/")) << path;
    EXPECT_EQ(std::filesystem::read_symlink(link), path);
    {
        PcPort port(link.string());
        Bytes expected(2 * kBlockSize, 0xFF);  // the memory, then erased flash
        std::copy(memory.begin(), memory.end(), expected.begin());
        EXPECT_EQ(DownloadAsPc(port, "$POEM12,14*\r\n").data, expected);

        port.Send("$POEM12,4*\r\n");
        port.ReadReply();
        ASSERT_EQ(port.Read(1), Bytes{kNak});
        const Bytes block(kBlockSize, 0x33);
        port.Send(UploadFrame(1, block));
        ASSERT_EQ(port.Read(1), Bytes{kAck});
        port.Send({kEot});
        ASSERT_EQ(port.Read(1), Bytes{kAck});
    }
    EXPECT_EQ(ReadImageFile(dir.Path() / "poi.wpt"), Bytes(kBlockSize, 0x33));
    EXPECT_EQ(sim.EndWith(SIGTERM), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SimProgram, PlugsInAgainAfterAHangUp) {
    ScratchFolder dir;
    const auto link = dir.Path() / "port";
    SimProcess sim(
        {"--link", link.string(), "--tracks", "1", "--points", "10", "--hangup-after", "0"});
    const std::string first = sim.Line();
    {
        PcPort port(link.string());
        port.Send("$POEM12,12*\r\n");
        port.ReadReply();
        port.Send({kCrcStart});
        EXPECT_TRUE(port.SeesHangUp());
    }
    const std::string second = sim.Line();
    ASSERT_TRUE(second.starts_with("/dev/pts/")) << second;
    EXPECT_EQ(std::filesystem::read_symlink(link), second);
    PcPort port(link.string());
    EXPECT_FALSE(DownloadAsPc(port, "$POEM12,12*\r\n").numbers.empty());  // no second hang-up
    EXPECT_EQ(sim.EndWith(SIGINT), 0);
}

TEST(SimProgram, FaultOptionsAndGeneratedPoisReachTheLine) {
    SimProcess sim({"--pois", "300", "--damage-block", "2", "--stray", "3=7e,55"});
    PcPort port(sim.Line());
    const DownloadResult d = DownloadAsPc(port, "$POEM12,2*\r\n");
    EXPECT_EQ(d.numbers, (std::vector<int>{1, 2, 3, 4, 5}));  // 4800 bytes of POIs, the end mark
    EXPECT_EQ(d.badFrames, 1);
    EXPECT_EQ(d.strayBytes, 2u);
    EXPECT_EQ(sim.EndWith(SIGINT), 0);
}

TEST(SimProgram, RefusesBadArgumentsAndMissingFiles) {
    EXPECT_EQ(SimProcess({"--stall-after", "two"}).EndWith(0), 2);
    EXPECT_EQ(SimProcess({"--memory", "a", "--tracks", "2"}).EndWith(0), 2);
    EXPECT_EQ(SimProcess({"--poi", "a.wpt", "--pois", "2"}).EndWith(0), 2);
    EXPECT_EQ(SimProcess({"--nak-block"}).EndWith(0), 2);
    for (const char* stray : {"3", "3=", "3=zz", "3=100", "x=04", "3+=04"})
        EXPECT_EQ(SimProcess({"--stray", stray}).EndWith(0), 2) << stray;
    EXPECT_EQ(SimProcess({"--drop-byte", "2+"}).EndWith(0), 2);
    EXPECT_EQ(SimProcess({"--memory", "/nonexistent/memory.bin"}).EndWith(0), 1);
}

}  // namespace
}  // namespace vantrel::sim::testing
