#include "photos/PhotoTime.h"

#include <cctype>
#include <cstdio>

#include "base/NumberText.h"

namespace vantrel {

using namespace std::chrono;

namespace {

// "YYYY:MM:DD hh:mm:ss", the date's parts also apart by '-' and the
// time by 'T'; nothing unless the whole text is one.
std::optional<Seconds> DateTimeOf(std::string text) {
    if (text.size() != 19) return std::nullopt;
    for (std::size_t at : {4u, 7u})
        if (text[at] == ':') text[at] = '-';
    if (text[10] == 'T') text[10] = ' ';
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) !=
            6 ||
        used != 19)
        return std::nullopt;
    return CalendarSeconds(y, mo, d, h, mi, s);
}

void AppendFraction(std::string& out, int milliseconds) {
    if (milliseconds == 0) return;
    char text[8];
    std::snprintf(text, sizeof text, ".%03d", milliseconds);
    out += text;
}

}  // namespace

std::optional<Seconds> ParseExifDateTime(std::string_view text) {
    return DateTimeOf(std::string(TrimBlanks(text)));
}

int ParseSubSeconds(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.size() > 9) return 0;
    int value = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const char c = i < text.size() ? text[i] : '0';
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
        value = value * 10 + (c - '0');
    }
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    return value;
}

std::optional<ZoneOffset> ParseExifOffset(std::string_view text) {
    text = TrimBlanks(text);
    if (text == "Z") return ZoneOffset{};
    if (text.size() != 6 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
    return ParseZoneOffset(text);
}

std::optional<CameraTime> ParseXmpDateTime(std::string_view text) {
    text = TrimBlanks(text);
    if (text.size() < 19) return std::nullopt;
    auto wall = DateTimeOf(std::string(text.substr(0, 19)));
    if (!wall) return std::nullopt;
    CameraTime time{*wall};
    std::string_view rest = text.substr(19);
    if (rest.starts_with(".")) {
        const std::size_t digits = rest.find_first_not_of("0123456789", 1);
        time.milliseconds = ParseSubSeconds(rest.substr(1, digits == rest.npos ? rest.npos : digits - 1));
        rest = digits == rest.npos ? std::string_view() : rest.substr(digits);
    }
    if (!rest.empty()) {
        time.ownOffset = ParseExifOffset(rest);
        if (!time.ownOffset) return std::nullopt;
    }
    return time;
}

std::string CameraTimeText(const CameraTime& time) {
    std::string text = IsoTimeText(time.wall);
    text.resize(19);  // the date and time without "Z"
    text[10] = ' ';
    AppendFraction(text, time.milliseconds);
    if (time.ownOffset) text += " " + IsoOffsetText(*time.ownOffset);
    return text;
}

std::string UtcText(Millis utc) {
    const auto whole = floor<seconds>(utc);
    std::string text = IsoTimeText(whole);
    text.pop_back();  // "Z", added again after the fraction
    AppendFraction(text, static_cast<int>((utc - whole).count()));
    return text + "Z";
}

std::optional<ZoneRules> ParseCameraZone(std::string_view text, std::string& error) {
    text = TrimBlanks(text);
    if (text == "UTC" || text == "Z" || text == "utc") return ZoneRules::Fixed({});
    if (auto offset = ParseZoneOffset(text)) return ZoneRules::Fixed(*offset);
    auto named = ZoneRules::Named(text, error);
    if (!named)
        error = "'" + std::string(text) +
                "' is no camera zone: give an offset such as +02:00 or a zone name such as "
                "Europe/Berlin (" + error + ")";
    return named;
}

PhotoMoment ResolveMoment(const CameraTime& time, const PhotoClock& clock) {
    PhotoMoment moment{};
    Seconds utc;
    if (time.ownOffset) {
        moment.source = ZoneSource::Photo;
        moment.offset = *time.ownOffset;
        utc = time.wall - time.ownOffset->Duration();
    } else {
        moment.source = clock.cameraZone ? ZoneSource::Camera : ZoneSource::Computer;
        const ZoneRules& rules = clock.cameraZone ? *clock.cameraZone : clock.computerZone;
        utc = rules.FromWallClock(time.wall);
        moment.offset = {static_cast<int>(duration_cast<minutes>(time.wall - utc).count())};
    }
    moment.utc = utc + milliseconds(time.milliseconds) + seconds(clock.offsetSeconds);
    return moment;
}

std::int64_t ClockOffsetSeconds(const CameraTime& photo, Seconds shownWall) {
    return (shownWall - photo.wall).count();
}

std::optional<Seconds> ParseClockReading(std::string_view text, Seconds photoWall) {
    const std::string copy(TrimBlanks(text));
    if (auto whole = ParseExifDateTime(copy)) return whole;
    int h = 0, mi = 0, s = 0, used = 0;
    const bool full = std::sscanf(copy.c_str(), "%2d:%2d:%2d%n", &h, &mi, &s, &used) == 3 &&
                      static_cast<std::size_t>(used) == copy.size();
    if (!full) {
        s = 0;
        if (std::sscanf(copy.c_str(), "%2d:%2d%n", &h, &mi, &used) != 2 ||
            static_cast<std::size_t>(used) != copy.size())
            return std::nullopt;
    }
    if (h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return std::nullopt;
    const Seconds sameDay = floor<days>(photoWall) + hours(h) + minutes(mi) + seconds(s);
    Seconds best = sameDay;
    for (const Seconds candidate : {sameDay - days(1), sameDay + days(1)})
        if (abs(candidate - photoWall) < abs(best - photoWall)) best = candidate;
    return best;
}

}  // namespace vantrel
