#include "app/GridHeadings.h"

namespace vantrel {

void WriteGridHeadings(const HeadedGrids& grids, const ColumnTitleSet& titles) {
    auto write = [&](TextGrid* grid, HeadedGrid kind) {
        if (grid != nullptr) WriteHeadings(*grid, kind, titles);
    };
    write(grids.plan, HeadedGrid::Plan);
    write(grids.poi, HeadedGrid::Poi);
}

}  // namespace vantrel
