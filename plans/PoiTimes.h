#pragma once
// POI times between the list and files. The list shows each time as
// "YYYY/MM/DD hh:mm:ss" in the display zone (AppValues::LocalZoneOffset);
// files carry the moment itself: GPX in UTC, CSV in ISO 8601 with the offset.

#include <optional>
#include <string>
#include <string_view>

#include "base/ZoneOffset.h"
#include "base/TimeText.h"

namespace vantrel {

// The moment a list cell shown at `zone` stands for, or nullopt when the
// cell is no date and time.
std::optional<Seconds> PoiCellMoment(std::string_view cell, ZoneOffset zone);

// A list cell as ISO 8601 with its offset ("2011-01-25T14:13:20+01:00", "Z"
// at zone 0), or nullopt when the cell is no date and time.
std::optional<std::string> PoiCellIsoText(std::string_view cell, ZoneOffset zone);

// A time read from a file as the list shows it at `zone`: ISO 8601 with an
// offset or "Z" (without one it is UTC), or already in the list's form,
// which is taken as shown at `zone`. nullopt for any other text.
std::optional<std::string> PoiCellFromText(std::string_view text, ZoneOffset zone);

}  // namespace vantrel
