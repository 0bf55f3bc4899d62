#pragma once
// Progress of a transfer on stderr: a redrawn bar with bytes, rate and time
// left when stderr is a terminal, plain lines (at most one per second)
// otherwise, so logs stay readable.

#include <chrono>
#include <cstdio>
#include <string>

namespace vantrel::cli {

class Progress {
  public:
    using Clock = std::chrono::steady_clock;

    // `total` may be 0 when the size is not known in advance.
    Progress(std::string what, std::size_t total, std::FILE* out = stderr);

    void Update(std::size_t done);
    // Ends the bar with a final line.
    void Finish(std::size_t done);

    // The text of one report, without line control: "what 12.0 KiB / 2.0 MiB
    // 11.2 KiB/s 3:02 left". Public for tests.
    static std::string Describe(const std::string& what, std::size_t done, std::size_t total,
                                double seconds);

  private:
    std::string what_;
    std::size_t total_;
    std::FILE* out_;
    bool terminal_;
    Clock::time_point start_;
    Clock::time_point lastReport_;
};

}  // namespace vantrel::cli
