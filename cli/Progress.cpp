#include "cli/Progress.h"

#include <unistd.h>

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

std::string MinutesSeconds(double seconds) {
    auto s = static_cast<std::int64_t>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%" PRId64 ":%02" PRId64, s / 60, s % 60);
    return text;
}

}  // namespace

Progress::Progress(std::string what, std::size_t total, std::FILE* out)
    : what_(std::move(what)),
      total_(total),
      out_(out),
      terminal_(isatty(fileno(out)) != 0),
      start_(Clock::now()),
      lastReport_(start_) {}

std::string Progress::Describe(const std::string& what, std::size_t done, std::size_t total,
                               double seconds) {
    std::string text = what + " " + Bytes(static_cast<double>(done));
    if (total > 0) text += " / " + Bytes(static_cast<double>(total));
    double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
    if (rate > 0) {
        text += "  " + Bytes(rate) + "/s";
        if (total > done)
            text += "  " + MinutesSeconds(static_cast<double>(total - done) / rate) + " left";
    }
    return text;
}

void Progress::Update(std::size_t done) {
    auto now = Clock::now();
    auto sinceReport = now - lastReport_;
    if (sinceReport < (terminal_ ? std::chrono::milliseconds(100) : std::chrono::seconds(1)))
        return;
    lastReport_ = now;
    double seconds = std::chrono::duration<double>(now - start_).count();
    std::string text = Describe(what_, done, total_, seconds);
    if (terminal_) {
        std::string bar;
        if (total_ > 0) {
            constexpr int kWidth = 24;
            auto filled = static_cast<int>(kWidth * std::min<double>(1.0, double(done) / total_));
            bar = "[" + std::string(filled, '#') + std::string(kWidth - filled, '.') + "] ";
        }
        std::fprintf(out_, "\r\033[K%s%s", bar.c_str(), text.c_str());
    } else {
        std::fprintf(out_, "%s\n", text.c_str());
    }
    std::fflush(out_);
}

void Progress::Finish(std::size_t done) {
    double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    std::fprintf(out_, "%s%s in %s\n", terminal_ ? "\r\033[K" : "",
                 Describe(what_, done, 0, seconds).c_str(), MinutesSeconds(seconds).c_str());
    std::fflush(out_);
}

}  // namespace vantrel::cli
