#include "tracks/ClockEra.h"

#include "tracks/LeapSeconds.h"

namespace vantrel {

namespace {

using namespace std::chrono;

constexpr std::int64_t kLeapSecondsOf2017 = 18;
constexpr std::int64_t kDay = 86400;

}  // namespace

std::int64_t ApproximateGpsSeconds(Seconds utc) {
    return (utc - kGpsEpoch).count() + kLeapSecondsOf2017;
}

std::int64_t ClockUnwrapper::Unwrap(std::uint32_t stored) {
    if (started_ && std::int64_t{last_} - std::int64_t{stored} > kClockEraSeconds / 2) ++wraps_;
    started_ = true;
    last_ = stored;
    return std::int64_t{stored} + wraps_ * kClockEraSeconds;
}

std::int64_t EraOffset(std::int64_t latestUnwrapped, std::int64_t nowGpsSeconds) {
    const std::int64_t room = nowGpsSeconds + kDay - latestUnwrapped;
    if (room < 0) return 0;
    return room / kClockEraSeconds * kClockEraSeconds;
}

}  // namespace vantrel
