#include "serial/PortClaim.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string_view>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <set>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockPrefix = "LCK..";

std::string ProgramName(const fs::path& proc, int pid) {
    std::ifstream comm(proc / std::to_string(pid) / "comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// The pid a lock file names (ten digits, space-padded, and a newline by the
// convention; any run of digits after blanks is taken), or 0.
int LockPid(const fs::path& file) {
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    const auto start = text.find_first_not_of(" \t");
    if (start == std::string::npos) return 0;
    int pid = 0;
    const auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), pid);
    return error == std::errc() && pid > 0 ? pid : 0;
}

// Whether the process `pid` (a folder under the /proc descriptor) has a
// descriptor open on `path`; unknown when its descriptors may not be read.
enum class Holding { Yes, No, Unknown };

Holding HoldsPath(int proc, const char* pid, const std::string& path) {
    const int fds =
        ::openat(proc, (std::string(pid) + "/fd").c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fds < 0) return errno == EACCES || errno == EPERM ? Holding::Unknown : Holding::No;
    std::unique_ptr<DIR, int (*)(DIR*)> entries(::fdopendir(fds), ::closedir);
    if (!entries) {
        ::close(fds);
        return Holding::No;
    }
    char target[PATH_MAX];
    while (const dirent* entry = ::readdir(entries.get())) {
        const ssize_t n = ::readlinkat(fds, entry->d_name, target, sizeof target);
        if (n > 0 && std::string_view(target, static_cast<std::size_t>(n)) == path)
            return Holding::Yes;
    }
    return Holding::No;
}

bool ProcessAlive(int pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

// True when the process named by a lock file still holds `device`: it runs
// and has the device open (or its descriptors may not be read, so it may).
// A pid the system gave to another program since is no holder.
bool LockIsLive(int pid, const fs::path& device, const fs::path& proc) {
    if (!ProcessAlive(pid)) return false;
    const int procFd = ::open(proc.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (procFd < 0) return true;
    const Holding holding = HoldsPath(procFd, std::to_string(pid).c_str(), device.native());
    ::close(procFd);
    return holding != Holding::No;
}

// The holder a lock file names when it still holds the device. A stale lock
// (its process gone, or no longer holding the device) is removed; one of
// this process (another port object here) is left to the open's own lock to
// settle.
std::optional<PortHolder> LiveLockHolder(const fs::path& file, const fs::path& device,
                                         const fs::path& proc) {
    std::error_code error;
    if (!fs::exists(file, error)) return std::nullopt;
    const int pid = LockPid(file);
    if (pid == 0 || pid == ::getpid()) return std::nullopt;
    if (LockIsLive(pid, device, proc)) return PortHolder{pid, ProgramName(proc, pid)};
    fs::remove(file, error);
    return std::nullopt;
}

// The lock folders, each once (/var/lock is usually /run/lock).
std::vector<fs::path> DistinctFolders(const std::vector<fs::path>& folders) {
    std::vector<fs::path> distinct;
    std::set<fs::path> seen;
    for (const fs::path& folder : folders) {
        std::error_code error;
        const fs::path real = fs::canonical(folder, error);
        if (!error && seen.insert(real).second) distinct.push_back(real);
    }
    return distinct;
}

// Writes our lock file; false when another process made it first.
bool WriteLock(const fs::path& file, bool& written) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return errno != EEXIST;  // a folder we may not write to is passed over
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(::getpid()));
    written = ::write(fd, text, static_cast<std::size_t>(length)) == length;
    ::close(fd);
    if (!written) ::unlink(file.c_str());
    return true;
}

}  // namespace

std::string PortHolder::Describe() const {
    return (program.empty() ? std::string("another program") : program) + " (pid " +
           std::to_string(pid) + ")";
}

std::vector<std::string> LockFileNames(const fs::path& canonicalPath) {
    const fs::path relative = canonicalPath.lexically_relative("/dev");
    std::string name = relative.empty() || relative.native().starts_with("..")
                           ? canonicalPath.filename().string()
                           : relative.string();
    std::replace(name.begin(), name.end(), '/', '_');
    std::vector<std::string> names{kLockPrefix + name};
    const std::string bare = kLockPrefix + canonicalPath.filename().string();
    if (bare != names.front()) names.push_back(bare);
    return names;
}

std::optional<PortHolder> FindOpenHolder(const fs::path& canonicalPath, const fs::path& proc) {
    // Plain directory calls: this runs at every open, over every descriptor
    // of every process.
    std::unique_ptr<DIR, int (*)(DIR*)> processes(::opendir(proc.c_str()), ::closedir);
    if (!processes) return std::nullopt;
    const std::string& wanted = canonicalPath.native();
    const int self = ::getpid();
    while (const dirent* process = ::readdir(processes.get())) {
        int pid = 0;
        const char* name = process->d_name;
        const auto [end, error] = std::from_chars(name, name + std::strlen(name), pid);
        if (error != std::errc() || *end != '\0' || pid == self) continue;
        if (HoldsPath(::dirfd(processes.get()), name, wanted) == Holding::Yes)
            return PortHolder{pid, ProgramName(proc, pid)};
    }
    return std::nullopt;
}

std::optional<PortHolder> PortClaim::Claim(const std::string& devicePath,
                                           const ClaimPlaces& places) {
    Release();
    std::error_code error;
    const fs::path device = fs::canonical(devicePath, error);
    if (error) return std::nullopt;
    const std::vector<fs::path> folders = DistinctFolders(places.lockFolders);
    const std::vector<std::string> names = LockFileNames(device);
    for (const fs::path& folder : folders)
        for (const std::string& name : names)
            if (auto holder = LiveLockHolder(folder / name, device, places.proc)) return holder;
    if (auto holder = FindOpenHolder(device, places.proc)) return holder;
    for (const fs::path& folder : folders) {
        const fs::path file = folder / names.front();
        bool written = false;
        // A lock made by another program since the look above: it holds the
        // port, unless it already went away.
        if (!WriteLock(file, written)) {
            if (auto holder = LiveLockHolder(file, device, places.proc)) return holder;
            if (!WriteLock(file, written)) continue;
        }
        if (!written) continue;
        lockFile_ = file;
        break;
    }
    return std::nullopt;
}

void PortClaim::Release() {
    if (lockFile_.empty()) return;
    if (LockPid(lockFile_) == ::getpid()) ::unlink(lockFile_.c_str());
    lockFile_.clear();
}

}  // namespace vantrel
