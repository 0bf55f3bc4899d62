#pragma once
// The POI list: points the device stored with their date and time, in
// gridPoi beside the POI page, which shows every POI and the one chosen.

#include <string>
#include <string_view>

#include "base/AppValues.h"
#include "base/TextGrid.h"
#include "map/MapPage.h"
#include "plans/ListRows.h"

namespace vantrel {

class PoiList {
  public:
    explicit PoiList(const AppValues& values);

    TextGrid gridPoi{kListColumns, kListRows};
    int PoiCount = 0;
    int Row = 1;  // the selected row

    const AppValues& Values() const { return values_; }

    void WriteGridHeadings();
    // Whether the list holds something to save to a file and upload: set
    // when it is filled from the device, a file or the map.
    void SetSavable(bool savable) { savable_ = savable; }
    bool CanSave() const { return savable_; }
    bool CanUpload() const { return savable_; }
    // Whether the list changed (by Delete or Clear All) since it was last
    // filled in, saved or sent: replacing or leaving it then asks first.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    // Takes the POIs of another list (one just read from a file): its rows,
    // count and savability; unmodified, the first row selected.
    void TakeRowsOf(const PoiList& other);

    // Selects an entry row (a click on the list).
    void Select(int row) {
        if (IsEntryRow(row)) Row = row;
    }
    // Double click: shows the selected POI on the page, titled with its date
    // and time; nothing for a row without a latitude.
    void ShowSelected(MapPage& webPoi) const;
    // "Delete": removes the selected POI and empties the page.
    void RemoveSelected(MapPage& webPoi);
    // "Clear All": empties the list and the page.
    void ClearAll(MapPage& webPoi);
    // After the display offset changed: every time shown at `shownAt` is
    // shown again at the offset now in force, so what is shown is what will
    // be saved and uploaded. Cells that are no date and time stay as they are.
    void ShowTimesAgain(ZoneOffset shownAt);
    // The script that shows every POI of the list on the page as it stands
    // (PoiListScript); the window runs it whenever it changes.
    std::string PageScript() const;

  private:
    const AppValues& values_;
    bool savable_ = false;
    bool modified_ = false;
};

// The script that centres the POI page on a point and opens an info window
// there showing `title`. The title is quoted as a script string and escaped
// as HTML, so whatever a cell holds is shown as text and never run.
std::string PoiMarkerScript(std::string_view latitude, std::string_view title,
                            std::string_view longitude, const NumberFormat& numbers);

// The script that shows rows 1 to `count` on the POI page at once, each
// titled with its date and time: showPois([[lat,lng,"title"],...]); rows
// without a number for a coordinate are left off the map by the page.
std::string PoiListScript(const TextGrid& grid, int count, const NumberFormat& numbers);

void ShowPoiMarker(MapPage& view, std::string_view latitude, std::string_view title,
                   std::string_view longitude, const NumberFormat& numbers);

}  // namespace vantrel
