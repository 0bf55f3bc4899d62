#pragma once
// When a photo was taken. The camera writes its clock's reading
// (DateTimeOriginal, with SubSecTimeOriginal for the fraction) and, on newer
// cameras, the zone that clock was set to (OffsetTimeOriginal). The moment
// in UTC takes, in this order: the photo's own offset; else the camera zone
// the user names, a fixed offset or a zone whose rules give each photo the
// offset of its own date; else this computer's zone rules at that date. The
// camera's clock error, in seconds, is added last.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/TimeText.h"
#include "base/ZoneOffset.h"
#include "locale/ZoneRules.h"

namespace vantrel {

using Millis = std::chrono::sys_time<std::chrono::milliseconds>;

// What the camera wrote.
struct CameraTime {
    Seconds wall;           // the clock's date and time, counted as if it were UTC
    int milliseconds = 0;   // the fraction of that second
    std::optional<ZoneOffset> ownOffset;  // the photo's own zone, when it has one
    friend bool operator==(const CameraTime&, const CameraTime&) = default;
};

// "2024:03:31 01:59:30" as EXIF writes it (a "-" or "T" between the parts
// is taken too); nothing when it is no date and time.
std::optional<Seconds> ParseExifDateTime(std::string_view text);
// SubSecTimeOriginal's digits as milliseconds ("5" 500, "12" 120, "123456"
// 123); 0 for anything else.
int ParseSubSeconds(std::string_view text);
// OffsetTimeOriginal: "+02:00", "-05:30", "Z"; nothing for anything else
// (cameras write "   :  " when they do not know).
std::optional<ZoneOffset> ParseExifOffset(std::string_view text);

// XMP's exif:DateTimeOriginal: "2024-03-31T01:59:30.12+02:00", the
// fraction and the offset optional (an offset is the photo's own zone).
std::optional<CameraTime> ParseXmpDateTime(std::string_view text);

// "2024-03-31 01:59:30.120" of the camera's reading, with its own offset
// when it has one ("2024-03-31 01:59:30 +02:00").
std::string CameraTimeText(const CameraTime& time);
// "2024-03-30T23:59:30.120Z" (the fraction only when there is one).
std::string UtcText(Millis utc);

// Where a photo's zone came from.
enum class ZoneSource { Photo, Camera, Computer };

// How the user says photo times are to be read.
struct PhotoClock {
    std::optional<ZoneRules> cameraZone;       // none: the computer's rules
    ZoneRules computerZone = ZoneRules::System();
    std::int64_t offsetSeconds = 0;            // added to every camera time
};

// A camera zone as the user gives it: an offset ("+02:00", "-5", "5:30"),
// "UTC", or a zone name of the system's tzdata ("Europe/Berlin"); nothing
// with the reason otherwise.
std::optional<ZoneRules> ParseCameraZone(std::string_view text, std::string& error);

struct PhotoMoment {
    Millis utc;
    ZoneOffset offset;  // the zone offset the camera's reading was taken at
    ZoneSource source;
};
PhotoMoment ResolveMoment(const CameraTime& time, const PhotoClock& clock);

// The clock offset a photo of a clock gives: the true time the clock showed
// (typed by the user, read in the camera's zone like the camera's own
// reading) less the camera's reading of the same moment.
std::int64_t ClockOffsetSeconds(const CameraTime& photo, Seconds shownWall);
// What the user typed as the clock's time: "14:05:09" or "14:05" (the day
// of `photoWall` or the one before or after, whichever lies nearest to the
// photo), or a whole "2024-03-31 14:05:09" (also with ':' in the date or a
// 'T'); nothing when it is neither.
std::optional<Seconds> ParseClockReading(std::string_view text, Seconds photoWall);

}  // namespace vantrel
