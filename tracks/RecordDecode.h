#pragma once
// One device record turned into position and local time, and the texts the
// grids show for them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "base/ZoneOffset.h"
#include "tracks/Geodesy.h"
#include "tracks/LeapSeconds.h"
#include "tracks/TrackTable.h"

namespace vantrel {

struct DecodedFix {
    GeodeticFix fix;
    CalendarTime time;
};

// Datum transform (zero velocity) and ECEF to geodetic.
GeodeticFix DecodePosition(const TrackRecord& record);

// The position, and the record's time as UTC (the leap seconds valid at that
// time taken off the GPS time) shifted by `zone`, as calendar time.
DecodedFix DecodeRecord(const TrackRecord& record, ZoneOffset zone, const LeapSecondTable& leaps);

// Reads a track memory image slot by slot: page fillers are stepped over,
// and the walk ends at the end of the bytes, at the first erased record or
// at the first valid record that marks the end of the data.
class TrackMemoryReader {
  public:
    explicit TrackMemoryReader(std::span<const std::uint8_t> memory);

    struct Slot {
        std::size_t index;  // the record's slot number from 0
        TrackRecord record;
        bool checksumOk;
    };
    // The next record, or nothing once the walk has ended.
    std::optional<Slot> Next();

  private:
    std::span<const std::uint8_t> memory_;
    std::size_t slots_;
    std::size_t slot_ = 0;
    std::size_t pos_ = 0;
};

// The time text of a point: year/month/day, two spaces, hour:minute:second,
// each number without leading zeros (2010/5/3  14:5:9).
std::string CalendarText(const CalendarTime& time);
void AppendCalendarText(std::string& out, const CalendarTime& time);

}  // namespace vantrel
