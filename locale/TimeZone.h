#pragma once
// The display offset of POI times: whole hours added to the device's time.
// It comes from the computer's time zone at start and from the two time-zone
// choosers (POI and Track pages), which always show the same text.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class UserMessages;

// The computer's time zone in the terms the display offset is computed from:
// the bias (minutes to add to local standard time to get UTC, so UTC+8 has
// -480), whether daylight saving is in effect, and the daylight bias (minutes
// added to the bias while it is, usually -60).
struct ZoneBias {
    int bias = 0;
    bool daylight = false;
    int daylightBias = 0;
};

// The system zone at `when`, from localtime_r; nullopt when the local time
// cannot be determined.
std::optional<ZoneBias> ReadSystemZone(std::time_t when);
std::optional<ZoneBias> ReadSystemZone();  // now

// The offset rule from the system's zone information, all in minutes west of
// UTC: -(bias / 60), plus -(daylightBias / 60) while daylight saving is in
// effect. Each division truncates toward zero, so half-hour zones lose their
// half hour (bias -330 gives 5).
int LocalZoneHoursFromBias(int biasMinutes, bool daylightInEffect, int daylightBiasMinutes);

// The offset of this computer's zone at this moment, by the rule above; 0
// when the zone cannot be read.
int SystemLocalZoneHours();

// An offset as the choosers show it: "%i", so never with a plus sign.
std::string ZoneHoursText(int hours);

// The integer value of a chooser's text ("+8" is 8, "-5" is -5), or nullopt
// when the text is not an integer or lies outside -23..+23: a shift carries or
// borrows at most one day, so larger offsets would give impossible dates.
std::optional<int> ParseZoneHours(std::string_view text);

// The two choosers' texts and the 25 items both offer ("-12" ... "-1", "+0",
// "+1" ... "+12"); the lists are editable, so any text can be typed in.
struct TimeZoneChoosers {
    static std::vector<std::string> Items();

    std::string comboTimeZone = "+0";     // POI page
    std::string comboTimeZoneTrk = "+0";  // Track page
};

// The change handler of both choosers: takes the sender's text as the new
// offset and shows it in both. A text that is not an integer offset changes
// nothing and is reported with a message box; returns false then. Lists
// already shown are not shifted again.
bool comboTimeZoneChange(std::string_view senderText, TimeZoneChoosers& choosers,
                         int& LocalZoneHours, UserMessages& messages);

// The six time bytes of a POI record, in record order.
struct RecordTimeFields {
    static constexpr std::size_t kYear = 0;  // year - 1900, unsigned
    static constexpr std::size_t kMonth = 1;
    static constexpr std::size_t kDay = 2;
    static constexpr std::size_t kHour = 3;
    static constexpr std::size_t kMinute = 4;
    static constexpr std::size_t kSecond = 5;
    static constexpr std::size_t kCount = 6;
};

// Adds a whole-hour offset to a record's date and time in place, carrying or
// borrowing at most one day. February always has 28 days here: the device's
// dates are shifted the way the device itself counts them.
void ShiftRecordTime(int offset, std::uint8_t* record);

// Days of a month by the rule above (months outside 1..12 count 30).
int RecordMonthLength(int month);

}  // namespace vantrel
