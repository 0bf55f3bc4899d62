// Inputs far larger than any file a command can mean, and inputs without an
// end: each is refused with exit 6 and a message naming the file and the
// limit, after reading no more than the limit, so memory stays a small
// multiple of it. Each command runs in a child process whose peak memory
// (ru_maxrss) is compared with that of a child that does nothing.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/TransferArea.h"
#include "cli/Cli.h"
#include "support/ScratchFolder.h"
#include "tracks/TrackFile.h"

namespace vantrel::cli {
namespace {

using vantrel::testing::ReadFile;
using vantrel::testing::ScratchFolder;

struct ChildRun {
    int code = -1;
    long peakKib = 0;  // the child's ru_maxrss
    std::string errors;
};

// Runs the command in a forked child with stdout discarded and stderr kept.
ChildRun RunInChild(int (*command)(Args), std::vector<std::string> args,
                    const ScratchFolder& folder) {
    const std::string errors = folder.File("stderr.txt");
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int out = ::open("/dev/null", O_WRONLY);
        ::dup2(err, 2);
        ::dup2(out, 1);
        const int code = command ? command(args) : 0;
        std::fflush(nullptr);
        ::_exit(code);
    }
    ChildRun run;
    int status = 0;
    struct rusage usage {};
    if (pid > 0 && ::wait4(pid, &status, 0, &usage) == pid) {
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        run.peakKib = usage.ru_maxrss;
    }
    run.errors = ReadFile(errors);
    return run;
}

// A file of `size` zero bytes that takes no room on disk.
std::string SparseFile(const ScratchFolder& folder, const std::string& name, off_t size) {
    const std::string path = folder.File(name);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    EXPECT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
    return path;
}

std::string LinkToZero(const ScratchFolder& folder, const std::string& name) {
    std::filesystem::create_symlink("/dev/zero", folder / name);
    return folder.File(name);
}

constexpr off_t k200MB = off_t{200} << 20;

long BaselineKib(const ScratchFolder& folder) {
    return RunInChild(nullptr, {}, folder).peakKib;
}

TEST(InputLimits, HugeFilesAreRefusedWithoutBeingReadWhole) {
    ScratchFolder folder;
    const long baseline = BaselineKib(folder);
    struct Case {
        int (*command)(Args);
        std::string file;
        std::vector<std::string> args;
        std::string limit;     // as the message gives it
        std::size_t limitBytes;
    };
    const std::string out = folder.File("out.rte");
    const std::vector<Case> cases = {
        {RunConvert, "huge.csv", {out}, "262144 bytes a plan or POI CSV", 262144},
        {RunInfo, "huge.trk", {}, std::to_string(kMaxTrackFileBytes) + " bytes a track file",
         kMaxTrackFileBytes},
        {RunConvert, "huge.gpx", {out}, "16777216 bytes a GPX file", std::size_t{16} << 20},
        {RunAssemble, "huge.bin", {folder.File("out.trk")}, "2097152 bytes a track memory",
         TransferArea::kSize},
    };
    for (const Case& c : cases) {
        const std::string path = SparseFile(folder, c.file, k200MB);
        std::vector<std::string> args{path};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ChildRun run = RunInChild(c.command, args, folder);
        EXPECT_EQ(run.code, kBadFile) << c.file << ": " << run.errors;
        EXPECT_NE(run.errors.find("cannot read " + path + ": larger than the " + c.limit + " can be"),
                  std::string::npos)
            << run.errors;
        // Three times the limit and 16 MiB for the program's own pieces,
        // against the 200 MB of the file.
        const long allowedKib = static_cast<long>(3 * c.limitBytes / 1024) + 16 * 1024;
        EXPECT_LT(run.peakKib - baseline, allowedKib) << c.file;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

TEST(InputLimits, AFileWithoutAnEndIsRefused) {
    ScratchFolder folder;
    const std::string plan = folder.File("out.rte");
    struct Case {
        int (*command)(Args);
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {RunInfo, {LinkToZero(folder, "zero.trk")}},
        {RunInfo, {LinkToZero(folder, "zero.rte")}},
        {RunConvert, {LinkToZero(folder, "zero.csv"), plan}},
        {RunConvert, {LinkToZero(folder, "zero.gpx"), plan}},
        {RunConvert, {folder.File("zero.rte"), folder.File("out.gpx")}},
        {RunAssemble, {LinkToZero(folder, "zero.bin"), folder.File("out.trk")}},
    };
    for (const Case& c : cases) {
        const ChildRun run = RunInChild(c.command, c.args, folder);
        EXPECT_EQ(run.code, kBadFile) << c.args[0] << ": " << run.errors;
        EXPECT_NE(run.errors.find("cannot read " + c.args[0] + ": larger than the "), std::string::npos)
            << run.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(plan));
}

}  // namespace
}  // namespace vantrel::cli
