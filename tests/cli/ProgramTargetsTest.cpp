// The built vantrel-cli as a process: told to stop in the middle of a
// download, and writing its files to what a path really names (run as root,
// as the README's setup does, against a link, a FIFO, a character device and
// a folder it makes itself).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "base/AtomicFile.h"
#include "cli/Cli.h"
#include "serial/PortClaim.h"
#include "sim/DemoImages.h"
#include "sim/Simulator.h"
#include "support/ScratchFolder.h"

namespace vantrel::cli {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::ScratchFolder;

const std::string kUsersOwn = "the user's own file";

// vantrel-cli with `args`, its stderr into a file; the child's pid.
pid_t Spawn(std::vector<std::string> args, const std::string& errors) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, 2);
    const int none = ::open("/dev/null", O_RDWR);
    ::dup2(none, 0);
    ::dup2(none, 1);
    std::vector<char*> argv{const_cast<char*>(VANTREL_CLI)};
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(VANTREL_CLI, argv.data());
    ::_exit(127);
}

int ExitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ProgramOnTheDevice : public ::testing::Test {
  protected:
    std::string File(const std::string& name) const { return folder_.File(name); }
    std::vector<std::string> Download(const std::string& out, const std::string& raw) const {
        return {"download", "tracks", out, "--raw", raw, "--zone", "0", "-q",
                "--port", device_->PortPath()};
    }
    int RunToEnd(std::vector<std::string> args) { return ExitCode(Spawn(args, File("errors"))); }
    std::string Errors() const { return ReadFileBytes(File("errors")).value_or(""); }

    ScratchFolder folder_;
    std::unique_ptr<sim::Simulator> device_;
};

// SIGINT and SIGTERM in the middle of a download: the device gets CAN and
// the link reset, the port's lock file goes, the files stay as they were.
TEST_F(ProgramOnTheDevice, SignalCancelsTheTransferAndLeavesEverythingAsItWas) {
    for (const int signal : {SIGINT, SIGTERM}) {
        device_ = std::make_unique<sim::Simulator>(
            sim::DemoMemory(3, 300), sim::SimulatorOptions{{.pace = true, .pacePercent = 10}});
        device_->Start();
        ASSERT_TRUE(WriteFileAtomically(File("t.trk"), kUsersOwn));
        const fs::path lock = fs::path("/run/lock") /
                              LockFileNames(fs::canonical(device_->PortPath())).front();
        const pid_t cli = Spawn(Download(File("t.trk"), File("t.raw")), File("errors"));
        std::string received;
        for (int i = 0; i < 1000 && received.find('\x06') == std::string::npos; ++i) {
            std::this_thread::sleep_for(10ms);
            const auto more = device_->TakeReceived();
            received.append(more.begin(), more.end());
        }
        ASSERT_NE(received.find('\x06'), std::string::npos) << "no block was acknowledged";
        const bool lockable = ::access("/run/lock", W_OK) == 0;
        EXPECT_EQ(fs::exists(lock), lockable);
        ::kill(cli, signal);
        EXPECT_EQ(ExitCode(cli), 128 + signal) << Errors();
        EXPECT_NE(Errors().find(std::string("interrupted by ") +
                                (signal == SIGINT ? "SIGINT" : "SIGTERM") +
                                ": the tracks download was cancelled and nothing was written"),
                  std::string::npos)
            << Errors();
        // The paced device reads what came once the block it sends is out.
        std::string tail;
        for (int i = 0; i < 300 && tail.find("$POEM06*\r\n") == std::string::npos; ++i) {
            std::this_thread::sleep_for(10ms);
            const auto more = device_->TakeReceived();
            tail.append(more.begin(), more.end());
        }
        EXPECT_NE(tail.find("\x18\x18"), std::string::npos) << ::testing::PrintToString(tail);
        EXPECT_NE(tail.find("\x11\x13$POEM06*\r\n"), std::string::npos);
        EXPECT_FALSE(fs::exists(lock));
        EXPECT_EQ(ReadFileBytes(File("t.trk")), kUsersOwn);
        EXPECT_FALSE(fs::exists(File("t.raw")));
    }
}

// As root, where a replacing write would do the most harm: a link keeps
// being a link and its target gets the file (with the target's permission
// bits), a FIFO's reader gets the bytes, a character device stays one, and
// a folder is refused.
TEST_F(ProgramOnTheDevice, WritesGoToWhatThePathNamesAsRoot) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make a character device";
    device_ = std::make_unique<sim::Simulator>(sim::DemoMemory(2, 300));
    device_->Start();
    ASSERT_EQ(RunToEnd(Download(File("clean.trk"), File("clean.raw"))), kOk) << Errors();

    ASSERT_TRUE(WriteFileAtomically(File("real.trk"), kUsersOwn));
    ASSERT_EQ(::chmod(File("real.trk").c_str(), 0640), 0);
    fs::create_symlink("real.trk", File("link.trk"));
    ASSERT_EQ(::mkfifo(File("fifo").c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [&] { return ReadFileBytes(File("fifo")); });
    std::this_thread::sleep_for(50ms);  // the reader waits on the FIFO first
    EXPECT_EQ(RunToEnd(Download(File("link.trk"), File("fifo"))), kOk) << Errors();
    EXPECT_TRUE(fs::is_symlink(File("link.trk")));
    EXPECT_EQ(ReadFileBytes(File("real.trk")), ReadFileBytes(File("clean.trk")));
    EXPECT_EQ(fs::status(File("real.trk")).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(reader.get(), ReadFileBytes(File("clean.raw")));
    EXPECT_TRUE(fs::is_fifo(File("fifo")));

    ASSERT_EQ(::mknod(File("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
    EXPECT_EQ(RunToEnd(Download(File("t.trk"), File("null"))), kOk) << Errors();
    EXPECT_TRUE(fs::is_character_file(File("null")));
    EXPECT_EQ(ReadFileBytes(File("t.trk")), ReadFileBytes(File("clean.trk")));

    fs::create_directory(File("folder"));
    EXPECT_EQ(RunToEnd(Download(File("t2.trk"), File("folder"))), kIncomplete);
    EXPECT_NE(Errors().find("cannot write the received bytes to " + File("folder") +
                            ": Is a directory"),
              std::string::npos)
        << Errors();
    EXPECT_TRUE(fs::is_directory(File("folder")));
}

}  // namespace
}  // namespace vantrel::cli
