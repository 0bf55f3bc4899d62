#pragma once
// Waiting on descriptors with a way out, and writing to the line at the pace
// of a real serial line.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vantrel::sim {

using SteadyTime = std::chrono::steady_clock::time_point;

enum class Wake { Ready, Timeout, Stop };

// Sleeps until `fd` shows one of `events` (or, with fd < 0, only until the
// deadline), or any of the stop descriptors becomes readable. No deadline
// means no time limit.
Wake WaitFor(int fd, short events, std::span<const int> stopFds,
             std::optional<SteadyTime> deadline);

// The time a serial line needs for `count` bytes of 10 bits at `baud`.
std::chrono::nanoseconds LineTime(std::size_t count, int baud);

class LineWriter {
  public:
    enum class Result { Done, Stopped, Failed };

    LineWriter(int fd, std::vector<int> stopFds) : fd_(fd), stopFds_(std::move(stopFds)) {}

    // Writes all bytes. Paced, each short stretch is handed over only when a
    // real line at `baud` would have delivered its last byte.
    Result Write(std::span<const std::uint8_t> bytes, int baud, bool pace);
    Result Pause(std::chrono::milliseconds pause);

  private:
    Result WriteNow(std::span<const std::uint8_t> bytes);

    int fd_;
    std::vector<int> stopFds_;
    SteadyTime lineFree_{};
};

}  // namespace vantrel::sim
