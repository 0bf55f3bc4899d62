#include "tracks/TrackText.h"

#include <cmath>
#include <cstdio>

#include "base/NumberText.h"
#include "tracks/Geodesy.h"
#include "tracks/TrackStatistics.h"

namespace vantrel {

void AppendPointCell(std::string& out, const TrackPoint& point, PointColumn column,
                     ZoneOffset zone, char separator) {
    switch (column) {
    case PointColumn::Time: AppendListTime(out, point.time + zone.Duration()); return;
    case PointColumn::Latitude: AppendFixed(out, point.latitude, 6, separator); return;
    case PointColumn::Longitude: AppendFixed(out, point.longitude, 6, separator); return;
    case PointColumn::Altitude: AppendFixed(out, point.altitude, 1, separator); return;
    case PointColumn::Speed: AppendGeneral(out, point.speedKmh, separator); return;
    }
}

std::string PointCell(const TrackPoint& point, PointColumn column, ZoneOffset zone,
                      char separator) {
    std::string text;
    AppendPointCell(text, point, column, zone, separator);
    return text;
}

std::string ShownPointCell(const TrackPoint& point, PointColumn column, ZoneOffset zone,
                           char separator, ProfileUnits units) {
    const bool imperial = units == ProfileUnits::Imperial;
    switch (column) {
    case PointColumn::Time: return ShownTimeText(point.time, zone);
    case PointColumn::Altitude:
        if (std::isnan(point.altitude)) return {};
        return FormatFixed(point.altitude * (imperial ? MetreToFoot : 1.0), 1, separator);
    case PointColumn::Speed:
        return FormatFixed(point.speedKmh * (imperial ? KmToMile : 1.0), 1, separator);
    default: return PointCell(point, column, zone, separator);
    }
}

std::string PointColumnUnit(PointColumn column, ProfileUnits units) {
    const bool imperial = units == ProfileUnits::Imperial;
    switch (column) {
    case PointColumn::Altitude: return imperial ? " (ft)" : " (m)";
    case PointColumn::Speed: return imperial ? " (mph)" : " (km/h)";
    default: return {};
    }
}

std::string DistanceUnit(ProfileUnits units) {
    return units == ProfileUnits::Imperial ? "mi" : "km";
}

std::string DistanceText(double km, ProfileUnits units, char separator) {
    return FormatFixed(units == ProfileUnits::Imperial ? km * KmToMile : km, 2, separator);
}

std::string ListCell(const Track& track, ListColumn column) {
    switch (column) {
    case ListColumn::Name: return track.name;
    case ListColumn::Color: return std::to_string(track.color);
    case ListColumn::Select: return track.selected ? "1" : "0";
    }
    return {};
}

std::string DurationText(std::int64_t seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

TrackSummary SummaryOf(const Track* track, ZoneOffset zone, char separator) {
    if (track == nullptr) return {};
    TrackSummary summary;
    const double km = TrackKm(*track);
    summary.kilometres = DistanceText(km, ProfileUnits::Metric, separator);
    summary.miles = DistanceText(km, ProfileUnits::Imperial, separator);
    summary.duration = DurationText(StatisticsOf(*track).seconds);
    summary.points = std::to_string(track->points.size());
    if (!track->points.empty()) {
        summary.start = ShownTimeText(track->points.front().time, zone);
        summary.end = ShownTimeText(track->points.back().time, zone);
    }
    return summary;
}

}  // namespace vantrel
