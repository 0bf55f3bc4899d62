#include "map/TileFreshness.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <ctime>

namespace vantrel {

namespace {

constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<std::string_view, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

int MonthIndex(std::string_view name) {
    for (std::size_t i = 0; i < kMonths.size(); ++i)
        if (name == kMonths[i]) return static_cast<int>(i);
    return -1;
}

std::optional<std::int64_t> ToSeconds(int year, int month, int day, int h, int m, int s) {
    if (month < 0 || day < 1 || day > 31 || h > 23 || m > 59 || s > 60 || h < 0 || m < 0 || s < 0)
        return std::nullopt;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month;
    tm.tm_mday = day;
    tm.tm_hour = h;
    tm.tm_min = m;
    tm.tm_sec = s;
    return static_cast<std::int64_t>(timegm(&tm));
}

std::optional<std::int64_t> Number(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// The value of `name=N` among a Cache-Control header's comma-separated
// directives, matched ignoring case.
std::optional<std::int64_t> Directive(std::string_view header, std::string_view name) {
    std::size_t at = 0;
    while (at < header.size()) {
        std::size_t end = header.find(',', at);
        if (end == std::string_view::npos) end = header.size();
        std::string_view part = header.substr(at, end - at);
        at = end + 1;
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        const std::size_t equals = part.find('=');
        if (equals != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < name.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(part[i])) == name[i];
        std::string_view value = part.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (same) return Number(value);
    }
    return std::nullopt;
}

// How many seconds the headers let a tile stay fresh, from the moment the
// server sent it; nullopt when they do not say.
// An Expires without a Date counts from `now`.
std::optional<std::int64_t> HeaderLifetime(const TileCachingHeaders& h, std::int64_t now) {
    if (auto maxAge = Directive(h.cacheControl, "max-age"))
        return *maxAge - Number(h.age).value_or(0);
    const auto expires = ParseHttpDate(h.expires);
    if (!expires) return std::nullopt;
    return *expires - ParseHttpDate(h.date).value_or(now);
}

}  // namespace

std::optional<std::int64_t> ParseHttpDate(std::string_view text) {
    const std::string value(text.substr(0, 64));
    char day[16] = {}, month[4] = {}, zone[4] = {};
    int d = 0, y = 0, h = 0, m = 0, s = 0, used = 0;
    auto whole = [&] { return used == static_cast<int>(value.size()); };
    // Sun, 06 Nov 1994 08:49:37 GMT
    if (std::sscanf(value.c_str(), "%3s, %2d %3s %4d %2d:%2d:%2d %3s%n", day, &d, month, &y, &h, &m,
                    &s, zone, &used) == 8 &&
        whole() && std::string_view(zone) == "GMT")
        return ToSeconds(y, MonthIndex(month), d, h, m, s);
    // Sunday, 06-Nov-94 08:49:37 GMT
    if (std::sscanf(value.c_str(), "%15[A-Za-z], %2d-%3s-%2d %2d:%2d:%2d %3s%n", day, &d, month, &y,
                    &h, &m, &s, zone, &used) == 8 &&
        whole() && std::string_view(zone) == "GMT")
        return ToSeconds(y < 70 ? 2000 + y : 1900 + y, MonthIndex(month), d, h, m, s);
    // Sun Nov  6 08:49:37 1994
    if (std::sscanf(value.c_str(), "%3s %3s %2d %2d:%2d:%2d %4d%n", day, month, &d, &h, &m, &s, &y,
                    &used) == 7 &&
        whole())
        return ToSeconds(y, MonthIndex(month), d, h, m, s);
    return std::nullopt;
}

std::string FormatHttpDate(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char text[40];
    std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d GMT",
                  kDays[static_cast<std::size_t>(tm.tm_wday)].data(), tm.tm_mday,
                  kMonths[static_cast<std::size_t>(tm.tm_mon)].data(), tm.tm_year + 1900,
                  tm.tm_hour, tm.tm_min, tm.tm_sec);
    return text;
}

std::int64_t TileFreshUntil(const TileCachingHeaders& headers, std::int64_t now) {
    return now + std::max(HeaderLifetime(headers, now).value_or(0), kTileMinimumLifetimeSeconds);
}

}  // namespace vantrel
