#include "PcPort.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace vantrel::sim::testing {

namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

// Waits for input until the deadline; false on timeout or hang-up.
bool WaitReadable(int fd, Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() < 0) return false;
    pollfd p{fd, POLLIN, 0};
    const int n = ::poll(&p, 1, static_cast<int>(left.count()));
    return n > 0 && (p.revents & POLLIN);
}

}  // namespace

PcPort::PcPort(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) Fail("open port");
    termios raw{};
    if (::tcgetattr(fd_, &raw) != 0) Fail("tcgetattr");
    ::cfmakeraw(&raw);
    ::cfsetspeed(&raw, B9600);
    if (::tcsetattr(fd_, TCSANOW, &raw) != 0) Fail("tcsetattr");
}

PcPort::~PcPort() {
    ::close(fd_);
}

void PcPort::Send(std::string_view text) {
    Send({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

void PcPort::Send(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EAGAIN) {
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, 1000);
        } else if (!(n < 0 && errno == EINTR)) {
            Fail("write port");
        }
    }
}

Bytes PcPort::Read(std::size_t count, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    Bytes got;
    while (got.size() < count && WaitReadable(fd_, deadline)) {
        std::uint8_t buffer[4096];
        const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
        if (n <= 0) break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

std::string PcPort::ReadReply(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    std::string reply;
    while (reply.empty() || reply.back() != '\n') {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const Bytes b = Read(1, std::max(left, 0ms));
        if (b.empty()) break;
        if (!reply.empty() || b[0] == '$') reply += static_cast<char>(b[0]);
    }
    return reply;
}

Bytes PcPort::ReadUntilQuiet(std::chrono::milliseconds quiet) {
    Bytes all;
    for (;;) {
        const Bytes more = Read(4096, quiet);
        if (more.empty()) return all;
        all.insert(all.end(), more.begin(), more.end());
    }
}

bool PcPort::SeesHangUp(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0) return false;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
        if (p.revents & (POLLHUP | POLLERR)) return true;
        std::uint8_t buffer[4096];
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);  // drain what came before
        if (n == 0 || (n < 0 && errno == EIO)) return true;
    }
}

std::string Text(std::span<const std::uint8_t> bytes) {
    return {bytes.begin(), bytes.end()};
}

}  // namespace vantrel::sim::testing
