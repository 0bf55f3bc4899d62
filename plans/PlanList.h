#pragma once
// The route plan list: titled points in gridPlan beside the plan page, where
// the user places, moves and picks markers with the mouse. List and page are
// kept in step by DrawPlanMarkers (list to page) and ReadMarkersBack (page to
// list, after every click on the page). Titles live only in the list.

#include <string>
#include <string_view>

#include "base/AppValues.h"
#include "base/TextGrid.h"
#include "base/UserMessages.h"
#include "map/MapPage.h"
#include "plans/ListRows.h"

namespace vantrel {

inline constexpr std::string_view kEmptyTitleText = "A plan point needs a title!";
inline constexpr std::string_view kPlanPageSilentText =
    "The plan map did not answer in time; the plan list is unchanged.";

class PlanList {
  public:
    explicit PlanList(const AppValues& values);

    TextGrid gridPlan{kListColumns, kListRows};
    int PlanCount = 0;  // rows 1..PlanCount are the plan
    int Row = 1;        // the selected row (whole-row selection)

    const AppValues& Values() const { return values_; }

    // Writes the plan list's column titles into row 0.
    void WriteGridHeadings();
    // Whether the list holds something to save to a file and upload: set
    // when it is filled from the device, a file or the map.
    void SetSavable(bool savable) { savable_ = savable; }
    bool CanSave() const { return savable_; }
    bool CanUpload() const { return savable_; }
    // Whether the plan changed (on the map, by Modify, Delete or Clear All)
    // since it was last filled in, saved or sent: replacing or leaving it
    // then asks first.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    // Takes the points of another list (one just read from a file): its
    // rows, count and savability; unmodified, the first row selected.
    void TakeRowsOf(const PlanList& other);

    // A click on an entry row selects it and highlights its marker.
    void SelectRow(MapPage& webPlan, int row);
    // Double click and "Redraw Map": the page's markers made anew from the list.
    void RedrawMarkers(MapPage& webPlan);
    // "Modify": the title dialog opens only on a point of the plan; its
    // accepted text becomes the point's title (the map is not redrawn). An
    // empty title is refused with kEmptyTitleText and changes nothing;
    // returns false then.
    bool SelectedRowIsPoint() const { return Row >= 1 && Row <= PlanCount; }
    const std::string& SelectedTitle() const { return gridPlan.Cell(kTextColumn, Row); }
    bool RetitleSelected(std::string acceptedTitle, UserMessages& messages);
    // "Delete": removes the selected point and redraws the markers.
    void RemoveSelected(MapPage& webPlan);
    // "Clear All": empties the list and the page.
    void ClearAll(MapPage& webPlan);

    // Reads every marker of the page back into the list: coordinates in
    // marker order, new rows titled with their number from 0. The page's
    // marker count is kept to the list's 255 rows. A page that holds fewer
    // markers than the plan has points is out of step (markers can be added
    // and moved there, never removed): the list keeps its points and the
    // page gets them drawn again. Returns false, with the list unchanged,
    // when the page did not answer every question in time.
    bool ReadMarkersBack(MapPage& webPlan);

    // Draws every point of the plan as a marker on the page.
    void DrawMarkers(MapPage& webPlan) const;

  private:
    const AppValues& values_;
    bool savable_ = false;
    bool modified_ = false;
};

// The script that creates one marker per row, in row order for rows 1 to
// `count` (titled or not); marker k stands for row k + 1.
std::string PlanMarkersScript(const TextGrid& grid, int count, const NumberFormat& numbers);

// Centres the page on row 1 and creates the markers of rows 1 to `count`;
// nothing when row 1 has no latitude.
void DrawPlanMarkers(MapPage& view, const TextGrid& grid, int count, const NumberFormat& numbers);

// The cell-drawing rule of the plan list: a title cell (column 0) of an entry
// row that holds text is painted on pure blue.
bool gridPlanDrawCellIsBlue(const TextGrid& grid, int col, int row);
inline constexpr std::uint32_t kPlanTitleColour = 0x0000FF;  // RGB: pure blue

}  // namespace vantrel
