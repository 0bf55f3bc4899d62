#pragma once
// Progress of a transfer on stderr. On a terminal: one line redrawn in
// place with a bar, the percentage, bytes, rate and time left (the bar,
// percentage and time left when the size is known in advance, as for
// uploads). Off a terminal: a plain line at most every few seconds, so
// logs stay short. Nothing at all without a stream (quiet).

#include <chrono>
#include <cstdio>
#include <string>

namespace vantrel::cli {

class Progress {
  public:
    // What is counted: bytes ("1.5 MiB", "KiB/s") or things named by the
    // report's `what` ("photos 120 / 500  35/s").
    enum class Unit { Bytes, Items };
    using Clock = std::chrono::steady_clock;
    // Off a terminal, the least time between two lines.
    static constexpr std::chrono::seconds kLogInterval{5};
    // On a terminal, the least time between two redraws.
    static constexpr std::chrono::milliseconds kRedrawInterval{100};

    // `total` may be 0 when the size is not known in advance; `out` may be
    // nullptr for no progress at all.
    Progress(std::string what, std::size_t total, std::FILE* out = stderr,
             Unit unit = Unit::Bytes);

    void Update(std::size_t done);
    // Ends the bar with a final line.
    void Finish(std::size_t done);

    // The text of one report, without line control: "what 12.0 KiB / 2.0 MiB
    // 11.2 KiB/s 3:02 left". Public for tests.
    static std::string Describe(const std::string& what, std::size_t done, std::size_t total,
                                double seconds, Unit unit = Unit::Bytes);
    // The same on a terminal, with a bar and the percentage when the total
    // is known: "what [######..................]  25%  512 B / 2.0 KiB ...".
    static std::string BarLine(const std::string& what, std::size_t done, std::size_t total,
                               double seconds, Unit unit = Unit::Bytes);

  private:
    std::string what_;
    std::size_t total_;
    std::FILE* out_;
    Unit unit_;
    bool terminal_;
    Clock::time_point start_;
    Clock::time_point lastReport_;
};

}  // namespace vantrel::cli
