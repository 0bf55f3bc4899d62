#include "plans/GpxPlans.h"

#include <optional>
#include <vector>

#include "base/NumberText.h"
#include "plans/DeviceCoordinate.h"
#include "plans/ListCheck.h"
#include "plans/PoiTimes.h"
#include "tracks/GpxDocument.h"
#include "tracks/XmlText.h"

namespace vantrel {

namespace {

// The points of a file: its first route's when `routeFirst` and it has one,
// else its waypoints', else its first route's.
std::vector<pugi::xml_node> FilePoints(pugi::xml_node gpx, bool routeFirst, std::string& what) {
    std::vector<pugi::xml_node> routePoints, waypoints;
    for (pugi::xml_node p : gpx.child("rte").children("rtept"))
        routePoints.push_back(p);
    for (pugi::xml_node p : gpx.children("wpt"))
        waypoints.push_back(p);
    const bool useRoute = routeFirst ? !routePoints.empty() : waypoints.empty();
    what = useRoute ? "route point" : "waypoint";
    return useRoute ? routePoints : waypoints;
}

std::string PointName(const std::string& what, std::size_t index) {
    return what + " " + std::to_string(index + 1);
}

// A coordinate attribute as list text (its range is checked with the row),
// or the reason it is refused.
std::optional<std::string> Coordinate(pugi::xml_node point, const char* name, char separator,
                                      std::string& error) {
    const std::string what = name[1] == 'a' ? "latitude" : "longitude";
    if (!point.attribute(name)) {
        error = "it has no " + what;
        return std::nullopt;
    }
    const std::string text = point.attribute(name).value();
    auto value = DegreesToDevice(text, '.');
    if (!value) {
        error = "'" + text + "' is not a valid " + what;
        return std::nullopt;
    }
    return DeviceToDegrees(*value, separator);
}

// A point's name as its title: what XML text can hold (a file may carry
// bytes that are not UTF-8 or control characters, which become U+FFFD as
// they would when written), or its number from 0 when it has none.
std::string PlanTitle(pugi::xml_node point, std::size_t index, std::string&) {
    const std::string title = XmlSafeText(TrimBlanks(point.child("name").text().get()));
    return title.empty() ? std::to_string(index) : title;
}

std::string PoiTime(pugi::xml_node point, ZoneOffset zone, std::string& error) {
    const std::string text = point.child("time").text().get();
    auto time = ParseIsoTime(text);
    if (!time) {
        error = text.empty() ? "it has no time" : "'" + text + "' is not an ISO 8601 time";
        return {};
    }
    return ShownTimeText(*time, zone);
}

// Reads the points of a file into `points` and checks them with `check`;
// returns the reason a point is refused, naming it.
template <class Text, class Check>
std::string ReadPoints(std::string_view text, bool routeFirst, char separator, Text textOf,
                       Check check, std::vector<ListRow>& points) {
    pugi::xml_document doc;
    std::string error;
    pugi::xml_node gpx = ParseGpx(doc, text, error);
    if (!gpx) return error;
    std::string what;
    const std::vector<pugi::xml_node> nodes = FilePoints(gpx, routeFirst, what);
    if (nodes.empty()) return "the file holds no route point and no waypoint";
    if (nodes.size() > static_cast<std::size_t>(kListEntries))
        return "the file holds " + std::to_string(nodes.size()) + " " + what +
               "s, more than the 255 a list holds";
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        auto latitude = Coordinate(nodes[i], "lat", separator, error);
        auto longitude = latitude ? Coordinate(nodes[i], "lon", separator, error) : std::nullopt;
        std::string label = longitude ? textOf(nodes[i], i, error) : std::string();
        if (!error.empty()) return PointName(what, i) + ": " + error;
        points.push_back({label, *latitude, *longitude});
    }
    const std::optional<RowRefusal> refused = check(points);
    return refused ? refused->Text(what) : std::string();
}

}  // namespace

std::string GpxPlanText(const PlanList& list) {
    GpxDocument gpx;
    pugi::xml_node route = gpx.Root().append_child("rte");
    const NumberFormat& numbers = list.Values().Numbers;
    for (int row = 1; row <= ClampEntryCount(list.PlanCount); ++row) {
        const TextGrid& grid = list.gridPlan;
        pugi::xml_node point = GpxDocument::AddPoint(
            route, "rtept", ForScript(grid.Cell(kLatitudeColumn, row), numbers),
            ForScript(grid.Cell(kLongitudeColumn, row), numbers));
        AddText(point, "name", grid.Cell(kTextColumn, row));
    }
    return gpx.Text();
}

std::string GpxPoisText(const PoiList& list, std::string& error) {
    GpxDocument gpx;
    const NumberFormat& numbers = list.Values().Numbers;
    for (int row = 1; row <= ClampEntryCount(list.PoiCount); ++row) {
        const TextGrid& grid = list.gridPoi;
        auto time = PoiCellMoment(grid.Cell(kTextColumn, row), list.Values().LocalZoneOffset);
        auto latitude = CellToFloat(grid.Cell(kLatitudeColumn, row), numbers);
        auto longitude = CellToFloat(grid.Cell(kLongitudeColumn, row), numbers);
        if (!time || !latitude || !longitude) {
            error = "row " + std::to_string(row) + " is not a valid POI";
            return {};
        }
        pugi::xml_node point = GpxDocument::AddPoint(
            gpx.Root(), "wpt", ForScript(grid.Cell(kLatitudeColumn, row), numbers),
            ForScript(grid.Cell(kLongitudeColumn, row), numbers));
        GpxDocument::AddTime(point, *time);
    }
    return gpx.Text();
}

std::string ReadGpxPlan(std::string_view text, PlanList& list) {
    std::vector<ListRow> points;
    const char separator = list.Values().Numbers.Separator();
    auto check = [separator](const std::vector<ListRow>& rows) {
        return CheckPlanRows(rows, separator);
    };
    std::string error = ReadPoints(text, true, separator, PlanTitle, check, points);
    if (!error.empty()) return error;
    list.PlanCount = FillGridRows(list.gridPlan, points);
    list.WriteGridHeadings();
    list.SetSavable(true);
    return {};
}

std::string ReadGpxPois(std::string_view text, PoiList& list) {
    std::vector<ListRow> points;
    const ZoneOffset zone = list.Values().LocalZoneOffset;
    auto timeOf = [zone](pugi::xml_node point, std::size_t, std::string& error) {
        return PoiTime(point, zone, error);
    };
    const char separator = list.Values().Numbers.Separator();
    auto check = [separator, zone](const std::vector<ListRow>& rows) {
        return CheckPoiRows(rows, separator, zone);
    };
    std::string error = ReadPoints(text, false, separator, timeOf, check, points);
    if (!error.empty()) return error;
    list.PoiCount = FillGridRows(list.gridPoi, points);
    list.WriteGridHeadings();
    list.SetSavable(true);
    return {};
}

}  // namespace vantrel
