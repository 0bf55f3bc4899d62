#pragma once
// Values that every part of the window shares, set up before anything else
// runs: the version text, the grid column titles (replaced by language
// files), the number notation of the user, the program's folder and the
// display offset of the time zone.

#include <array>
#include <span>
#include <string>

#include "base/NumberText.h"
#include "base/TextGrid.h"
#include "base/ZoneOffset.h"

namespace vantrel {

inline constexpr const char* VersionText = "1.2.25";

// The ten column titles, in the order language files list them.
using ColumnTitleSet = std::array<std::string, 10>;
ColumnTitleSet DefaultColumnTitles();

// The four visible grids whose row 0 carries column titles.
enum class HeadedGrid { TrackName, Track, Plan, Poi };

// The title of a grid's column: the track list shows entries 0, 1, 2; the
// point list 3, 5, 4, 6, 7 (latitude before longitude); the plan list 8, 5,
// 4; the POI list 9, 5, 4. Empty past the grid's columns.
const std::string& HeadingOf(HeadedGrid kind, int column, const ColumnTitleSet& titles);

// Writes row 0 of one grid from the titles, as HeadingOf gives them.
void WriteHeadings(TextGrid& grid, HeadedGrid kind, const ColumnTitleSet& titles);

struct AppValues {
    ColumnTitleSet ColumnTitles = DefaultColumnTitles();
    NumberFormat Numbers;        // DecimalSeparatorText and CommaText
    std::string AppDirectory;    // where the program's data files are found
    ZoneOffset LocalZoneOffset;  // added to device times to show, save and upload them
};

}  // namespace vantrel
