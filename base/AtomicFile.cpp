#include "base/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace vantrel {

namespace fs = std::filesystem;

namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

fs::path FolderOf(const fs::path& path) {
    return path.parent_path().empty() ? fs::path(".") : path.parent_path();
}

// Creates a new, unique, hidden file beside `target`, with the permissions
// the umask gives a new file; its descriptor and name, or -1.
int CreateTemporary(const fs::path& target, fs::path& name) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const std::string stem = "." + target.filename().string() + ".tmp-" +
                             std::to_string(::getpid()) + "-" + std::to_string(stamp) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = FolderOf(target) / (stem + std::to_string(attempt));
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolder(const fs::path& target) {
    int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // makes the rename itself durable; best effort
    ::close(fd);
}

// A replaced file keeps its owner, where this process may give it, and its
// permissions.
bool KeepMode(int fd, const fs::path& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) != 0) return true;
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        // Not ours to give: the new file stays this process's.
    }
    return ::fchmod(fd, existing.st_mode & 07777) == 0;
}

// What `path` names once its symbolic links are followed (a link whose
// target does not exist yet names that target), or nullopt with ELOOP.
std::optional<fs::path> FollowLinks(fs::path path) {
    constexpr int kMaxLinks = 40;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::error_code error;
        const fs::path link = fs::read_symlink(path, error);
        if (error) return path;
        path = link.is_absolute() ? link : FolderOf(path) / link;
    }
    errno = ELOOP;
    return std::nullopt;
}

// A character device or a FIFO takes the bytes as they are written. A FIFO
// is opened without waiting, so one that nobody reads fails at once.
bool WriteInPlace(const fs::path& target, std::string_view bytes, std::error_code& error) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = LastError();
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    bool ok = flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && WriteAll(fd, bytes);
    if (!ok) error = LastError();
    if (::close(fd) != 0 && ok) {
        error = LastError();
        ok = false;
    }
    return ok;
}

bool ReplaceFile(const fs::path& path, std::string_view bytes, std::error_code& error) {
    fs::path temporary;
    int fd = CreateTemporary(path, temporary);
    if (fd < 0) {
        error = LastError();
        return false;
    }
    bool ok = KeepMode(fd, path) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) error = LastError();
    if (::close(fd) != 0 && ok) {
        error = LastError();
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = LastError();
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(path);
    return true;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const fs::path& path, std::error_code& error,
                                         std::size_t limit) {
    error.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = LastError();
        return std::nullopt;
    }
    // One byte past the limit tells a file that holds more.
    const std::size_t wanted = limit == std::numeric_limits<std::size_t>::max() ? limit : limit + 1;
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < wanted) {
        ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, wanted - bytes.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = LastError();
        if (n <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!error && bytes.size() > limit) error = std::make_error_code(std::errc::file_too_large);
    if (error) return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadFileBytes(const fs::path& path) {
    std::error_code ignored;
    return ReadFileBytes(path, ignored, kAnyFileLimit);
}

std::string TooLargeText(const fs::path& path, std::size_t limit, std::string_view what) {
    return path.string() + " is larger than the " + std::to_string(limit) + " bytes " +
           std::string(what) + " can be";
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes, std::error_code& error) {
    error.clear();
    const std::optional<fs::path> target = FollowLinks(path);
    if (!target) {
        error = LastError();
        return false;
    }
    struct stat st {};
    if (::stat(target->c_str(), &st) != 0 || S_ISREG(st.st_mode))
        return ReplaceFile(*target, bytes, error);
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return WriteInPlace(*target, bytes, error);
    error = std::make_error_code(S_ISDIR(st.st_mode) ? std::errc::is_a_directory
                                                     : std::errc::invalid_argument);
    return false;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    std::error_code ignored;
    return WriteFileAtomically(path, bytes, ignored);
}

bool AppendToFileAtomically(const fs::path& path, std::string_view bytes) {
    std::error_code error;
    auto existing = ReadFileBytes(path, error, kAnyFileLimit);
    if (!existing) {
        if (error != std::errc::no_such_file_or_directory) return false;
        existing.emplace();
    }
    return WriteFileAtomically(path, *existing + std::string(bytes));
}

}  // namespace vantrel
