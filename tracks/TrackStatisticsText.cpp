#include "tracks/TrackStatisticsText.h"

#include "base/Csv.h"
#include "base/NumberText.h"
#include "tracks/Geodesy.h"
#include "tracks/TrackText.h"

namespace vantrel {

namespace {

std::string OptionalFixed(const std::optional<double>& value, int decimals, char separator,
                          double factor = 1.0, const std::string& unit = {}) {
    if (!value) return {};
    return FormatFixed(*value * factor, decimals, separator) + unit;
}

}  // namespace

std::vector<StatisticsLine> StatisticsLines(const TrackStatistics& stats, ProfileUnits units,
                                            char separator, bool extent) {
    const bool imperial = units == ProfileUnits::Imperial;
    const double speedFactor = imperial ? KmToMile : 1.0;
    const std::string speedUnit = imperial ? " mph" : " km/h";
    const double heightFactor = imperial ? MetreToFoot : 1.0;
    const std::string heightUnit = imperial ? " ft" : " m";
    auto speed = [&](const std::optional<double>& kmh) {
        return OptionalFixed(kmh, 1, separator, speedFactor, speedUnit);
    };
    const auto& alt = stats.altitude;
    auto height = [&](double AltitudeStatistics::*field, int decimals) {
        return OptionalFixed(alt ? std::optional(*alt.*field) : std::nullopt, decimals, separator,
                             heightFactor, heightUnit);
    };
    std::vector<StatisticsLine> lines;
    if (extent) {
        lines.push_back(
            {"Distance", DistanceText(stats.km, units, separator) + " " + DistanceUnit(units)});
        lines.push_back({"Time", DurationText(stats.seconds)});
    }
    lines.insert(lines.end(), {{"Moving time", DurationText(stats.movingSeconds)},
                               {"Mean speed", speed(stats.MeanKmh())},
                               {"Moving speed", speed(stats.MovingKmh())},
                               {"Top speed", speed(stats.topKmh)},
                               {"Ascent", height(&AltitudeStatistics::ascentM, 0)},
                               {"Descent", height(&AltitudeStatistics::descentM, 0)},
                               {"Lowest", height(&AltitudeStatistics::lowestM, 1)},
                               {"Highest", height(&AltitudeStatistics::highestM, 1)}});
    return lines;
}

namespace {

CsvRecord CsvRow(const Track& track) {
    const TrackStatistics stats = StatisticsOf(track);
    const auto& alt = stats.altitude;
    auto metres = [&](double AltitudeStatistics::*field) {
        return OptionalFixed(alt ? std::optional(*alt.*field) : std::nullopt, 1, '.');
    };
    const bool empty = track.points.empty();
    return {track.name,
            std::to_string(stats.points),
            empty ? std::string() : IsoTimeText(track.points.front().time),
            empty ? std::string() : IsoTimeText(track.points.back().time),
            std::to_string(stats.seconds),
            std::to_string(stats.movingSeconds),
            FormatFixed(stats.km, 3, '.'),
            metres(&AltitudeStatistics::ascentM),
            metres(&AltitudeStatistics::descentM),
            metres(&AltitudeStatistics::lowestM),
            metres(&AltitudeStatistics::highestM),
            FormatFixed(stats.topKmh, 2, '.'),
            OptionalFixed(stats.MeanKmh(), 2, '.'),
            OptionalFixed(stats.MovingKmh(), 2, '.')};
}

}  // namespace

std::string StatisticsCsvText(const Tracks& tracks) {
    std::string text =
        CsvLine({"track", "points", "start", "end", "duration_s", "moving_s", "km", "ascent_m",
                 "descent_m", "min_alt_m", "max_alt_m", "top_kmh", "mean_kmh", "moving_kmh"});
    for (const Track& track : tracks)
        text += CsvLine(CsvRow(track));
    return text;
}

}  // namespace vantrel
