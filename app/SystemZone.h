#pragma once
// The computer's time zone in the terms the display offset is computed from:
// the bias (minutes to add to local standard time to get UTC, so UTC+8 has
// -480), whether daylight saving is in effect, and the daylight bias (minutes
// added to the bias while it is, usually -60).

#include <ctime>
#include <optional>

namespace vantrel {

struct ZoneBias {
    int bias = 0;
    bool daylight = false;
    int daylightBias = 0;
};

// The system zone at `when`, from localtime_r; nullopt when the local time
// cannot be determined.
std::optional<ZoneBias> ReadSystemZone(std::time_t when);
std::optional<ZoneBias> ReadSystemZone();  // now

// Whole hours to add to a device time for display: -(bias / 60), plus
// -(daylightBias / 60) when daylight saving is in effect, each division
// truncated toward zero (a half-hour zone loses its half hour).
int ZoneHoursFromBias(int bias, bool daylight, int daylightBias);

}  // namespace vantrel
