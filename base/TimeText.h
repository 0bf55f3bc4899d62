#pragma once
// Moments as the program writes and reads them: UTC seconds (std::chrono's
// sys_seconds) shown at a zone offset, in the lists' form ("2010/5/3  14:5:9")
// or as ISO 8601 ("2010-05-03T14:05:09+02:00").

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "base/ZoneOffset.h"

namespace vantrel {

using Seconds = std::chrono::sys_seconds;

// The moment of a calendar date and clock time, or nothing when the date is
// not in the calendar or the clock reads past 23:59:59.
std::optional<Seconds> CalendarSeconds(int year, int month, int day, int hour, int minute,
                                       int second);

// "2010/5/3  14:5:9": year/month/day, two spaces, hour:minute:second, each
// number without leading zeros, of `shown` (a moment already shifted to the
// zone it is shown at). The track list and the track file write times so.
void AppendListTime(std::string& out, Seconds shown);

// "2011/01/25 14:13:05": a moment as the window shows it at `zone`, every
// field zero-padded.
std::string ShownTimeText(Seconds time, ZoneOffset zone);

// A time as the track and POI lists show it ("2010/5/3  14:5:9" or
// "2010/05/03 14:05:09"), or nothing when the text is no valid date and time.
std::optional<Seconds> ParseCalendarText(std::string_view text);

// An ISO 8601 date and time as GPX writes it ("2011-01-25T14:13:20Z",
// fractions of a second dropped, "+02:00" style offsets turned back; no
// offset reads as UTC), or nothing when the text is not one.
std::optional<Seconds> ParseIsoTime(std::string_view text);

// "2011-01-25T14:13:20" and the zone: "Z" at 0, "+02:00", "-05:00" or "+05:30"
// otherwise; the time shown is `time` plus `zone`.
std::string IsoTimeText(Seconds time, ZoneOffset zone = {});
// What IsoTimeText puts after the time: "Z", "+02:00", ...
std::string IsoZoneText(ZoneOffset zone);
// "2011-01-25T14:13:20" of `shown` appended to `out`, without a zone.
void AppendIsoTime(std::string& out, Seconds shown);

}  // namespace vantrel
