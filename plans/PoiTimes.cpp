#include "plans/PoiTimes.h"

namespace vantrel {

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
    return ShownTimeText(*moment, zone);
}

}  // namespace vantrel
