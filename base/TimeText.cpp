#include "base/TimeText.h"

#include <cctype>
#include <cstdio>
#include <iterator>

#include "base/NumberText.h"

namespace vantrel {

using namespace std::chrono;

std::optional<Seconds> CalendarSeconds(int y, int mo, int d, int h, int mi, int s) {
    if (mo < 1 || mo > 12 || d < 1 || d > 31) return std::nullopt;
    const year_month_day date{year{y}, month(static_cast<unsigned>(mo)),
                              day(static_cast<unsigned>(d))};
    if (!date.ok() || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return std::nullopt;
    return sys_days{date} + hours{h} + minutes{mi} + seconds{s};
}

namespace {

// The six fields of a moment's date and clock time, each padded to its width
// and followed by its separator.
void AppendFields(std::string& out, Seconds shown, const int (&widths)[6],
                  const std::string_view (&separators)[6]) {
    const sys_days date = floor<days>(shown);
    const year_month_day ymd{date};
    const hh_mm_ss clock{shown - date};
    const long long fields[] = {int(ymd.year()),        unsigned(ymd.month()),
                                unsigned(ymd.day()),    clock.hours().count(),
                                clock.minutes().count(), clock.seconds().count()};
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        AppendPadded(out, fields[i], widths[i]);
        out += separators[i];
    }
}

}  // namespace

std::string ShownTimeText(Seconds time, ZoneOffset zone) {
    const std::string iso = IsoTimeText(time, zone);  // "2011-01-25T14:13:20..."
    return iso.substr(0, 4) + "/" + iso.substr(5, 2) + "/" + iso.substr(8, 2) + " " +
           iso.substr(11, 8);
}

void AppendListTime(std::string& out, Seconds shown) {
    AppendFields(out, shown, {0, 0, 0, 0, 0, 0}, {"/", "/", "  ", ":", ":", ""});
}

namespace {

// Reads, as scanf's "%d" does, optional blanks, an optional sign and digits.
std::optional<int> TakeNumber(std::string_view& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    const std::size_t digits = at;
    long long value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && at - digits < 9)
        value = value * 10 + (text[at++] - '0');
    if (at == digits || (at < text.size() && text[at] >= '0' && text[at] <= '9'))
        return std::nullopt;
    text.remove_prefix(at);
    return static_cast<int>(negative ? -value : value);
}

bool TakeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

std::optional<Seconds> ParseCalendarText(std::string_view text) {
    int fields[6];
    constexpr char kAfter[] = {'/', '/', ' ', ':', ':', '\0'};
    for (int i = 0; i < 6; ++i) {
        auto value = TakeNumber(text);
        if (!value) return std::nullopt;
        fields[i] = *value;
        if (kAfter[i] == ' ') {
            // The date and the time are parted by blanks.
            if (text.empty() || !std::isspace(static_cast<unsigned char>(text.front())))
                return std::nullopt;
        } else if (kAfter[i] != '\0' && !TakeChar(text, kAfter[i])) {
            return std::nullopt;
        }
    }
    if (!text.empty()) return std::nullopt;
    return CalendarSeconds(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
}

std::optional<Seconds> ParseIsoTime(std::string_view text) {
    const std::string copy(TrimBlanks(text));
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) !=
        6)
        return std::nullopt;
    auto time = CalendarSeconds(y, mo, d, h, mi, s);
    std::string_view rest = std::string_view(copy).substr(static_cast<std::size_t>(used));
    if (!rest.empty() && rest.front() == '.') {
        rest.remove_prefix(1);
        std::size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9')
            ++digits;
        if (digits == 0) return std::nullopt;
        rest.remove_prefix(digits);
    }
    if (!time || rest.empty() || rest == "Z") return time;
    int zh = 0, zm = 0;
    char sign = rest.front();
    if ((sign != '+' && sign != '-') || rest.size() != 6 || rest[3] != ':' ||
        std::sscanf(std::string(rest.substr(1)).c_str(), "%2d:%2d", &zh, &zm) != 2 || zh > 14 ||
        zm > 59)
        return std::nullopt;
    const minutes offset{zh * 60 + zm};
    return sign == '+' ? *time - offset : *time + offset;
}

std::string IsoZoneText(ZoneOffset zone) {
    return zone.minutes == 0 ? "Z" : IsoOffsetText(zone);
}

void AppendIsoTime(std::string& out, Seconds shown) {
    AppendFields(out, shown, {4, 2, 2, 2, 2, 2}, {"-", "-", "T", ":", ":", ""});
}

std::string IsoTimeText(Seconds time, ZoneOffset zone) {
    std::string text;
    AppendIsoTime(text, time + zone.Duration());
    return text + IsoZoneText(zone);
}

}  // namespace vantrel
