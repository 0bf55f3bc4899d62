#include "base/AppValues.h"

namespace vantrel {

ColumnTitleSet DefaultColumnTitles() {
    return {"Track Name", "Color",    "Select", "Time",  "Longitude",
            "Latitude", "Altitude", "Speed",  "Title", "Date & Time"};
}

std::span<const int> HeadingEntries(HeadedGrid kind) {
    static constexpr int kTrackName[] = {0, 1, 2};
    static constexpr int kTrack[] = {3, 5, 4, 6, 7};
    static constexpr int kPlan[] = {8, 5, 4};
    static constexpr int kPoi[] = {9, 5, 4};
    switch (kind) {
        case HeadedGrid::TrackName: return kTrackName;
        case HeadedGrid::Track: return kTrack;
        case HeadedGrid::Plan: return kPlan;
        case HeadedGrid::Poi: return kPoi;
    }
    return {};
}

const std::string& HeadingOf(HeadedGrid kind, int column, const ColumnTitleSet& titles) {
    static const std::string kNone;
    const std::span<const int> entries = HeadingEntries(kind);
    if (column < 0 || column >= static_cast<int>(entries.size())) return kNone;
    return titles[static_cast<std::size_t>(entries[static_cast<std::size_t>(column)])];
}

void WriteHeadings(TextGrid& grid, HeadedGrid kind, const ColumnTitleSet& titles) {
    const int columns = static_cast<int>(HeadingEntries(kind).size());
    for (int col = 0; col < columns; ++col)
        grid.SetCell(col, 0, HeadingOf(kind, col, titles));
}

}  // namespace vantrel
