#include "support/PtyPair.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace vantrel::testing {

PtyPair::PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
        throw std::runtime_error("cannot open a pseudo-terminal");
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0)
        throw std::runtime_error("pseudo-terminal has no name");
    slavePath_ = name;
}

PtyPair::~PtyPair() {
    HangUp();
}

void PtyPair::HangUp() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
}

void PtyPair::Send(std::string_view bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) throw std::runtime_error("pty write");
        pollfd p = {master_, POLLOUT, 0};
        ::poll(&p, 1, 100);
    }
}

std::size_t PtyPair::TrySend(std::string_view bytes) const {
    const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::string PtyPair::Receive(std::size_t count, std::chrono::milliseconds timeout) const {
    std::string out;
    const auto end = std::chrono::steady_clock::now() + timeout;
    char buffer[4096];
    while (out.size() < count && std::chrono::steady_clock::now() < end) {
        pollfd p = {master_, POLLIN, 0};
        if (::poll(&p, 1, 10) <= 0) continue;
        const ssize_t n = ::read(master_, buffer, std::min(sizeof buffer, count - out.size()));
        if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}

std::string PtyPair::ReceiveUntilQuiet(std::chrono::milliseconds quiet) const {
    std::string out;
    char buffer[4096];
    for (;;) {
        pollfd p = {master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(quiet.count())) <= 0) return out;
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) return out;
        out.append(buffer, static_cast<std::size_t>(n));
    }
}

}  // namespace vantrel::testing
