#pragma once
// The one check of plan and POI rows, whatever they come from (a plan or POI
// file, a CSV or GPX file, the window's lists): each row must be what the
// device can hold, and the first that is not is named. Nothing is cut to fit.
//   plan: a title of 1 to 31 characters (code points once composed to NFC,
//         as the device gets it; no NUL, none outside the 16 bits of the
//         character table), a latitude within +-90 and a longitude within
//         +-180 degrees, at most 255 points and 1023 different characters
//         over all titles;
//   POI:  a real date and time the device can hold (years 1900 to 2100 in
//         device time) and coordinates as for a plan, at most 255 POIs.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/TextGrid.h"
#include "base/ZoneOffset.h"

namespace vantrel {

// A row as list text: the title (plan) or date and time as the list shows
// it (POI), then latitude and longitude in the list's notation.
struct ListRow {
    std::string text;
    std::string latitude;
    std::string longitude;

    friend bool operator==(const ListRow&, const ListRow&) = default;
};

// Why rows are refused: a row (index from 0) or, for a limit of the whole
// list (its count, its characters), the list.
struct RowRefusal {
    std::size_t index = 0;
    std::string reason;  // no final full stop
    bool wholeList = false;

    // "WORD N: REASON" with N from 1 ("row 3: '91' is not a valid
    // latitude"), or the reason alone for the whole list.
    std::string Text(std::string_view rowWord) const;
};

std::optional<RowRefusal> CheckPlanRows(std::span<const ListRow> rows, char separator);
// Why the device cannot take a plan title ("the title '...' has 35
// characters, more than the 31 a plan title holds"), or empty text.
std::string PlanTitleRefusal(const std::string& title);

// "the title 'TITLE' holds U+0301 COMBINING ACUTE ACCENT, WHY": a character
// of a title the device cannot show, named.
std::string UnshownCharacterText(const std::string& title, char32_t c, std::string_view why);
// Times are shown at `zone` (the list's display offset).
std::optional<RowRefusal> CheckPoiRows(std::span<const ListRow> rows, char separator,
                                       ZoneOffset zone);

// Rows 1..count of a list's grid.
std::vector<ListRow> GridRows(const TextGrid& grid, int count);
// The other way: empties the grid (its headings too) and puts the rows in
// rows 1, 2, ...; returns their count.
int FillGridRows(TextGrid& grid, const std::vector<ListRow>& rows);

// The conversions the checks use, for the image builders: a coordinate cell
// in device units, nullopt for text that is no number or lies out of range;
std::optional<std::int32_t> DeviceLatitude(std::string_view cell, char separator);
std::optional<std::int32_t> DeviceLongitude(std::string_view cell, char separator);
// a POI time cell shown at `zone` as the device's six time bytes (year - 1900,
// month, day, hour, minute, second), nullopt for no date and time it holds.
using DeviceTimeBytes = std::array<std::uint8_t, 6>;
std::optional<DeviceTimeBytes> PoiDeviceTime(std::string_view cell, ZoneOffset zone);

}  // namespace vantrel
