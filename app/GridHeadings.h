#pragma once
// The text grids whose row 0 carries column titles (the plan and POI
// lists), and the routine that rewrites those headings from the current
// column titles (at start-up, after a language is applied, and whenever a
// grid is cleared). The track list and point grid take their headings from
// the titles whenever they are shown.

#include "base/AppValues.h"
#include "base/TextGrid.h"

namespace vantrel {

// The grids are owned elsewhere; a null grid is skipped.
struct HeadedGrids {
    TextGrid* plan = nullptr;
    TextGrid* poi = nullptr;
};

void WriteGridHeadings(const HeadedGrids& grids, const ColumnTitleSet& titles);

}  // namespace vantrel
