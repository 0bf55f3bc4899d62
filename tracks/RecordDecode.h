#pragma once
// One device record turned into position and local time, and the texts the
// grids show for them.

#include <string>

#include "tracks/Geodesy.h"
#include "tracks/TrackTable.h"

namespace vantrel {

struct DecodedFix {
    GeodeticFix fix;
    CalendarTime time;
};

// Datum transform (zero velocity), ECEF to geodetic, and the record's time
// shifted by zoneHours, as calendar time.
DecodedFix DecodeRecord(const TrackRecord& record, int zoneHours);

// The time text of a point: year/month/day, two spaces, hour:minute:second,
// each number without leading zeros (2010/5/3  14:5:9).
std::string CalendarText(const CalendarTime& time);

}  // namespace vantrel
