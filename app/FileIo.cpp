#include "app/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

namespace vantrel {

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Creates a new, unique file beside `target`; its name and descriptor.
int CreateTemporary(const std::filesystem::path& target, std::string& name) {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(stamp) + "-" +
                     std::to_string(attempt);
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            name = candidate.string();
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

void SyncFolder(const std::filesystem::path& target) {
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename is already visible
    ::close(fd);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::filesystem::path target(path);
    std::string temporary;
    int fd = CreateTemporary(target, temporary);
    if (fd < 0) return false;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target);
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string out;
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        out.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

}  // namespace vantrel
