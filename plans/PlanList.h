#pragma once
// The route plan list: titled points in gridPlan beside the plan page, where
// the user places, moves and picks markers with the mouse. List and page are
// kept in step by DrawPlanMarkers (list to page) and ReadMarkersBack (page to
// list, after every click on the page). Titles live only in the list.

#include <string>

#include "app/AppValues.h"
#include "app/TextGrid.h"
#include "map/MapPage.h"
#include "plans/ListRows.h"

namespace vantrel {

class PlanList {
  public:
    explicit PlanList(const AppValues& values);

    TextGrid gridPlan{kListColumns, kListRows};
    int PlanCount = 0;  // rows 1..PlanCount are the plan
    int Row = 1;        // the selected row (whole-row selection)
    bool btnSavePlan = false;
    bool btnStorePlan = false;

    const AppValues& Values() const { return values_; }

    // Writes the plan list's column titles into row 0.
    void WriteGridHeadings();
    // Sets save and upload buttons together.
    void EnableSaveAndStore(bool enabled) { btnSavePlan = btnStorePlan = enabled; }

    // A click on an entry row selects it and highlights its marker.
    void gridPlanClick(MapPage& webPlan, int row);
    // Double click and "Redraw Map": the page's markers made anew from the list.
    void gridPlanDblClick(MapPage& webPlan) { menuRedrawClick(webPlan); }
    void menuRedrawClick(MapPage& webPlan);
    // "Modify": the title dialog opens only on a row that has a title; its
    // accepted text becomes the row's title (the map is not redrawn).
    bool SelectedRowHasTitle() const { return !gridPlan.IsEmpty(kTextColumn, Row); }
    const std::string& SelectedTitle() const { return gridPlan.Cell(kTextColumn, Row); }
    void Modify2Click(std::string acceptedTitle);
    // "Delete": removes the selected point and redraws the markers.
    void Delete1Click(MapPage& webPlan);
    // "Clear All": empties the list and the page.
    void menuClearClick(MapPage& webPlan);

    // Reads every marker of the page back into the list: coordinates in
    // marker order, new rows titled with their number from 0, the row after
    // the last marker emptied. The page's marker count is kept to the list's
    // 255 rows.
    void ReadMarkersBack(MapPage& webPlan);

    // Draws the list's points as markers on the page.
    void DrawMarkers(MapPage& webPlan) const;

  private:
    const AppValues& values_;
};

// The script that creates one marker per row, in row order from row 1 up to
// the first row without a title; marker k stands for row k + 1.
std::string PlanMarkersScript(const TextGrid& grid, const NumberFormat& numbers);

// Centres the page on row 1 and creates the markers; nothing when row 1 has
// no latitude.
void DrawPlanMarkers(MapPage& view, const TextGrid& grid, const NumberFormat& numbers);

// The cell-drawing rule of the plan list: a title cell (column 0) of an entry
// row that holds text is painted on pure blue.
bool gridPlanDrawCellIsBlue(const TextGrid& grid, int col, int row);
inline constexpr std::uint32_t kPlanTitleColour = 0x0000FF;  // RGB: pure blue

}  // namespace vantrel
