#include "tracks/RecordDecode.h"

#include <cstdio>

namespace vantrel {

DecodedFix DecodeRecord(const TrackRecord& record, int zoneHours) {
    EcefState ecef{static_cast<double>(record.ecefX),
                   static_cast<double>(record.ecefY),
                   static_cast<double>(record.ecefZ),
                   0,
                   0,
                   0};
    DatumTransform(ecef, ecef);
    DecodedFix out{};
    LatLonTrig trig{};
    EcefToGeodetic(ecef, out.fix, trig);
    // The device time plus the zone offset, taken modulo 2^32 as the
    // 32-bit seconds argument.
    auto local = static_cast<std::uint32_t>(static_cast<std::int64_t>(record.Seconds()) +
                                            static_cast<std::int64_t>(zoneHours) * 3600);
    GpsToCalendar(local, 0, out.time);
    return out;
}

std::string CalendarText(const CalendarTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%i/%i/%i  %i:%i:%i", time.year + 1900, int(time.month),
                  int(time.day), int(time.hour), int(time.minute), int(time.second));
    return text;
}

}  // namespace vantrel
