#include "plans/PoiList.h"

#include "map/ScriptText.h"
#include "plans/PoiTimes.h"

namespace vantrel {

PoiList::PoiList(const AppValues& values) : values_(values) {
    WriteGridHeadings();
}

void PoiList::WriteGridHeadings() {
    WriteHeadings(gridPoi, HeadedGrid::Poi, values_.ColumnTitles);
}

void PoiList::TakeRowsOf(const PoiList& other) {
    gridPoi.CopyCellsOf(other.gridPoi);
    PoiCount = other.PoiCount;
    Row = 1;
    savable_ = other.savable_;
    modified_ = false;
}

void PoiList::ShowSelected(MapPage& webPoi) const {
    if (gridPoi.IsEmpty(kLatitudeColumn, Row)) return;
    ShowPoiMarker(webPoi, gridPoi.Cell(kLatitudeColumn, Row), gridPoi.Cell(kTextColumn, Row),
                  gridPoi.Cell(kLongitudeColumn, Row), values_.Numbers);
}

void PoiList::RemoveSelected(MapPage& webPoi) {
    if (gridPoi.IsEmpty(kTextColumn, Row)) return;
    RemoveEntryRow(gridPoi, Row);
    webPoi.initialize();
    if (PoiCount > 0) --PoiCount;
    modified_ = true;
}

void PoiList::ClearAll(MapPage& webPoi) {
    gridPoi.Clear();
    WriteGridHeadings();
    PoiCount = 0;
    modified_ = false;
    webPoi.initialize();
}

void PoiList::ShowTimesAgain(ZoneOffset shownAt) {
    if (shownAt == values_.LocalZoneOffset) return;
    for (int row = 1; row <= ClampEntryCount(PoiCount); ++row) {
        if (auto moment = PoiCellMoment(gridPoi.Cell(kTextColumn, row), shownAt))
            gridPoi.SetCell(kTextColumn, row, ShownTimeText(*moment, values_.LocalZoneOffset));
    }
}

std::string PoiList::PageScript() const {
    return PoiListScript(gridPoi, PoiCount, values_.Numbers);
}

std::string PoiListScript(const TextGrid& grid, int count, const NumberFormat& numbers) {
    std::string script = "showPois([";
    for (int row = 1; row <= ClampEntryCount(count); ++row) {
        if (row > 1) script += ",";
        script += "[" + ScriptNumber(grid.Cell(kLatitudeColumn, row), numbers) + "," +
                  ScriptNumber(grid.Cell(kLongitudeColumn, row), numbers) + ",\"" +
                  EscapeScriptString(grid.Cell(kTextColumn, row)) + "\"]";
    }
    return script + "]);";
}

std::string PoiMarkerScript(std::string_view latitude, std::string_view title,
                            std::string_view longitude, const NumberFormat& numbers) {
    std::string lat = ScriptNumber(latitude, numbers);
    std::string lng = ScriptNumber(longitude, numbers);
    return " var marker ; map.setCenter(new GLatLng(" + lat + "," + lng + ") ,13);" +
           "marker = new GMarker( new GLatLng(" + lat + "," + lng + ") );" +
           "map.addOverlay(marker) ; marker.openInfoWindowHtml(\"" +
           EscapeScriptString(EscapeHtml(title)) + "\");";
}

void ShowPoiMarker(MapPage& view, std::string_view latitude, std::string_view title,
                   std::string_view longitude, const NumberFormat& numbers) {
    view.RunPageScript(PoiMarkerScript(latitude, title, longitude, numbers));
}

}  // namespace vantrel
