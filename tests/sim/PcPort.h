#pragma once
// The PC's end of the simulator's line, opened raw as a serial port would
// be, with reads that wait on poll() up to a deadline.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::sim::testing {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

class PcPort {
  public:
    explicit PcPort(const std::string& path);  // throws std::system_error
    ~PcPort();
    PcPort(const PcPort&) = delete;
    PcPort& operator=(const PcPort&) = delete;

    void Send(std::string_view text);
    void Send(std::span<const std::uint8_t> bytes);
    void Send(std::initializer_list<std::uint8_t> bytes) { Send(Bytes(bytes)); }

    // Up to `count` bytes: fewer only when `timeout` passes first.
    Bytes Read(std::size_t count, std::chrono::milliseconds timeout = 5s);
    // A text reply: skips what comes before "$", then reads through the next LF.
    std::string ReadReply(std::chrono::milliseconds timeout = 5s);
    // Everything until the line stays quiet for `quiet`.
    Bytes ReadUntilQuiet(std::chrono::milliseconds quiet = 300ms);
    // True when the line reports a hang-up within `timeout`.
    bool SeesHangUp(std::chrono::milliseconds timeout = 5s);

  private:
    int fd_ = -1;
};

std::string Text(std::span<const std::uint8_t> bytes);

}  // namespace vantrel::sim::testing
