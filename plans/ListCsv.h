#pragma once
// Plans and POIs as CSV, both ways: a plan is "title,latitude,longitude" and
// a line per point, POIs are "time,latitude,longitude" with the time in ISO
// 8601 with its offset, shown at the list's display offset
// (2011-01-25T15:13:20+01:00). Read, a POI time may also be written as the
// list shows it ("2011/01/25 14:13:20"), taken at the display offset.
// Coordinates are decimal degrees with a point. Reading checks every row as
// the device would hold it and refuses the whole file with the first row
// that does not fit.

#include <cstddef>
#include <string>
#include <string_view>

#include "plans/ListRows.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"

namespace vantrel {

// A list CSV holds a header and at most 255 rows of a title or time and two
// coordinates; 1 KiB a row leaves room for any such row, quoted.
inline constexpr std::size_t kListCsvLimit = std::size_t{kListEntries + 1} * 1024;

// Fills the list from the text; the reason it was refused (the list then
// left as it was), or empty text.
std::string ReadPlanCsv(std::string_view text, PlanList& list);
std::string ReadPoiCsv(std::string_view text, PoiList& list);

// The list as CSV text; empty with the reason in `error` when a row cannot
// be written (a POI time that is no date and time).
std::string PlanCsvText(const PlanList& list, std::string& error);
std::string PoiCsvText(const PoiList& list, std::string& error);

}  // namespace vantrel
