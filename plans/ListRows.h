#pragma once
// What the plan and POI lists share: their grid shape and the row moves of
// their Delete commands.

#include "base/TextGrid.h"

namespace vantrel {

inline constexpr int kListColumns = 3;
inline constexpr int kListRows = 256;               // row 0 holds the column titles
inline constexpr int kListEntries = kListRows - 1;  // entries live in rows 1..255

// The columns of both lists: title (plan) or date and time (POI), then
// latitude and longitude in the user's notation.
inline constexpr int kTextColumn = 0;
inline constexpr int kLatitudeColumn = 1;
inline constexpr int kLongitudeColumn = 2;

inline bool IsEntryRow(int row) {
    return row >= 1 && row <= kListEntries;
}

// Removes one entry row: the rows below move up and the last row is emptied.
inline void RemoveEntryRow(TextGrid& grid, int row) {
    if (IsEntryRow(row)) grid.RemoveRows(row, 1);
}

// A count read from a page or an image, kept to what the list can show.
inline int ClampEntryCount(long long count) {
    return count < 0 ? 0 : count > kListEntries ? kListEntries : static_cast<int>(count);
}

}  // namespace vantrel
