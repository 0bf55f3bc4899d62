#include "tracks/TrackMemory.h"

#include <algorithm>
#include <string>

#include "tracks/ClockEra.h"
#include "tracks/Geodesy.h"

namespace vantrel {

namespace {

GeodeticFix DecodePosition(const TrackRecord& record) {
    EcefState ecef{static_cast<double>(record.ecefX),
                   static_cast<double>(record.ecefY),
                   static_cast<double>(record.ecefZ),
                   0,
                   0,
                   0};
    DatumTransform(ecef, ecef);
    GeodeticFix fix{};
    LatLonTrig trig{};
    EcefToGeodetic(ecef, fix, trig);
    return fix;
}

// The latest stored time of the valid records, with the wraps inside the
// memory added, and how many wraps there were.
std::pair<std::int64_t, int> LatestUnwrapped(std::span<const std::uint8_t> memory) {
    TrackMemoryReader reader(memory);
    ClockUnwrapper clock;
    std::int64_t latest = 0;
    while (auto slot = reader.Next())
        if (slot->checksumOk) latest = std::max(latest, clock.Unwrap(slot->record.Seconds()));
    return {latest, clock.Wraps()};
}

}  // namespace

std::optional<TrackMemoryReader::Slot> TrackMemoryReader::Next() {
    if (ended_) return std::nullopt;
    const std::size_t at = SlotOffset(slot_);
    if (at + TrackRecord::kSize > memory_.size()) {
        ended_ = true;
        return std::nullopt;
    }
    const std::uint8_t* bytes = memory_.data() + at;
    Slot slot{slot_++, TrackRecord::Read(bytes), TrackRecord::ChecksumMatches(bytes)};
    if (slot.record.IsErased() || (slot.checksumOk && slot.record.MarksEndOfData())) {
        ended_ = true;
        return std::nullopt;
    }
    return slot;
}

TrackPoint RecordPoint(const TrackRecord& record, std::int64_t gpsSeconds,
                       const LeapSecondTable& leaps, const GeoidGrid* geoid) {
    const GeodeticFix fix = DecodePosition(record);
    const double latitude = fix.latitude * RadToDeg;
    const double longitude = fix.longitude * RadToDeg;
    const double undulation = geoid ? geoid->UndulationAt(latitude, longitude) : 0.0;
    return {leaps.UtcAt(gpsSeconds), latitude, longitude, fix.height - undulation,
            record.SpeedRaw() * SpeedUnitMs * MsToKmh};
}

DecodedMemory DecodeTrackMemory(std::span<const std::uint8_t> memory, TrackDecoding& decoding) {
    DecodedMemory out;
    MemoryDecodeReport& report = out.report;
    report.decoded = memory.size() >= TrackRecord::kSize;
    if (!report.decoded) return out;
    const GeoidGrid* geoid = decoding.geoid.Grid();
    report.heights = geoid ? HeightReference::MeanSeaLevel : HeightReference::Ellipsoid;
    const auto [latest, wraps] = LatestUnwrapped(memory);
    report.clockWraps = wraps;
    report.era = EraOffset(latest, ApproximateGpsSeconds(decoding.now()));

    TrackMemoryReader reader(memory);
    ClockUnwrapper clock;
    while (auto slot = reader.Next()) {
        if (!slot->checksumOk) {
            ++report.skippedRecords;
            continue;
        }
        const TrackRecord& record = slot->record;
        const std::int64_t gps = clock.Unwrap(record.Seconds()) + report.era;
        if (out.tracks.empty() || record.StartsTrack()) {
            out.tracks.emplace_back();
            out.tracks.back().name = "Track" + std::to_string(out.tracks.size() - 1);
        }
        out.tracks.back().points.push_back(RecordPoint(record, gps, decoding.leaps, geoid));
    }
    return out;
}

}  // namespace vantrel
