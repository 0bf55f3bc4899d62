#include "tracks/LeapSeconds.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "base/AtomicFile.h"
#include "base/NumberText.h"

namespace vantrel {

namespace {

using namespace std::chrono;

// Seconds from the NTP epoch (1900-01-01) to the GPS epoch.
constexpr std::int64_t kNtpToGps =
    duration_cast<seconds>(kGpsEpoch - sys_days{year{1900} / January / 1}).count();
// TAI - UTC at the GPS epoch: GPS - UTC is TAI - UTC less this.
constexpr int kTaiMinusGps = 19;
constexpr int kLargestOffset = 127;  // more than a century of leap seconds is no list

struct LeapDate {
    year_month_day day;  // the first day with the new offset
    int offset;          // GPS - UTC from then on
};

// Every leap second from the GPS epoch to the end of 2016.
constexpr LeapDate kHistory[] = {
    {year{1981} / July / 1, 1},     {year{1982} / July / 1, 2},     {year{1983} / July / 1, 3},
    {year{1985} / July / 1, 4},     {year{1988} / January / 1, 5},  {year{1990} / January / 1, 6},
    {year{1991} / January / 1, 7},  {year{1992} / July / 1, 8},     {year{1993} / July / 1, 9},
    {year{1994} / July / 1, 10},    {year{1996} / January / 1, 11}, {year{1997} / July / 1, 12},
    {year{1999} / January / 1, 13}, {year{2006} / January / 1, 14}, {year{2009} / January / 1, 15},
    {year{2012} / July / 1, 16},    {year{2015} / July / 1, 17},    {year{2017} / January / 1, 18},
};

// "NTP-seconds TAI-UTC" of one list line, comments and blanks dropped; an
// empty line gives {0, 0}; nothing when the line reads otherwise.
std::optional<std::pair<std::int64_t, int>> ListLine(std::string_view line) {
    line = TrimBlanks(line.substr(0, line.find('#')));
    if (line.empty()) return std::pair<std::int64_t, int>{0, 0};
    const auto split = line.find_first_of(" \t");
    if (split == std::string_view::npos) return std::nullopt;
    auto ntp = ParseInt(line.substr(0, split));
    auto tai = ParseInt(line.substr(split));
    if (!ntp || !tai || *ntp <= 0 || *tai <= 0 || *tai > kTaiMinusGps + kLargestOffset) return std::nullopt;
    return std::pair<std::int64_t, int>{*ntp, static_cast<int>(*tai)};
}

}  // namespace

void LeapSecondTable::AddLeap(std::int64_t utcSeconds, int offset) {
    // The inserted second is GPS second utcSeconds + offset - 1: it already
    // takes the new offset and so reads as the last second of the old day.
    steps_.push_back({utcSeconds + offset - 1, offset});
}

LeapSecondTable LeapSecondTable::BuiltIn() {
    LeapSecondTable table;
    for (const LeapDate& leap : kHistory)
        table.AddLeap(duration_cast<seconds>(sys_days{leap.day} - kGpsEpoch).count(),
                      leap.offset);
    return table;
}

std::optional<LeapSecondTable> LeapSecondTable::Parse(std::string_view text) {
    LeapSecondTable table;
    while (!text.empty()) {
        const auto end = text.find('\n');
        auto entry = ListLine(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!entry) return std::nullopt;
        const auto [ntp, tai] = *entry;
        const int offset = tai - kTaiMinusGps;
        if (ntp == 0 || offset <= 0) continue;  // blank, or before the GPS epoch
        const std::int64_t utc = ntp - kNtpToGps;
        if (!table.steps_.empty() && (utc + offset - 1 <= table.steps_.back().fromGps ||
                                      offset == table.steps_.back().offset))
            return std::nullopt;
        table.AddLeap(utc, offset);
    }
    if (table.steps_.empty()) return std::nullopt;
    return table;
}

LeapSecondTable LeapSecondTable::FromFile(const std::filesystem::path& path) {
    // The list of leap seconds is a few KiB; a larger file is not one.
    std::error_code error;
    if (auto text = ReadFileBytes(path, error, std::size_t{1} << 20)) {
        if (auto table = Parse(*text)) {
            table->fromFile_ = true;
            return *table;
        }
    }
    return BuiltIn();
}

LeapSecondTable LeapSecondTable::System() {
    return FromFile(kSystemList);
}

int LeapSecondTable::OffsetAt(std::int64_t gpsSeconds) const {
    auto after = std::upper_bound(steps_.begin(), steps_.end(), gpsSeconds,
                                  [](std::int64_t t, const Step& s) { return t < s.fromGps; });
    return after == steps_.begin() ? 0 : std::prev(after)->offset;
}

sys_seconds LeapSecondTable::UtcAt(std::int64_t gpsSeconds) const {
    return kGpsEpoch + seconds{gpsSeconds - OffsetAt(gpsSeconds)};
}

int LeapSecondTable::LatestOffset() const {
    return steps_.empty() ? 0 : steps_.back().offset;
}

}  // namespace vantrel
