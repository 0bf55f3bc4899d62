#include "app/SystemZone.h"

#include <time.h>

namespace vantrel {

namespace {

// The local time at `when`, with its UTC offset and daylight flag.
std::optional<std::tm> LocalAt(std::time_t when) {
    std::tm local{};
    if (localtime_r(&when, &local) == nullptr) return std::nullopt;
    return local;
}

// The zone's UTC offset in the year of `local` in standard time (`daylight`
// false) or in daylight saving time, sampled at the start of January and of
// July; nullopt when neither sample is of that kind.
std::optional<long> OffsetInYear(const std::tm& local, bool daylight) {
    for (int month : {0, 6}) {
        std::tm probe{};
        probe.tm_year = local.tm_year;
        probe.tm_mon = month;
        probe.tm_mday = 1;
        probe.tm_hour = 12;
        probe.tm_isdst = -1;
        std::time_t t = std::mktime(&probe);
        if (t == static_cast<std::time_t>(-1)) continue;
        auto sample = LocalAt(t);
        if (sample && (sample->tm_isdst > 0) == daylight) return sample->tm_gmtoff;
    }
    return std::nullopt;
}

}  // namespace

std::optional<ZoneBias> ReadSystemZone(std::time_t when) {
    ::tzset();  // localtime_r need not notice a changed TZ by itself
    auto local = LocalAt(when);
    if (!local) return std::nullopt;
    ZoneBias zone;
    zone.daylight = local->tm_isdst > 0;
    long standard =
        zone.daylight ? OffsetInYear(*local, false).value_or(local->tm_gmtoff) : local->tm_gmtoff;
    long daylight =
        zone.daylight ? local->tm_gmtoff : OffsetInYear(*local, true).value_or(standard);
    zone.bias = static_cast<int>(-standard / 60);
    zone.daylightBias = static_cast<int>(-(daylight - standard) / 60);
    return zone;
}

std::optional<ZoneBias> ReadSystemZone() {
    return ReadSystemZone(std::time(nullptr));
}

int ZoneHoursFromBias(int bias, bool daylight, int daylightBias) {
    int hours = -(bias / 60);
    if (daylight) hours += -(daylightBias / 60);
    return hours;
}

}  // namespace vantrel
