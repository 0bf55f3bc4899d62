#include "app/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace vantrel {

namespace fs = std::filesystem;

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

// The mode a replaced file keeps; new files are readable by all (as far as
// the folder allows) and writable by the owner.
mode_t ModeFor(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    return 0644;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const fs::path& path, std::error_code& error) {
    error.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::error_code(errno, std::generic_category());
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    while (true) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = std::error_code(errno, std::generic_category());
        if (n <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (error) return std::nullopt;
    return bytes;
}

bool WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);  // makes the rename itself durable; best effort
        ::close(dirFd);
    }
    return true;
}

bool AppendToFileAtomically(const fs::path& path, std::string_view bytes) {
    std::error_code error;
    auto existing = ReadFileBytes(path, error);
    if (!existing) {
        if (error != std::errc::no_such_file_or_directory) return false;
        existing.emplace();
    }
    return WriteFileAtomically(path, *existing + std::string(bytes));
}

}  // namespace vantrel
