#include "plans/PlanList.h"

#include <cmath>
#include <cstdio>

#include "map/ScriptText.h"

namespace vantrel {

namespace {

// A page's numeric answer as a whole number, truncated toward zero; answers
// that are not finite count as 0.
long long TruncatePageNumber(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e9) return 0;
    return static_cast<long long>(value);
}

std::string NumberText(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    return text;
}

}  // namespace

PlanList::PlanList(const AppValues& values) : values_(values) {
    WriteGridHeadings();
}

void PlanList::WriteGridHeadings() {
    WriteHeadings(gridPlan, HeadedGrid::Plan, values_.ColumnTitles);
}

void PlanList::gridPlanClick(MapPage& webPlan, int row) {
    if (!IsEntryRow(row)) return;
    Row = row;
    webPlan.CallPageFunction("RestoreMaker");
    webPlan.CallPageFunction("highLightMaker", std::int32_t{row - 1});
}

void PlanList::menuRedrawClick(MapPage& webPlan) {
    webPlan.CallPageFunction("clearMarkers");
    DrawMarkers(webPlan);
}

void PlanList::Modify2Click(std::string acceptedTitle) {
    if (!SelectedRowHasTitle()) return;
    gridPlan.SetCell(kTextColumn, Row, std::move(acceptedTitle));
}

void PlanList::Delete1Click(MapPage& webPlan) {
    if (!SelectedRowHasTitle()) return;
    RemoveEntryRow(gridPlan, Row);
    if (PlanCount > 0) --PlanCount;
    webPlan.CallPageFunction("clearMarkers");
    DrawMarkers(webPlan);
}

void PlanList::menuClearClick(MapPage& webPlan) {
    gridPlan.Clear();
    PlanCount = 0;
    webPlan.CallPageFunction("clearMarkers");
    WriteGridHeadings();
}

void PlanList::ReadMarkersBack(MapPage& webPlan) {
    int n = ClampEntryCount(TruncatePageNumber(webPlan.CallPageFunctionResult("getMarkersNumber")));
    long long k = TruncatePageNumber(webPlan.CallPageFunctionResult("getCurrentIndex"));
    if (k >= 0 && k < n) Row = static_cast<int>(k) + 1;
    for (int row = 1; row <= kListEntries; ++row) {
        gridPlan.SetCell(kLatitudeColumn, row, "");
        gridPlan.SetCell(kLongitudeColumn, row, "");
    }
    PlanCount = 0;
    const char separator = values_.Numbers.Separator();
    for (int i = 0; i < n; ++i) {
        auto marker = static_cast<std::int16_t>(i);
        double latitude = webPlan.CallPageFunctionResult("getMarkersLat", marker);
        double longitude = webPlan.CallPageFunctionResult("getMarkersLng", marker);
        int row = PlanCount + 1;
        WriteGridHeadings();
        if (gridPlan.IsEmpty(kTextColumn, row))
            gridPlan.SetCell(kTextColumn, row, NumberText(PlanCount));
        gridPlan.SetCell(kLatitudeColumn, row, FormatGeneral(latitude, separator));
        gridPlan.SetCell(kLongitudeColumn, row, FormatGeneral(longitude, separator));
        ++PlanCount;
        EnableSaveAndStore(true);
    }
    gridPlan.ClearRow(n + 1);
    PlanCount = n;
}

void PlanList::DrawMarkers(MapPage& webPlan) const {
    DrawPlanMarkers(webPlan, gridPlan, values_.Numbers);
}

std::string PlanMarkersScript(const TextGrid& grid, const NumberFormat& numbers) {
    std::string script = "var polyline ; var latlng ;";
    for (int row = 1; row <= kListEntries && !grid.IsEmpty(kTextColumn, row); ++row) {
        script += "latlng = new GLatLng(" + ScriptNumber(grid.Cell(kLatitudeColumn, row), numbers) +
                  "," + ScriptNumber(grid.Cell(kLongitudeColumn, row), numbers) +
                  ");   createMarker(latlng) ;";
    }
    return script;
}

void DrawPlanMarkers(MapPage& view, const TextGrid& grid, const NumberFormat& numbers) {
    if (grid.IsEmpty(kLatitudeColumn, 1)) return;
    CenterPage(view, grid.Cell(kLatitudeColumn, 1), "13", grid.Cell(kLongitudeColumn, 1), numbers);
    view.RunPageScript(PlanMarkersScript(grid, numbers));
}

bool gridPlanDrawCellIsBlue(const TextGrid& grid, int col, int row) {
    return col == kTextColumn && row != 0 && !grid.IsEmpty(col, row);
}

}  // namespace vantrel
