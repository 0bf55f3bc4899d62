#pragma once
// A time zone's rules: its offset from UTC at any moment, so that a clock
// reading taken in that zone on any date can be turned into UTC with the
// summer time of that date. The rules come from the system's tzdata (TZif
// files under /usr/share/zoneinfo, named as "Europe/Berlin"), from a POSIX
// TZ rule ("CET-1CEST,M3.5.0,M10.5.0/3", the form TZif files end with for
// the years after their table), or are one fixed offset.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/TimeText.h"
#include "base/ZoneOffset.h"

namespace vantrel {

inline constexpr const char* kZoneInfoFolder = "/usr/share/zoneinfo";
// No TZif file of the system's tzdata comes near this; a larger one is refused.
inline constexpr std::size_t kMaxZoneFileBytes = std::size_t{1} << 20;

// A summer-time rule of POSIX TZ form: standard and summer offsets and the
// moments, each year, at which summer time starts and ends.
struct PosixZoneRule {
    struct Date {
        enum class Kind { Julian1, Julian0, MonthWeekDay } kind = Kind::MonthWeekDay;
        int day = 0;    // Jn: 1..365 without 29 February; n: 0..365; M: weekday 0 (Sunday)..6
        int month = 0;  // M only: 1..12
        int week = 0;   // M only: 1..5, 5 the last
        int seconds = 7200;  // local time of day of the change, may be negative or past 24 h
    };
    int standardSeconds = 0;  // east of UTC
    std::optional<int> summerSeconds;  // east of UTC; none: no summer time
    Date start, end;

    // The offset in seconds east of UTC at `utc`.
    int OffsetAt(std::int64_t utc) const;
};

// "CET-1CEST,M3.5.0,M10.5.0/3" and the like; nullopt when the text is not one.
std::optional<PosixZoneRule> ParsePosixZoneRule(std::string_view text);

class ZoneRules {
  public:
    static ZoneRules Fixed(ZoneOffset offset);
    // A TZif file's rules (versions 1 to 4); nullopt with the reason in `error`.
    static std::optional<ZoneRules> FromTzif(std::string_view bytes, std::string& error);
    // A zone of the system's tzdata by its name ("Europe/Berlin", "UTC");
    // nullopt with the reason when there is no such zone or its file is damaged.
    static std::optional<ZoneRules> Named(std::string_view name, std::string& error,
                                          const std::filesystem::path& folder = kZoneInfoFolder);
    // This computer's zone: the TZ variable when it is set (a zone name, a
    // file, or a POSIX rule), else /etc/localtime, else UTC.
    static ZoneRules System();

    // The offset from UTC at a moment.
    int OffsetSecondsAt(Seconds utc) const;
    ZoneOffset OffsetAt(Seconds utc) const { return {OffsetSecondsAt(utc) / 60}; }
    // The moment at which a clock in this zone showed `wall` (a local date
    // and time, counted as if it were UTC). In the hour a change to winter
    // time repeats, the first of the two moments; in the hour a change to
    // summer time skips, the reading is taken at the offset before it.
    Seconds FromWallClock(Seconds wall) const;

    // How the zone was named: "Europe/Berlin", "+02:00", "TZ=CET-1CEST,...".
    const std::string& Name() const { return name_; }

  private:
    struct Transition {
        std::int64_t at;  // UTC seconds
        int offset;       // seconds east of UTC from then on
    };
    int initial_ = 0;  // before the first transition
    std::vector<Transition> transitions_;
    std::optional<PosixZoneRule> after_;  // past the last transition
    std::string name_;
};

// The zone names the system's tzdata lists (zone1970.tab, else zone.tab),
// sorted, with "UTC" first; empty when neither list can be read.
std::vector<std::string> SystemZoneNames(const std::filesystem::path& folder = kZoneInfoFolder);

}  // namespace vantrel
