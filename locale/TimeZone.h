#pragma once
// The display offset of device times: the zone offset added to the device's
// time wherever a POI time is shown, saved or uploaded. It comes from the
// computer's time zone at start and from the two time-zone choosers (POI and
// Track pages), which always show the same text.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ZoneOffset.h"
#include "locale/UiTexts.h"

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

// The offset from the system's zone information: -(bias + daylightBias)
// minutes while daylight saving is in effect, -bias otherwise. Minutes are
// kept (bias -330 gives +5:30).
ZoneOffset LocalZoneOffsetFromBias(int biasMinutes, bool daylightInEffect, int daylightBiasMinutes);

// The offset of this computer's zone at this moment; 0 when the zone cannot
// be read.
ZoneOffset SystemLocalZoneOffset();

// The items both choosers offer: every whole hour from "-12" to "+12", the
// offsets in use with minutes ("-9:30", "+5:30", "+5:45", ...) and "+13" to
// "+14", in order. The lists are editable, so any offset can be typed in.
std::vector<std::string> ZoneChooserItems();

// The change handler of both choosers: the sender's text becomes the display
// offset and both choosers show it. A text that is no offset changes nothing
// and is reported with a message box; returns false then. Lists already
// shown are not shifted again.
bool comboTimeZoneChange(std::string_view senderText, UiTexts& texts, ZoneOffset& LocalZoneOffset,
                         UserMessages& messages);

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

// Adds an offset to a record's date and time in place, carrying or borrowing
// at most one day through real month lengths (29 days for February of leap
// years), so shifting by an offset and back gives every valid date and time
// back exactly. Seconds are untouched.
void ShiftRecordTime(ZoneOffset offset, std::uint8_t* record);

// Days of a month of the Gregorian calendar; months outside 1..12 count 30.
int MonthLength(int year, int month);

}  // namespace vantrel
