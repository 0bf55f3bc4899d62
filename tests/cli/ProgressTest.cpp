#include "cli/Progress.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>

#include "support/PtyPair.h"

namespace vantrel::cli {
namespace {

TEST(Progress, DescribesBytesRateAndTimeLeft) {
    EXPECT_EQ(Progress::Describe("tracks", 0, 0, 0), "tracks 0 B");
    EXPECT_EQ(Progress::Describe("tracks", 11520, 2 * 1024 * 1024, 1.0),
              "tracks 11.2 KiB / 2.0 MiB  11.2 KiB/s  3:01 left");
    EXPECT_EQ(Progress::Describe("plan", 2048, 2048, 2.0), "plan 2.0 KiB / 2.0 KiB  1.0 KiB/s");
}

TEST(Progress, BarShowsThePartDoneWhenTheTotalIsKnown) {
    EXPECT_EQ(Progress::BarLine("plan", 1024, 4096, 1.0),
              "plan [######..................]  25% 1.0 KiB / 4.0 KiB  1.0 KiB/s  0:03 left");
    EXPECT_EQ(Progress::BarLine("tracks", 2048, 0, 1.0), "tracks 2.0 KiB  2.0 KiB/s");
}

// On a terminal the bar is redrawn in place; elsewhere lines are few.
TEST(Progress, RedrawnOnATerminalAndThrottledElsewhere) {
    vantrel::testing::PtyPair pty;
    const int fd = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    std::FILE* terminal = ::fdopen(fd, "w");
    std::FILE* log = std::tmpfile();
    {
        Progress onTerminal("upload", 4096, terminal);
        Progress onLog("upload", 4096, log);
        for (std::size_t done = 0; done <= 4096; done += 512) {
            std::this_thread::sleep_for(Progress::kRedrawInterval / 2);
            onTerminal.Update(done);
            onLog.Update(done);
        }
        onTerminal.Finish(4096);
        onLog.Finish(4096);
    }
    std::fclose(terminal);
    const std::string shown = pty.ReceiveUntilQuiet();
    // A bar part filled, its percentage and the time left, then the end.
    EXPECT_NE(shown.find("\r\033[Kupload [#"), std::string::npos) << shown;
    EXPECT_NE(shown.find("%"), std::string::npos) << shown;
    EXPECT_NE(shown.find(" left"), std::string::npos) << shown;
    EXPECT_NE(shown.find("\r\033[Kupload 4.0 KiB "), std::string::npos) << shown;

    std::rewind(log);
    std::string logged(4096, '\0');
    logged.resize(std::fread(logged.data(), 1, logged.size(), log));
    std::fclose(log);
    // Less than the log interval went by: only the closing line.
    EXPECT_EQ(logged.rfind("upload 4.0 KiB ", 0), 0u) << logged;
    EXPECT_EQ(std::count(logged.begin(), logged.end(), '\n'), 1) << logged;
}

}  // namespace
}  // namespace vantrel::cli
