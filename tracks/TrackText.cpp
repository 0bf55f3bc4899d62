#include "tracks/TrackText.h"

#include "base/NumberText.h"
#include "tracks/Geodesy.h"

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

std::string ListCell(const Track& track, ListColumn column) {
    switch (column) {
    case ListColumn::Name: return track.name;
    case ListColumn::Color: return std::to_string(track.color);
    case ListColumn::Select: return track.selected ? "1" : "0";
    }
    return {};
}

std::string DurationText(std::int64_t seconds) {
    return std::to_string(seconds / 3600) + ":" + std::to_string((seconds / 60) % 60) + ":" +
           std::to_string(seconds % 60);
}

TrackSummary SummaryOf(const Track* track, ZoneOffset zone, char separator) {
    if (track == nullptr) return {};
    TrackSummary summary;
    const double km = TrackKm(*track);
    summary.kilometres = FormatGeneral(km, separator);
    summary.miles = FormatGeneral(km * KmToMile, separator);
    summary.duration = DurationText(TrackSeconds(*track));
    summary.points = std::to_string(track->points.size());
    if (!track->points.empty()) {
        summary.start = PointCell(track->points.front(), PointColumn::Time, zone, separator);
        summary.end = PointCell(track->points.back(), PointColumn::Time, zone, separator);
    }
    return summary;
}

}  // namespace vantrel
