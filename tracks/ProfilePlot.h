#pragma once
// The profile chart's data: the altitude or speed of every point of a track
// against the distance along it or the time of day, in metric or imperial
// units, and the thinning that fits a long track to the chart's width
// without losing its peaks.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/ZoneOffset.h"
#include "tracks/Track.h"

namespace vantrel {

enum class ProfileUnits { Metric, Imperial };
enum class ProfileKind { Altitude, Speed };
enum class ProfileAxis { Distance, TimeOfDay };

inline constexpr double MetreToFoot = 1.0 / 0.3048;

struct ProfilePoint {
    double x;  // distance from the track's first point, km or miles
    double y;  // altitude in m or ft, speed in km/h or mph
};

struct ProfilePlot {
    std::string bottomAxisTitle;  // "Distance (km)", "Time of day (UTC+01:00)" ...
    std::string leftAxisTitle;    // "Altitude (m)", "Speed (mph)" ...
    // One for each point of the track, in its order.
    std::vector<ProfilePoint> points;
    std::string name;           // the track's
    std::uint32_t color = 255;  // 0x00BBGGRR
    ProfileAxis axis = ProfileAxis::Distance;
};

struct ProfileOptions {
    ProfileKind kind = ProfileKind::Altitude;
    ProfileUnits units = ProfileUnits::Metric;
    ProfileAxis axis = ProfileAxis::Distance;
    ZoneOffset zone{};  // the display offset of the time of day
    HeightReference heights = HeightReference::MeanSeaLevel;
    friend bool operator==(const ProfileOptions&, const ProfileOptions&) = default;
};

// Every point of the track (none for no track). Against the distance, it is
// measured as the summary measures it: the last x is the track's distance.
// Against the time, x is the point's time at the display offset in seconds
// since 1970 (a clock that ran back runs back here too). Altitudes above
// the ellipsoid (where the geoid was missing) say so in the axis title.
ProfilePlot PlotProfile(const Track* track, const ProfileOptions& options);
ProfilePlot PlotProfile(const Track* track, ProfileKind kind, ProfileUnits units,
                        HeightReference heights = HeightReference::MeanSeaLevel);

// The points to draw across `columns` pixel columns: all of them when they
// are few; otherwise the first, the last, and in each column the lowest and
// the highest, in their order, so no peak or dip is lost.
std::vector<ProfilePoint> ThinToColumns(std::span<const ProfilePoint> points, int columns);

struct ValueRange {
    double min;
    double max;
};
// The span of the values, widened to one unit around a flat profile (and
// 0..1 for none); negative values stay negative.
ValueRange ProfileValueRange(std::span<const ProfilePoint> points);

}  // namespace vantrel
