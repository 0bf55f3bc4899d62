#pragma once
// Lists filled the way tests need them, and one glyph renderer for the whole
// test program (loading the face is the slow part).

#include <string>
#include <utility>
#include <vector>

#include "base/AppValues.h"
#include "plans/GlyphRenderer.h"
#include "plans/ListCheck.h"
#include "plans/PlanList.h"
#include "plans/PoiList.h"

namespace vantrel::testing {

using ListRow = vantrel::ListRow;

inline GlyphRenderer& SharedGlyphs() {
    static GlyphRenderer glyphs;
    return glyphs;
}

// What a fake page logs when a plan is drawn on it: the clearing call, the
// centring on the first point, then one marker per point ("lat", "lng" in
// script notation).
inline std::vector<std::string> DrawLog(
    const std::vector<std::pair<std::string, std::string>>& points) {
    std::string markers = "script: var polyline ; var latlng ;";
    for (const auto& [lat, lng] : points)
        markers += "latlng = new GLatLng(" + lat + "," + lng + ");   createMarker(latlng) ;";
    return {"call: clearMarkers",
            "script: map.setCenter(new GLatLng(" + points.front().first + "," +
                points.front().second + ") ,13);",
            markers};
}

inline void FillRows(TextGrid& grid, const std::vector<ListRow>& rows) {
    int row = 1;
    for (const auto& r : rows) {
        grid.SetCell(0, row, r.text);
        grid.SetCell(1, row, r.latitude);
        grid.SetCell(2, row, r.longitude);
        ++row;
    }
}

inline void FillPlan(PlanList& list, const std::vector<ListRow>& rows) {
    FillRows(list.gridPlan, rows);
    list.PlanCount = static_cast<int>(rows.size());
}

inline void FillPois(PoiList& list, const std::vector<ListRow>& rows) {
    FillRows(list.gridPoi, rows);
    list.PoiCount = static_cast<int>(rows.size());
}

}  // namespace vantrel::testing
