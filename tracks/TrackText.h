#pragma once
// Points and tracks as the track page and the track file show them: the point
// grid's five cells (time, latitude, longitude, altitude, speed), the list's
// three (name, colour, select) and the summary texts. Times are shown at the
// display offset, numbers with the user's decimal separator.

#include <cstdint>
#include <string>

#include "base/ZoneOffset.h"
#include "tracks/Track.h"

namespace vantrel {

enum class PointColumn { Time, Latitude, Longitude, Altitude, Speed };
inline constexpr int kPointColumns = 5;

// One cell of a point: the time as "2010/5/3  14:5:9" at `zone`, degrees with
// six decimals, the altitude with one, the speed in km/h in the shortest
// form (up to 15 significant digits).
void AppendPointCell(std::string& out, const TrackPoint& point, PointColumn column,
                     ZoneOffset zone, char separator);
std::string PointCell(const TrackPoint& point, PointColumn column, ZoneOffset zone,
                      char separator);

enum class ListColumn { Name, Color, Select };
inline constexpr int kTrackListColumns = 3;
// One cell of the track list: the name, the colour as a decimal 0x00BBGGRR
// (the column shows it as a swatch), and "1", "0" or nothing.
std::string ListCell(const Track& track, ListColumn column);

// hours:minutes:seconds without leading zeros; hours may pass 24 ("25:0:0").
std::string DurationText(std::int64_t seconds);

// The texts shown beside the point grid for a track.
struct TrackSummary {
    std::string start, end, duration, kilometres, miles, points;
    friend bool operator==(const TrackSummary&, const TrackSummary&) = default;
};
// Empty texts for no track.
TrackSummary SummaryOf(const Track* track, ZoneOffset zone, char separator);

}  // namespace vantrel
