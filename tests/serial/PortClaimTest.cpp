// Claiming a port before opening it: lock files of other programs (live or
// stale), programs that hold the device open, and the lock file of our own
// while the port is open. Other programs are real child processes.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "serial/PortClaim.h"
#include "serial/TOrvikComm32.h"
#include "support/PtyPair.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;
using testing::PtyPair;
using testing::ScratchFolder;

// A child process running "sleep", optionally with `path` open.
class Sleeper {
  public:
    explicit Sleeper(const std::string& path = {}) {
        pid_ = ::fork();
        if (pid_ == 0) {
            if (!path.empty() && ::open(path.c_str(), O_RDWR | O_NOCTTY) < 0) ::_exit(1);
            ::execlp("sleep", "sleep", "60", static_cast<char*>(nullptr));
            ::_exit(1);
        }
        // It has opened the path once it runs as "sleep".
        const std::string comm = "/proc/" + std::to_string(pid_) + "/comm";
        for (int i = 0; i < 500 && Comm(comm) != "sleep"; ++i)
            ::usleep(10000);
    }
    ~Sleeper() { End(); }
    Sleeper(const Sleeper&) = delete;
    Sleeper& operator=(const Sleeper&) = delete;

    int Pid() const { return pid_; }
    void End() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    static std::string Comm(const std::string& file) {
        std::ifstream in(file);
        std::string name;
        std::getline(in, name);
        return name;
    }
    pid_t pid_ = -1;
};

class PortClaimTest : public ::testing::Test {
  protected:
    fs::path LockFile() const {
        return folder.Path() / LockFileNames(fs::canonical(pty.SlavePath())).front();
    }
    ClaimPlaces Places() const { return {{folder.Path()}, "/proc"}; }

    PtyPair pty;
    ScratchFolder folder;
    PortClaim claim;
};

TEST(LockFileNames, FollowTheDevicePathUnderDev) {
    EXPECT_EQ(LockFileNames("/dev/ttyUSB0"), std::vector<std::string>{"LCK..ttyUSB0"});
    EXPECT_EQ(LockFileNames("/dev/pts/3"), (std::vector<std::string>{"LCK..pts_3", "LCK..3"}));
    EXPECT_EQ(LockFileNames("/tmp/port"), std::vector<std::string>{"LCK..port"});
}

TEST_F(PortClaimTest, FreePortGetsOurLockFileUntilReleased) {
    EXPECT_FALSE(claim.Claim(pty.SlavePath(), Places()));
    std::ifstream in(LockFile());
    int pid = 0;
    in >> pid;
    EXPECT_EQ(pid, ::getpid());
    claim.Release();
    EXPECT_FALSE(fs::exists(LockFile()));
}

// A lock file refuses the port only while its program holds the device: a
// program that is gone, or one that got a dead program's pid and never
// opened the port, leaves a stale lock, which is removed.
TEST_F(PortClaimTest, LockRefusesOnlyWhileItsProgramHoldsTheDevice) {
    enum class Writer { HoldsThePort, ReusedItsPid, Gone };
    const struct {
        Writer writer;
        bool bareName;  // the lock under the device's bare name ("LCK..3")
    } cases[] = {{Writer::HoldsThePort, false}, {Writer::ReusedItsPid, false}, {Writer::Gone, true}};
    for (const auto& c : cases) {
        Sleeper other(c.writer == Writer::HoldsThePort ? pty.SlavePath() : std::string());
        const int pid = other.Pid();
        if (c.writer == Writer::Gone) other.End();
        const auto names = LockFileNames(fs::canonical(pty.SlavePath()));
        const fs::path lock = folder.Path() / (c.bareName ? names.back() : names.front());
        std::ofstream(lock) << std::string(10 - std::to_string(pid).size(), ' ') << pid << "\n";
        const auto holder = claim.Claim(pty.SlavePath(), Places());
        if (c.writer == Writer::HoldsThePort) {
            ASSERT_TRUE(holder);
            EXPECT_EQ(holder->pid, pid);
            EXPECT_EQ(holder->Describe(), "sleep (pid " + std::to_string(pid) + ")");
            EXPECT_TRUE(fs::exists(lock));  // theirs, and left alone
        } else {
            EXPECT_FALSE(holder) << holder->Describe();
            EXPECT_TRUE(fs::exists(LockFile()));  // ours now
            EXPECT_EQ(fs::exists(lock), !c.bareName);  // the stale one went
        }
        claim.Release();
        fs::remove(lock);
    }
}

TEST_F(PortClaimTest, ProgramHoldingTheDeviceOpenIsNamed) {
    Sleeper terminal(pty.SlavePath());
    const auto holder = claim.Claim(pty.SlavePath(), Places());
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, terminal.Pid());
    EXPECT_EQ(holder->program, "sleep");
    EXPECT_FALSE(fs::exists(LockFile()));
    terminal.End();
    EXPECT_FALSE(claim.Claim(pty.SlavePath(), Places()));
}

// The port itself, on the system's own lock folders: an open refused with
// the holder named, and, when the lock folder may be written, our lock
// file for as long as the port is open.
TEST_F(PortClaimTest, PortOpenIsRefusedWhileAnotherProgramHoldsIt) {
    TComm32 port;
    port.fSetPortName(pty.SlavePath());
    {
        Sleeper terminal(pty.SlavePath());
        try {
            port.Open();
            FAIL() << "the port was shared";
        } catch (const EComm32Error& e) {
            EXPECT_EQ(e.SystemError(), EBUSY);
            EXPECT_NE(e.OpenFailureAdvice().find("is busy: sleep (pid " +
                                                 std::to_string(terminal.Pid()) + ") holds it"),
                      std::string::npos)
                << e.OpenFailureAdvice();
        }
    }
    port.Open();
    const fs::path lock =
        fs::path("/run/lock") / LockFileNames(fs::canonical(pty.SlavePath())).front();
    const bool lockable = ::access("/run/lock", W_OK) == 0;
    EXPECT_EQ(fs::exists(lock), lockable);
    port.Close();
    EXPECT_FALSE(fs::exists(lock));
}

}  // namespace
}  // namespace vantrel
