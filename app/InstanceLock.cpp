#include "app/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace vantrel {

std::string SanitisedLockName(std::string_view name) {
    std::string out(name);
    for (char& c : out) {
        bool keep = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
        if (!keep) c = '_';
    }
    return out;
}

std::filesystem::path InstanceLockPathFor(const char* xdgRuntimeDir, std::string_view name) {
    std::string file = SanitisedLockName(name);
    if (xdgRuntimeDir != nullptr && xdgRuntimeDir[0] == '/')
        return std::filesystem::path(xdgRuntimeDir) / (file + ".lock");
    // /tmp is shared by every user: each user gets a lock of their own.
    return std::filesystem::path("/tmp") / (file + "-" + std::to_string(::getuid()) + ".lock");
}

std::filesystem::path DefaultInstanceLockPath() {
    return InstanceLockPathFor(std::getenv("XDG_RUNTIME_DIR"), kInstanceName);
}

InstanceLock::InstanceLock(const std::filesystem::path& file) {
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) return;
    int rc;
    do {
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        state_ = State::Acquired;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace vantrel
