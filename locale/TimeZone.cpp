#include "locale/TimeZone.h"

#include <time.h>

#include <charconv>
#include <cstdio>
#include <ctime>

#include "app/UserMessages.h"

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

int LocalZoneHoursFromBias(int biasMinutes, bool daylightInEffect, int daylightBiasMinutes) {
    int hours = -(biasMinutes / 60);
    if (daylightInEffect) hours += -(daylightBiasMinutes / 60);
    return hours;
}

int SystemLocalZoneHours() {
    const auto zone = ReadSystemZone();
    return zone ? LocalZoneHoursFromBias(zone->bias, zone->daylight, zone->daylightBias) : 0;
}

std::string ZoneHoursText(int hours) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", hours);
    return text;
}

std::optional<int> ParseZoneHours(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < -23 || value > 23) return std::nullopt;
    return value;
}

std::vector<std::string> TimeZoneChoosers::Items() {
    std::vector<std::string> items;
    for (int h = -12; h <= 12; ++h)
        items.push_back(h < 0 ? ZoneHoursText(h) : "+" + ZoneHoursText(h));
    return items;
}

bool comboTimeZoneChange(std::string_view senderText, TimeZoneChoosers& choosers,
                         int& LocalZoneHours, UserMessages& messages) {
    auto hours = ParseZoneHours(senderText);
    if (!hours) {
        messages.ShowMessage("'" + std::string(senderText) + "' is not a valid time zone offset",
                             "Error");
        return false;
    }
    LocalZoneHours = *hours;
    choosers.comboTimeZone = std::string(senderText);
    choosers.comboTimeZoneTrk = std::string(senderText);
    return true;
}

int RecordMonthLength(int month) {
    switch (month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12:
            return 31;
        case 2:
            return 28;
        default:
            return 30;
    }
}

void ShiftRecordTime(int offset, std::uint8_t* record) {
    using F = RecordTimeFields;
    // Month, day and hour are read as the signed bytes the list shows.
    int year = record[F::kYear];
    int month = static_cast<std::int8_t>(record[F::kMonth]);
    int day = static_cast<std::int8_t>(record[F::kDay]);
    int hour = static_cast<std::int8_t>(record[F::kHour]) + offset;
    if (hour < 0) {
        hour += 24;
        if (--day < 1) {
            if (--month < 1) {
                --year;
                month = 12;
            }
            day = RecordMonthLength(month);
        }
    } else if (hour >= 24) {
        hour -= 24;
        if (++day > RecordMonthLength(month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    record[F::kYear] = static_cast<std::uint8_t>(year);
    record[F::kMonth] = static_cast<std::uint8_t>(month);
    record[F::kDay] = static_cast<std::uint8_t>(day);
    record[F::kHour] = static_cast<std::uint8_t>(hour);
}

}  // namespace vantrel
