#pragma once
// The profile chart's data: altitude or speed values sampled from the point
// grid as text, and the points and labels the chart plots from them.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/NumberText.h"
#include "app/TextGrid.h"

namespace vantrel {

inline constexpr std::size_t kProfileSampleCount = 333;
// Entry i holds the value of grid row i + 1; the first empty entry ends the data.
using ProfileSamples = std::array<std::string, kProfileSampleCount>;

enum class ProfileUnits { Metric, Imperial };
enum class ProfileKind { Altitude, Speed };

inline constexpr double MetreToFoot = 3.2808399;
inline constexpr std::uint32_t kProfilePointColor = 0x008000;

// Heights (column 3) in metres, or in feet under Imperial.
ProfileSamples SampleAltitude(const TextGrid& grid, ProfileUnits units,
                              const NumberFormat& numbers);
// Speeds (column 4) in km/h, or in mph under Imperial.
ProfileSamples SampleSpeed(const TextGrid& grid, ProfileUnits units, const NumberFormat& numbers);

struct ProfilePoint {
    double x;           // the point's number: 0, 1, 2 ...
    double y;           // the sampled value
    std::string label;  // x in "#.#" form ("" for 0)
};

struct ProfilePlot {
    std::string leftAxisTitle;  // "Altitude" or "Speed"
    std::vector<ProfilePoint> points;
};

// What the chart shows for the samples: points up to the first empty (or
// non-numeric) entry.
ProfilePlot PlotProfile(ProfileKind kind, const ProfileSamples& samples,
                        const NumberFormat& numbers);

// A number in "#.#" form: at most one decimal, no forced digits (0 gives "").
std::string FormatHashDotHash(double value, char decimalSeparator);

}  // namespace vantrel
