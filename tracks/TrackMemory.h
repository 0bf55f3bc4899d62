#pragma once
// The one decoder of the device's track memory: records read at their fixed
// places, their times taken out of the clock's 30-bit wrap and made UTC,
// their positions made degrees and altitudes above sea level, split into
// tracks at the records that start one.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "tracks/Geoid.h"
#include "tracks/LeapSeconds.h"
#include "tracks/Track.h"
#include "tracks/TrackRecord.h"

namespace vantrel {

// What decoding device records needs besides their bytes.
struct TrackDecoding {
    LeapSecondTable leaps = LeapSecondTable::System();
    GeoidSource geoid;
    // The computer's clock, which decides the clock era of a memory.
    std::function<Seconds()> now = [] {
        return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
    };
};

// The record slots of a memory image at their fixed places, in order: page
// p, slot s at byte p * 4096 + s * 20 (s < 204); the 16 bytes after a page's
// last slot are filler, whatever they hold. The walk ends at the end of the
// bytes, at the first erased record and at the first valid record that marks
// the end of the data.
class TrackMemoryReader {
  public:
    explicit TrackMemoryReader(std::span<const std::uint8_t> memory) : memory_(memory) {}

    struct Slot {
        std::size_t index;  // the slot's number from 0
        TrackRecord record;
        bool checksumOk;
    };
    // The next record, or nothing once the walk has ended.
    std::optional<Slot> Next();

  private:
    std::span<const std::uint8_t> memory_;
    std::size_t slot_ = 0;
    bool ended_ = false;
};

// The byte where slot `index` begins.
inline constexpr std::size_t SlotOffset(std::size_t index) {
    return index / kRecordsPerTrackPage * kTrackPageSize +
           index % kRecordsPerTrackPage * TrackRecord::kSize;
}

// A record as a point: its position in degrees, its altitude above sea level
// where a geoid is given (above the ellipsoid where not), its speed, and its
// time, GPS second `gpsSeconds` less the leap seconds valid then.
TrackPoint RecordPoint(const TrackRecord& record, std::int64_t gpsSeconds,
                       const LeapSecondTable& leaps, const GeoidGrid* geoid);

struct MemoryDecodeReport {
    bool decoded = false;    // false when the memory holds less than one record
    int skippedRecords = 0;  // records with a wrong checksum
    int clockWraps = 0;      // wraps of the clock inside the memory
    std::int64_t era = 0;    // the era added to every stored time, in seconds
    HeightReference heights = HeightReference::MeanSeaLevel;
};

struct DecodedMemory {
    Tracks tracks;
    MemoryDecodeReport report;
};

// Every track of a memory image, in the order of the records, named Track0,
// Track1, ... A track begins at each record flagged as a track start and at
// the first record; records with a wrong checksum are skipped.
DecodedMemory DecodeTrackMemory(std::span<const std::uint8_t> memory, TrackDecoding& decoding);

}  // namespace vantrel
