#pragma once
// A track's figures as text: the lines the window shows (in the units the
// user chose, with the user's decimal separator) and the rows of the
// command line's statistics table in CSV (UTC times, a decimal point).

#include <string>
#include <vector>

#include "tracks/ProfilePlot.h"
#include "tracks/TrackStatistics.h"

namespace vantrel {

struct StatisticsLine {
    std::string label;  // "Moving time", "Top speed" ...
    std::string value;  // "1:02:05", "12.5 km/h", "245 m"; empty when there is none
    friend bool operator==(const StatisticsLine&, const StatisticsLine&) = default;
};

// Moving time, mean, moving and top speed, ascent, descent, lowest and
// highest altitude; with `extent`, the distance and the time come first
// (for a stretch of a track, whose summary does not show them).
std::vector<StatisticsLine> StatisticsLines(const TrackStatistics& stats, ProfileUnits units,
                                            char separator, bool extent = false);

// "track,points,start,end,duration_s,moving_s,km,ascent_m,descent_m,
// min_alt_m,max_alt_m,top_kmh,mean_kmh,moving_kmh" and one row per track;
// a figure a track does not have (no altitude, no time) is an empty field.
std::string StatisticsCsvText(const Tracks& tracks);

}  // namespace vantrel
