#include "tracks/TrackMemory.h"

#include <algorithm>
#include <string>

#include "tracks/ClockEra.h"
#include "tracks/Geodesy.h"

namespace vantrel {

namespace {

// The point of a record with its time still the stored GPS seconds.
TrackPoint PointAt(const TrackRecord& record, Seconds time, const GeoidGrid* geoid) {
    const GeodeticPosition fix = EcefToPosition(record.ecefX, record.ecefY, record.ecefZ);
    const double latitude = fix.latitude * RadToDeg;
    const double longitude = fix.longitude * RadToDeg;
    const double undulation = geoid ? geoid->UndulationAt(latitude, longitude) : 0.0;
    return {time, latitude, longitude, fix.height - undulation,
            record.SpeedRaw() * SpeedUnitMs * MsToKmh};
}

// Times are first kept as the GPS seconds the records store, with the wraps
// inside the memory added; once the memory's latest time is known they take
// its era and become UTC.
Seconds Unwrapped(std::int64_t gpsSeconds) {
    return Seconds{std::chrono::seconds{gpsSeconds}};
}

void TakeEra(Tracks& tracks, std::int64_t era, const LeapSecondTable& leaps) {
    for (Track& track : tracks)
        for (TrackPoint& point : track.points)
            point.time = leaps.UtcAt(point.time.time_since_epoch().count() + era);
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
    return PointAt(record, leaps.UtcAt(gpsSeconds), geoid);
}

DecodedMemory DecodeTrackMemory(std::span<const std::uint8_t> memory, TrackDecoding& decoding) {
    DecodedMemory out;
    MemoryDecodeReport& report = out.report;
    report.decoded = memory.size() >= TrackRecord::kSize;
    if (!report.decoded) return out;
    const GeoidGrid* geoid = decoding.geoid.Grid();
    report.heights = geoid ? HeightReference::MeanSeaLevel : HeightReference::Ellipsoid;
    TrackMemoryReader reader(memory);
    ClockUnwrapper clock;
    std::int64_t latest = 0;
    while (auto slot = reader.Next()) {
        if (!slot->checksumOk) {
            ++report.skippedRecords;
            continue;
        }
        const TrackRecord& record = slot->record;
        const std::int64_t stored = clock.Unwrap(record.Seconds());
        latest = std::max(latest, stored);
        if (out.tracks.empty() || record.StartsTrack()) {
            out.tracks.emplace_back();
            out.tracks.back().name = "Track" + std::to_string(out.tracks.size() - 1);
        }
        out.tracks.back().points.push_back(PointAt(record, Unwrapped(stored), geoid));
    }
    report.clockWraps = clock.Wraps();
    report.era = EraOffset(latest, ApproximateGpsSeconds(decoding.now()));
    TakeEra(out.tracks, report.era, decoding.leaps);
    return out;
}

}  // namespace vantrel
