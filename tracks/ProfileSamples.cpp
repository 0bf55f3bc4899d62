#include "tracks/ProfileSamples.h"

#include <algorithm>
#include <cmath>

#include "tracks/Geodesy.h"

namespace vantrel {

namespace {

// Column `col` of rows 1.. up to the first row without a time, in the
// user's notation; Imperial values are scaled by `imperialFactor`.
ProfileSamples Sample(const TextGrid& grid, int col, ProfileUnits units, double imperialFactor,
                      const NumberFormat& numbers) {
    ProfileSamples samples;
    const int n = std::min(grid.RowCount(), static_cast<int>(kProfileSampleCount));
    for (int row = 1; row < n; ++row) {
        if (grid.IsEmpty(0, row)) break;
        std::string text = ForArithmetic(grid.Cell(col, row), numbers);
        if (units == ProfileUnits::Imperial) {
            auto value = ParseFloat(text, numbers.Separator());
            text = value ? FormatGeneral(*value * imperialFactor, numbers.Separator()) : "";
        }
        samples[static_cast<std::size_t>(row - 1)] = std::move(text);
    }
    return samples;
}

}  // namespace

ProfileSamples SampleAltitude(const TextGrid& grid, ProfileUnits units,
                              const NumberFormat& numbers) {
    return Sample(grid, 3, units, MetreToFoot, numbers);
}

ProfileSamples SampleSpeed(const TextGrid& grid, ProfileUnits units, const NumberFormat& numbers) {
    return Sample(grid, 4, units, KmToMile, numbers);
}

ProfilePlot PlotProfile(ProfileKind kind, const ProfileSamples& samples,
                        const NumberFormat& numbers) {
    ProfilePlot plot;
    plot.leftAxisTitle = kind == ProfileKind::Altitude ? "Altitude" : "Speed";
    for (std::size_t i = 0; i < samples.size() && !samples[i].empty(); ++i) {
        auto y = ParseFloat(samples[i], numbers.Separator());
        if (!y) break;
        const auto x = static_cast<double>(i);
        plot.points.push_back({x, *y, FormatHashDotHash(x, numbers.Separator())});
    }
    return plot;
}

std::string FormatHashDotHash(double value, char decimalSeparator) {
    std::string text = FormatFixed(value, 1, decimalSeparator);
    if (text.size() >= 2 && text[text.size() - 1] == '0' &&
        text[text.size() - 2] == decimalSeparator)
        text.resize(text.size() - 2);
    // No forced integer digit: 0.5 reads ".5", 0 reads "".
    const std::size_t digit = text[0] == '-' ? 1 : 0;
    if (text.size() > digit && text[digit] == '0') text.erase(digit, 1);
    return text == "-" ? "" : text;
}

}  // namespace vantrel
