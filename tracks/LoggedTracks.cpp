#include "tracks/LoggedTracks.h"

#include <cstdio>

#include "base/NumberText.h"
#include "tracks/RecordDecode.h"

namespace vantrel {

namespace {

using namespace std::chrono;

constexpr sys_days kGpsEpoch = sys_days{year{1980} / January / 6};

LoggedPoint PointOf(const TrackRecord& record, const LeapSecondTable& leaps) {
    const GeodeticFix fix = DecodePosition(record);
    return {UtcFromGps(record.Seconds(), leaps), fix.latitude * RadToDeg,
            fix.longitude * RadToDeg, fix.height, record.SpeedRaw() * SpeedUnitMs * MsToKmh};
}

std::optional<Seconds> CalendarSeconds(int y, int mo, int d, int h, int mi, int s) {
    const year_month_day date{year{y}, month(static_cast<unsigned>(mo)),
                              day(static_cast<unsigned>(d))};
    if (!date.ok() || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 59) return std::nullopt;
    return sys_days{date} + hours{h} + minutes{mi} + seconds{s};
}

std::optional<LoggedPoint> RowPoint(const TrackStore& store, int row, ZoneOffset zone) {
    const TextGrid& grid = store.ScratchGrid;
    const NumberFormat& numbers = store.Values().Numbers;
    auto time = ParseCalendarText(grid.Cell(0, row));
    auto latitude = CellToFloat(grid.Cell(1, row), numbers);
    auto longitude = CellToFloat(grid.Cell(2, row), numbers);
    auto altitude = CellToFloat(grid.Cell(3, row), numbers);
    auto speed = CellToFloat(grid.Cell(4, row), numbers);
    if (!time || !latitude || !longitude) return std::nullopt;
    return LoggedPoint{*time - zone.Duration(), *latitude, *longitude, altitude.value_or(0),
                       speed.value_or(0)};
}

}  // namespace

std::optional<Seconds> ParseCalendarText(std::string_view text) {
    const std::string copy(text);
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
    if (std::sscanf(copy.c_str(), "%d/%d/%d %d:%d:%d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 ||
        static_cast<std::size_t>(used) != copy.size())
        return std::nullopt;
    return CalendarSeconds(y, mo, d, h, mi, s);
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

Seconds GpsTime(std::uint32_t gpsSeconds) {
    return kGpsEpoch + seconds{gpsSeconds};
}

Seconds UtcFromGps(std::uint32_t gpsSeconds, const LeapSecondTable& leaps) {
    return GpsTime(gpsSeconds) - seconds{leaps.OffsetAt(gpsSeconds)};
}

LoggedTracks DecodeTrackMemory(std::span<const std::uint8_t> memory, MemoryDecodeReport* report,
                               const LeapSecondTable& leaps) {
    MemoryDecodeReport local;
    MemoryDecodeReport& seen = report ? *report : local;
    LoggedTracks tracks;
    TrackMemoryReader reader(memory);
    while (auto slot = reader.Next()) {
        if (!slot->checksumOk) {
            ++seen.skippedRecords;
            continue;
        }
        if (tracks.empty() || slot->record.StartsTrack())
            tracks.push_back({"Track" + std::to_string(tracks.size()), {}});
        tracks.back().points.push_back(PointOf(slot->record, leaps));
    }
    return tracks;
}

LoggedTracks StoreTracks(const TrackStore& store, ZoneOffset zone) {
    LoggedTracks tracks;
    for (int k = 0; k < store.ListedTracks(); ++k) {
        const TrackEntry& entry = store.TrackTable[static_cast<std::size_t>(k)];
        LoggedTrack track{EntryName(entry), {}};
        for (int row : store.PointRows(k))
            if (auto point = RowPoint(store, row, zone)) track.points.push_back(*point);
        tracks.push_back(std::move(track));
    }
    return tracks;
}

LoggedTracks SplitAtGaps(const LoggedTracks& tracks, std::int64_t gapSeconds) {
    if (gapSeconds <= 0) return tracks;
    LoggedTracks pieces;
    for (const LoggedTrack& track : tracks) {
        int piece = 1;
        pieces.push_back({track.name, {}});
        for (const LoggedPoint& point : track.points) {
            const auto& current = pieces.back().points;
            if (!current.empty() && (point.time - current.back().time).count() > gapSeconds)
                pieces.push_back({track.name + "." + std::to_string(++piece), {}});
            pieces.back().points.push_back(point);
        }
    }
    return pieces;
}

std::string IsoZoneText(ZoneOffset zone) {
    return zone.minutes == 0 ? "Z" : IsoOffsetText(zone);
}

void AppendIsoTime(std::string& out, Seconds shown) {
    const sys_days date = floor<days>(shown);
    const year_month_day ymd{date};
    const hh_mm_ss clock{shown - date};
    AppendPadded(out, int(ymd.year()), 4);
    out += '-';
    AppendPadded(out, unsigned(ymd.month()), 2);
    out += '-';
    AppendPadded(out, unsigned(ymd.day()), 2);
    out += 'T';
    AppendPadded(out, clock.hours().count(), 2);
    out += ':';
    AppendPadded(out, clock.minutes().count(), 2);
    out += ':';
    AppendPadded(out, clock.seconds().count(), 2);
}

std::string IsoTimeText(Seconds time, ZoneOffset zone) {
    std::string text;
    AppendIsoTime(text, time + zone.Duration());
    return text + IsoZoneText(zone);
}

}  // namespace vantrel
