#include "tracks/ProfileAxes.h"

#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "base/NumberText.h"
#include "tracks/TrackText.h"

namespace vantrel {

namespace {

// The ticks at every multiple of `step` within [low, high].
template <class Label>
std::vector<AxisTick> TicksOf(double low, double high, double step, Label label) {
    std::vector<AxisTick> ticks;
    for (double k = std::ceil(low / step - 1e-9); k * step <= high + step * 1e-9; ++k)
        ticks.push_back({k * step, label(k * step)});
    return ticks;
}

constexpr std::array<double, 17> kTimeSteps = {1,   2,   5,    10,   15,   30,    60,    120,  300,
                                               600, 900, 1800, 3600, 7200, 10800, 21600, 43200};

std::string ClockText(double seconds, bool withSeconds, bool withDate) {
    using namespace std::chrono;
    const sys_seconds at{std::chrono::seconds{std::llround(seconds)}};
    const auto day = floor<days>(at);
    const year_month_day date{day};
    const hh_mm_ss clock{at - day};
    char text[32];
    int used = 0;
    if (withDate)
        used = std::snprintf(text, sizeof text, "%02u/%02u ", unsigned(date.month()),
                             unsigned(date.day()));
    std::snprintf(text + used, sizeof text - used, withSeconds ? "%02d:%02d:%02d" : "%02d:%02d",
                  int(clock.hours().count()), int(clock.minutes().count()),
                  int(clock.seconds().count()));
    return text;
}

}  // namespace

double RoundStep(double low, double high, int count) {
    const double rough = (high - low) / std::max(count, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double factor : {1.0, 2.0, 5.0})
        if (power * factor >= rough) return power * factor;
    return power * 10;
}

RoundRange RoundOut(double low, double high, int count) {
    if (!(high > low)) return {low, high, 0};
    const double step = RoundStep(low, high, count);
    return {std::floor(low / step + 1e-9) * step, std::ceil(high / step - 1e-9) * step, step};
}

std::vector<AxisTick> NumberTicks(double low, double high, int count, char separator) {
    if (!(high > low) || count < 1) return {};
    const double step = RoundStep(low, high, count);
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9)));
    return TicksOf(low, high, step,
                   [&](double at) { return FormatFixed(at, decimals, separator); });
}

std::vector<AxisTick> TimeTicks(double low, double high, int count) {
    if (!(high > low) || count < 1) return {};
    const double rough = (high - low) / count;
    double step = std::ceil(rough / 86400) * 86400;
    for (double seconds : kTimeSteps)
        if (seconds >= rough) {
            step = seconds;
            break;
        }
    const bool withDate = high - low > 86400;
    return TicksOf(low, high, step, [&](double at) { return ClockText(at, step < 60, withDate); });
}

std::string ProfileReading(const TrackPoint& point, double kmAlong, const ProfileOptions& options,
                           char separator) {
    const bool imperial = options.units == ProfileUnits::Imperial;
    std::string value;
    if (options.kind == ProfileKind::Speed)
        value = "Speed " + ShownPointCell(point, PointColumn::Speed, {}, separator, options.units) +
                (imperial ? " mph" : " km/h");
    else if (std::isnan(point.altitude))
        value = "No altitude";
    else
        value = "Altitude " +
                ShownPointCell(point, PointColumn::Altitude, {}, separator, options.units) +
                (imperial ? " ft" : " m");
    const double shown =
        static_cast<double>((point.time + options.zone.Duration()).time_since_epoch().count());
    return value + ", " + DistanceText(kmAlong, options.units, separator) + " " +
           DistanceUnit(options.units) + ", " + ClockText(shown, true, false);
}

}  // namespace vantrel
