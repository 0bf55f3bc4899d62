#include "base/AppValues.h"

namespace vantrel {

ColumnTitleSet DefaultColumnTitles() {
    return {"Track Name", "Color",    "Select", "Time",  "Longitude",
            "Lanititude", "Altitude", "Speed",  "Title", "Date&Time"};
}

void WriteHeadings(TextGrid& grid, HeadedGrid kind, const ColumnTitleSet& titles) {
    static constexpr int kTrackName[] = {0, 1, 2};
    static constexpr int kTrack[] = {3, 5, 4, 6, 7};
    static constexpr int kPlan[] = {8, 5, 4};
    static constexpr int kPoi[] = {9, 5, 4};
    auto write = [&](const auto& entries) {
        int col = 0;
        for (int entry : entries) grid.SetCell(col++, 0, titles[static_cast<std::size_t>(entry)]);
    };
    switch (kind) {
        case HeadedGrid::TrackName: write(kTrackName); break;
        case HeadedGrid::Track: write(kTrack); break;
        case HeadedGrid::Plan: write(kPlan); break;
        case HeadedGrid::Poi: write(kPoi); break;
    }
}

}  // namespace vantrel
