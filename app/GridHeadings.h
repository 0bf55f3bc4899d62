#pragma once
// The four visible grids whose row 0 carries column titles, and the routine
// that rewrites those headings from the current column titles (at start-up,
// after a language is applied, and whenever a grid is cleared).

#include "base/AppValues.h"
#include "base/TextGrid.h"

namespace vantrel {

// The grids are owned elsewhere; a null grid is skipped.
struct HeadedGrids {
    TextGrid* trackName = nullptr;
    TextGrid* track = nullptr;
    TextGrid* plan = nullptr;
    TextGrid* poi = nullptr;
};

void WriteGridHeadings(const HeadedGrids& grids, const ColumnTitleSet& titles);

}  // namespace vantrel
