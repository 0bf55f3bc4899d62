#include "cli/Progress.h"

#include <unistd.h>

#include <algorithm>
#include <cinttypes>

namespace vantrel::cli {

namespace {

std::string Bytes(double n) {
    static const char* const kUnits[] = {"B", "KiB", "MiB", "GiB"};
    int unit = 0;
    while (n >= 1024 && unit < 3) {
        n /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", n, kUnits[unit]);
    return text;
}

std::string Amount(double n, Progress::Unit unit) {
    if (unit == Progress::Unit::Bytes) return Bytes(n);
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", n);
    return text;
}

std::string MinutesSeconds(double seconds) {
    auto s = static_cast<std::int64_t>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64 ":%02" PRId64, s / 60, s % 60);
    return text;
}

}  // namespace

Progress::Progress(std::string what, std::size_t total, std::FILE* out, Unit unit)
    : what_(std::move(what)),
      total_(total),
      out_(out),
      unit_(unit),
      terminal_(out != nullptr && isatty(fileno(out)) != 0),
      start_(Clock::now()),
      lastReport_(start_) {}

std::string Progress::Describe(const std::string& what, std::size_t done, std::size_t total,
                               double seconds, Unit unit) {
    std::string text = what + " " + Amount(static_cast<double>(done), unit);
    if (total > 0) text += " / " + Amount(static_cast<double>(total), unit);
    double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    if (rate > 0) {
        text += "  " + Amount(rate, unit) + "/s";
        if (total > done)
            text += "  " + MinutesSeconds(static_cast<double>(total - done) / rate) + " left";
    }
    return text;
}

std::string Progress::BarLine(const std::string& what, std::size_t done, std::size_t total,
                              double seconds, Unit unit) {
    if (total == 0) return Describe(what, done, total, seconds, unit);
    constexpr int kWidth = 24;
    const double part = std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
    const auto filled = static_cast<int>(kWidth * part);
    char percent[8];
    std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(100 * part));
    const std::string text = Describe(what, done, total, seconds, unit);
    return what + " [" + std::string(std::size_t(filled), '#') +
           std::string(std::size_t(kWidth - filled), '.') + "] " + percent + " " +
           text.substr(what.size() + 1);
}

void Progress::Update(std::size_t done) {
    if (!out_) return;
    const auto now = Clock::now();
    const auto interval = terminal_ ? Clock::duration(kRedrawInterval) : Clock::duration(kLogInterval);
    if (now - lastReport_ < interval) return;
    lastReport_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    if (terminal_)
        std::fprintf(out_, "\r\033[K%s", BarLine(what_, done, total_, seconds, unit_).c_str());
    else
        std::fprintf(out_, "%s\n", Describe(what_, done, total_, seconds, unit_).c_str());
    std::fflush(out_);
}

void Progress::Finish(std::size_t done) {
    if (!out_) return;
    const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    std::fprintf(out_, "%s%s in %s\n", terminal_ ? "\r\033[K" : "",
                 Describe(what_, done, 0, seconds, unit_).c_str(), MinutesSeconds(seconds).c_str());
    std::fflush(out_);
}

}  // namespace vantrel::cli
