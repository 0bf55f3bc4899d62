#include "sim/LineWriter.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace vantrel::sim {

namespace {

using Clock = std::chrono::steady_clock;

// Each paced write carries about 10 ms of the line's bytes.
constexpr int kPacedWritesPerSecond = 100;

// A hang-up without room to write: the other end of the line is closed.
bool PeerClosed(int fd) {
    pollfd p{fd, POLLOUT, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP) != 0 && (p.revents & POLLOUT) == 0;
}

}  // namespace

Wake WaitFor(int fd, short events, std::span<const int> stopFds,
             std::optional<SteadyTime> deadline) {
    std::vector<pollfd> fds;
    for (int stop : stopFds)
        fds.push_back({stop, POLLIN, 0});
    if (fd >= 0) fds.push_back({fd, events, 0});
    for (;;) {
        timespec timeout{};
        if (deadline) {
            const auto left = std::max(*deadline - Clock::now(), Clock::duration::zero());
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
            timeout = {static_cast<time_t>(ns / 1'000'000'000),
                       static_cast<long>(ns % 1'000'000'000)};
        }
        const int n = ::ppoll(fds.data(), fds.size(), deadline ? &timeout : nullptr, nullptr);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Wake::Stop;  // cannot wait: give up rather than spin
        for (std::size_t i = 0; i < stopFds.size(); ++i)
            if (fds[i].revents) return Wake::Stop;
        return n > 0 ? Wake::Ready : Wake::Timeout;
    }
}

std::chrono::nanoseconds LineTime(std::size_t count, int baud) {
    return std::chrono::nanoseconds(static_cast<std::int64_t>(count) * 10 * 1'000'000'000 / baud);
}

LineWriter::Result LineWriter::Write(std::span<const std::uint8_t> bytes, int baud, bool pace) {
    if (!pace) return WriteNow(bytes);
    const std::size_t stretch = std::max(1, baud / 10 / kPacedWritesPerSecond);
    // The bytes of one write follow one another without a gap, as a UART
    // sends them: a stretch handed over late does not delay the next.
    lineFree_ = std::max(lineFree_, Clock::now());
    while (!bytes.empty()) {
        const auto part = bytes.first(std::min(stretch, bytes.size()));
        lineFree_ += LineTime(part.size(), baud);
        if (WaitFor(-1, 0, stopFds_, lineFree_) == Wake::Stop) return Result::Stopped;
        if (const Result r = WriteNow(part); r != Result::Done) return r;
        bytes = bytes.subspan(part.size());
    }
    return Result::Done;
}

LineWriter::Result LineWriter::Pause(std::chrono::milliseconds pause) {
    if (pause.count() <= 0) return Result::Done;
    return WaitFor(-1, 0, stopFds_, Clock::now() + pause) == Wake::Stop ? Result::Stopped
                                                                        : Result::Done;
}

LineWriter::Result LineWriter::WriteNow(std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EAGAIN) {
            // With the PC's end closed nothing drains the line: what the
            // device sends now is lost, as on a real cable.
            if (PeerClosed(fd_)) return Result::Done;
            if (WaitFor(fd_, POLLOUT, stopFds_, std::nullopt) == Wake::Stop) return Result::Stopped;
        } else {
            return Result::Failed;
        }
    }
    return Result::Done;
}

}  // namespace vantrel::sim
