#include "plans/PlanList.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "map/ScriptText.h"
#include "plans/DeviceCoordinate.h"

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

void PlanList::TakeRowsOf(const PlanList& other) {
    gridPlan.CopyCellsOf(other.gridPlan);
    PlanCount = other.PlanCount;
    Row = 1;
    savable_ = other.savable_;
    modified_ = false;
}

void PlanList::SelectRow(MapPage& webPlan, int row) {
    if (!IsEntryRow(row)) return;
    Row = row;
    webPlan.CallPageFunction("RestoreMaker");
    webPlan.CallPageFunction("highLightMaker", std::int32_t{row - 1});
}

void PlanList::RedrawMarkers(MapPage& webPlan) {
    webPlan.CallPageFunction("clearMarkers");
    DrawMarkers(webPlan);
}

bool PlanList::RetitleSelected(std::string acceptedTitle, UserMessages& messages) {
    if (!SelectedRowIsPoint()) return false;
    if (acceptedTitle.empty()) {
        messages.ShowMessage(kEmptyTitleText, "Error");
        return false;
    }
    gridPlan.SetCell(kTextColumn, Row, std::move(acceptedTitle));
    modified_ = true;
    return true;
}

void PlanList::RemoveSelected(MapPage& webPlan) {
    if (!SelectedRowIsPoint()) return;
    RemoveEntryRow(gridPlan, Row);
    --PlanCount;
    modified_ = true;
    webPlan.CallPageFunction("clearMarkers");
    DrawMarkers(webPlan);
}

void PlanList::ClearAll(MapPage& webPlan) {
    gridPlan.Clear();
    PlanCount = 0;
    modified_ = false;
    webPlan.CallPageFunction("clearMarkers");
    WriteGridHeadings();
}

namespace {

// What the plan page answered: its markers' positions and the marker picked
// last, or nothing when a question went unanswered.
struct PageMarkers {
    std::vector<std::pair<double, double>> positions;
    long long current = -1;
};

std::optional<PageMarkers> AskMarkers(MapPage& webPlan) {
    auto number = webPlan.CallPageFunctionResult("getMarkersNumber");
    auto current = number ? webPlan.CallPageFunctionResult("getCurrentIndex") : std::nullopt;
    if (!current) return std::nullopt;
    PageMarkers markers;
    markers.current = TruncatePageNumber(*current);
    const int n = ClampEntryCount(TruncatePageNumber(*number));
    for (int i = 0; i < n; ++i) {
        auto marker = static_cast<std::int16_t>(i);
        auto latitude = webPlan.CallPageFunctionResult("getMarkersLat", marker);
        auto longitude =
            latitude ? webPlan.CallPageFunctionResult("getMarkersLng", marker) : std::nullopt;
        if (!longitude) return std::nullopt;
        markers.positions.emplace_back(*latitude, *longitude);
    }
    return markers;
}

}  // namespace

bool PlanList::ReadMarkersBack(MapPage& webPlan) {
    auto markers = AskMarkers(webPlan);
    if (!markers) return false;
    const int n = static_cast<int>(markers->positions.size());
    if (n < PlanCount) {
        RedrawMarkers(webPlan);
        return true;
    }
    if (markers->current >= 0 && markers->current < n) Row = static_cast<int>(markers->current) + 1;
    const char separator = values_.Numbers.Separator();
    auto set = [this](int column, int row, std::string text) {
        if (gridPlan.Cell(column, row) == text) return;
        gridPlan.SetCell(column, row, std::move(text));
        modified_ = true;
    };
    for (int i = 0; i < n; ++i) {
        const int row = i + 1;
        if (gridPlan.IsEmpty(kTextColumn, row)) set(kTextColumn, row, NumberText(i));
        const auto& [latitude, longitude] = markers->positions[static_cast<std::size_t>(i)];
        set(kLatitudeColumn, row, DeviceDegreesText(latitude, separator));
        set(kLongitudeColumn, row, DeviceDegreesText(longitude, separator));
    }
    if (n != PlanCount) modified_ = true;
    PlanCount = n;
    if (n > 0) SetSavable(true);
    return true;
}

void PlanList::DrawMarkers(MapPage& webPlan) const {
    DrawPlanMarkers(webPlan, gridPlan, PlanCount, values_.Numbers);
}

std::string PlanMarkersScript(const TextGrid& grid, int count, const NumberFormat& numbers) {
    std::string script = "var polyline ; var latlng ;";
    for (int row = 1; row <= ClampEntryCount(count); ++row) {
        script += "latlng = new GLatLng(" + ScriptNumber(grid.Cell(kLatitudeColumn, row), numbers) +
                  "," + ScriptNumber(grid.Cell(kLongitudeColumn, row), numbers) +
                  ");   createMarker(latlng) ;";
    }
    return script;
}

void DrawPlanMarkers(MapPage& view, const TextGrid& grid, int count, const NumberFormat& numbers) {
    if (grid.IsEmpty(kLatitudeColumn, 1)) return;
    CenterPage(view, grid.Cell(kLatitudeColumn, 1), "13", grid.Cell(kLongitudeColumn, 1), numbers);
    view.RunPageScript(PlanMarkersScript(grid, count, numbers));
}

bool gridPlanDrawCellIsBlue(const TextGrid& grid, int col, int row) {
    return col == kTextColumn && row != 0 && !grid.IsEmpty(col, row);
}

}  // namespace vantrel
