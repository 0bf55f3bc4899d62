#include "plans/PoiTimes.h"

namespace vantrel {

std::string PoiListTime(Seconds time, ZoneOffset zone) {
    const std::string iso = IsoTimeText(time, zone);  // "2011-01-25T14:13:20..."
    return iso.substr(0, 4) + "/" + iso.substr(5, 2) + "/" + iso.substr(8, 2) + " " +
           iso.substr(11, 8);
}

std::optional<Seconds> PoiCellMoment(std::string_view cell, ZoneOffset zone) {
    auto shown = ParseCalendarText(cell);
    if (!shown) return std::nullopt;
    return *shown - zone.Duration();
}

std::optional<std::string> PoiCellIsoText(std::string_view cell, ZoneOffset zone) {
    auto moment = PoiCellMoment(cell, zone);
    if (!moment) return std::nullopt;
    return IsoTimeText(*moment, zone);
}

std::optional<std::string> PoiCellFromText(std::string_view text, ZoneOffset zone) {
    auto moment = ParseIsoTime(text);
    if (!moment) moment = PoiCellMoment(text, zone);
    if (!moment) return std::nullopt;
    return PoiListTime(*moment, zone);
}

}  // namespace vantrel
