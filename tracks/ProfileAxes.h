#pragma once
// What the profile chart writes beside its lines: ticks on round values of
// distance, altitude or speed, ticks on round times of day, and the reading
// of the point under the cursor.

#include <string>
#include <vector>

#include "tracks/ProfilePlot.h"

namespace vantrel {

struct AxisTick {
    double at;
    std::string label;
    friend bool operator==(const AxisTick&, const AxisTick&) = default;
};

// The round step (1, 2 or 5 times a power of ten) that cuts [low, high]
// into at most `count` parts, and the range widened to multiples of it.
double RoundStep(double low, double high, int count);
struct RoundRange {
    double min, max, step;
};
RoundRange RoundOut(double low, double high, int count);

// The ticks within [low, high] on a round step (1, 2 or 5 times a power of
// ten) that gives at most `count` of them, labelled with the decimals the
// step needs.
std::vector<AxisTick> NumberTicks(double low, double high, int count, char separator);

// The ticks within [low, high] (seconds since 1970 at the display offset)
// on whole seconds, minutes or hours (1, 2, 5, 10, 15 or 30 s or min; 1, 2,
// 3, 6 or 12 h; then days), at most `count` of them: "14:20", "14:20:30"
// when the step is under a minute, "01/26 14:20" over more than a day.
std::vector<AxisTick> TimeTicks(double low, double high, int count);

// "Altitude 345.2 m, 1.23 km, 14:13:05": the point's value in the units
// chosen, the distance along its track and its time of day.
std::string ProfileReading(const TrackPoint& point, double kmAlong, const ProfileOptions& options,
                           char separator);

}  // namespace vantrel
