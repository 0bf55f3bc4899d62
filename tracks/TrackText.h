#pragma once
// Points and tracks as the track file writes them and as the window shows
// them: the point grid's five cells (time, latitude, longitude, altitude,
// speed), the list's cells (name, colour, select) and the summary texts.
// Times are shown at the display offset, numbers with the user's decimal
// separator; the window's texts follow the units the user chose.

#include <cstdint>
#include <string>

#include "base/ZoneOffset.h"
#include "tracks/ProfilePlot.h"
#include "tracks/Track.h"

namespace vantrel {

enum class PointColumn { Time, Latitude, Longitude, Altitude, Speed };
inline constexpr int kPointColumns = 5;

// One cell of a point as the track file writes it: the time as
// "2010/5/3  14:5:9" at `zone`, degrees with six decimals, the altitude with
// one, the speed in km/h in the shortest form (up to 15 significant digits).
void AppendPointCell(std::string& out, const TrackPoint& point, PointColumn column,
                     ZoneOffset zone, char separator);
std::string PointCell(const TrackPoint& point, PointColumn column, ZoneOffset zone,
                      char separator);

// The same cell as the window shows it: the time as "2010/05/03 14:05:09",
// degrees with six decimals, the altitude in metres or feet and the speed in
// km/h or mph with one decimal (an altitude a file did not give is empty).
std::string ShownPointCell(const TrackPoint& point, PointColumn column, ZoneOffset zone,
                           char separator, ProfileUnits units);
// The unit a column's heading names: " (m)", " (ft)", " (km/h)", " (mph)",
// " (km)", " (mi)", or nothing for the time and the degrees.
std::string PointColumnUnit(PointColumn column, ProfileUnits units);
std::string DistanceUnit(ProfileUnits units);
// A distance with two decimals, in km or in miles.
std::string DistanceText(double km, ProfileUnits units, char separator);

enum class ListColumn { Name, Color, Select };
inline constexpr int kTrackListColumns = 3;
// One cell of the track list: the name, the colour as a decimal 0x00BBGGRR
// (the column shows it as a swatch), and "1", "0" or nothing.
std::string ListCell(const Track& track, ListColumn column);

// h:mm:ss; hours may pass 24 ("25:00:00").
std::string DurationText(std::int64_t seconds);

// The texts shown beside the point grid for a track: its start and end as
// the grid shows times, its duration, its distance in km and in miles with
// two decimals, and its count of points.
struct TrackSummary {
    std::string start, end, duration, kilometres, miles, points;
    friend bool operator==(const TrackSummary&, const TrackSummary&) = default;
};
// Empty texts for no track.
TrackSummary SummaryOf(const Track* track, ZoneOffset zone, char separator);

}  // namespace vantrel
