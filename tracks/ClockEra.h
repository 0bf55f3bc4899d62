#pragma once
// The logger keeps 30 bits of GPS seconds, so its clock wraps every 2^30 s
// (about 34 years; the first wrap came on 14 January 2014). A stored time t
// stands for GPS time t + k * 2^30 s. The whole memory takes one k: the
// largest that puts its latest time no later than one day after the
// computer's clock. Times that run backwards by more than half an era mark a
// wrap inside the memory itself, and the records after it take one era more.

#include <cstdint>

#include "base/TimeText.h"

namespace vantrel {

inline constexpr std::int64_t kClockEraSeconds = std::int64_t{1} << 30;

// GPS seconds since the GPS epoch (1980-01-06) of a UTC moment, counting the
// leap seconds as of 2017 (close enough to choose an era).
std::int64_t ApproximateGpsSeconds(Seconds utc);

// Follows the stored times of a memory in the order logged and counts the
// wraps among them.
class ClockUnwrapper {
  public:
    // The stored time with the wraps so far added, in GPS seconds.
    std::int64_t Unwrap(std::uint32_t stored);
    // The wraps met so far.
    int Wraps() const { return static_cast<int>(wraps_); }

  private:
    bool started_ = false;
    std::uint32_t last_ = 0;
    std::int64_t wraps_ = 0;
};

// The era k (in seconds, a multiple of 2^30) to add to every unwrapped time,
// given the latest unwrapped time of the memory and the computer's clock;
// never below 0.
std::int64_t EraOffset(std::int64_t latestUnwrapped, std::int64_t nowGpsSeconds);

}  // namespace vantrel
