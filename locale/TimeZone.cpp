#include "locale/TimeZone.h"

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "base/UserMessages.h"

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

ZoneOffset LocalZoneOffsetFromBias(int biasMinutes, bool daylightInEffect,
                                   int daylightBiasMinutes) {
    return ZoneOffset{-(biasMinutes + (daylightInEffect ? daylightBiasMinutes : 0))};
}

ZoneOffset SystemLocalZoneOffset() {
    const auto zone = ReadSystemZone();
    return zone ? LocalZoneOffsetFromBias(zone->bias, zone->daylight, zone->daylightBias)
                : ZoneOffset{};
}

std::vector<std::string> ZoneChooserItems() {
    // Whole hours, then the zones whose offsets have minutes, and the zones
    // east of +12 (Tonga, Kiribati).
    std::vector<int> minutes;
    for (int h = -12; h <= 12; ++h)
        minutes.push_back(h * 60);
    for (int m : {-570, -210, 210, 270, 330, 345, 390, 525, 570, 630, 765, 780, 825, 840})
        minutes.push_back(m);
    std::sort(minutes.begin(), minutes.end());
    std::vector<std::string> items;
    for (int m : minutes)
        items.push_back((m >= 0 ? "+" : "") + ZoneText(ZoneOffset{m}));
    return items;
}

bool comboTimeZoneChange(std::string_view senderText, UiTexts& texts, ZoneOffset& LocalZoneOffset,
                         UserMessages& messages) {
    auto zone = ParseZoneOffset(senderText);
    if (!zone) {
        messages.ShowMessage("'" + std::string(senderText) + "' is not a valid time zone offset",
                             "Error");
        return false;
    }
    LocalZoneOffset = *zone;
    texts.SetText("comboTimeZone", SlotKind::Text, std::string(senderText));
    texts.SetText("comboTimeZoneTrk", SlotKind::Text, std::string(senderText));
    return true;
}

int MonthLength(int year, int month) {
    switch (month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12:
            return 31;
        case 2: {
            const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
            return leap ? 29 : 28;
        }
        default:
            return 30;
    }
}

namespace {

// A date one day later or earlier, by the calendar.
void NextDay(int& year, int& month, int& day) {
    if (++day <= MonthLength(year, month)) return;
    day = 1;
    if (++month > 12) {
        month = 1;
        ++year;
    }
}

void PreviousDay(int& year, int& month, int& day) {
    if (--day >= 1) return;
    if (--month < 1) {
        month = 12;
        --year;
    }
    day = MonthLength(year, month);
}

}  // namespace

void ShiftRecordTime(ZoneOffset offset, std::uint8_t* record) {
    using F = RecordTimeFields;
    // Month, day and hour are read as the signed bytes the list shows.
    int year = 1900 + record[F::kYear];
    int month = static_cast<std::int8_t>(record[F::kMonth]);
    int day = static_cast<std::int8_t>(record[F::kDay]);
    int hour = static_cast<std::int8_t>(record[F::kHour]) + offset.minutes / 60;
    int minute = record[F::kMinute];
    if (offset.minutes % 60 != 0) {
        // The minutes carry into the hour; whole-hour offsets leave them alone.
        minute += offset.minutes % 60;
        if (minute < 0) {
            minute += 60;
            --hour;
        } else if (minute >= 60) {
            minute -= 60;
            ++hour;
        }
    }
    if (hour < 0) {
        hour += 24;
        PreviousDay(year, month, day);
    } else if (hour >= 24) {
        hour -= 24;
        NextDay(year, month, day);
    }
    record[F::kYear] = static_cast<std::uint8_t>(year - 1900);
    record[F::kMonth] = static_cast<std::uint8_t>(month);
    record[F::kDay] = static_cast<std::uint8_t>(day);
    record[F::kHour] = static_cast<std::uint8_t>(hour);
    record[F::kMinute] = static_cast<std::uint8_t>(minute);
}

}  // namespace vantrel
