#pragma once
// Tracks as plain lists of points, for the exports that have no room limits
// (GPX, CSV, KML straight from a memory image): every track and every point
// of the image, however many, with no grid or 64-entry table in between.
// Times are UTC: the device's clock runs on GPS time, and the leap seconds
// valid at each point's time are taken off it, as the track list does.

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/ZoneOffset.h"
#include "tracks/LeapSeconds.h"
#include "tracks/TrackStore.h"

namespace vantrel {

using Seconds = std::chrono::sys_seconds;

struct LoggedPoint {
    Seconds time;
    double latitude;   // degrees, as the program shows them
    double longitude;  // degrees
    double altitude;   // metres above the ellipsoid
    double speedKmh;
};

struct LoggedTrack {
    std::string name;
    std::vector<LoggedPoint> points;
};

using LoggedTracks = std::vector<LoggedTrack>;

// What decoding a memory image met on its way.
struct MemoryDecodeReport {
    int skippedRecords = 0;  // records with a wrong checksum
};

// The GPS calendar time of a device time stamp (GPS seconds from
// 1980-01-06), leap seconds not counted.
Seconds GpsTime(std::uint32_t gpsSeconds);
// The UTC time of a device time stamp: GpsTime less the leap seconds valid
// then.
Seconds UtcFromGps(std::uint32_t gpsSeconds, const LeapSecondTable& leaps);

// Every track of a memory image, in the order of the records, named Track0,
// Track1, ... as the track list names them. A track begins at each record
// flagged as a track start and at the first record; records with a wrong
// checksum are skipped; a record at the Earth's centre ends the data.
LoggedTracks DecodeTrackMemory(std::span<const std::uint8_t> memory,
                               MemoryDecodeReport* report = nullptr,
                               const LeapSecondTable& leaps = LeapSecondTable::System());

// The listed tracks of a store (a loaded track file). The store's time
// texts are shown at `zone`; the points get UTC back. Rows without a
// time and cells that are not numbers are left out.
LoggedTracks StoreTracks(const TrackStore& store, ZoneOffset zone);

// Starts a new track wherever two points lie more than `gapSeconds` apart;
// the pieces after a track's first are named "NAME.2", "NAME.3", ...
// A gap of 0 or less splits nothing.
LoggedTracks SplitAtGaps(const LoggedTracks& tracks, std::int64_t gapSeconds);

// A time as the track and POI lists show it ("2010/5/3  14:5:9" or
// "2010/05/03 14:05:09"), or nothing when the text is no valid date and time.
std::optional<Seconds> ParseCalendarText(std::string_view text);

// An ISO 8601 date and time as GPX writes it ("2011-01-25T14:13:20Z",
// fractions of a second dropped, "+02:00" style offsets turned back; no
// offset reads as UTC), or nothing when the text is not one.
std::optional<Seconds> ParseIsoTime(std::string_view text);

// "2011-01-25T14:13:20" and the zone: "Z" at 0, "+02:00", "-05:00" or "+05:30"
// otherwise; the time shown is `time` plus `zone`.
std::string IsoTimeText(Seconds time, ZoneOffset zone = {});
// What IsoTimeText puts after the time: "Z", "+02:00", ...
std::string IsoZoneText(ZoneOffset zone);
// "2011-01-25T14:13:20" of `shown` appended to `out`, without a zone.
void AppendIsoTime(std::string& out, Seconds shown);

}  // namespace vantrel
