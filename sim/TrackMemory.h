#pragma once
// The logger's flash image: 20-byte fixes in 4096-byte pages of 204 records
// and 16 filler bytes, erased (0xFF) after the last record, laid out as the
// logger writes it (sim/MemoryLayout.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "sim/MemoryLayout.h"

namespace vantrel::sim {

struct Ecef {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    bool operator==(const Ecef&) const = default;
};

// A position on the WGS-84 ellipsoid (degrees, metres above it) as
// Earth-centred coordinates in metres, and the same rounded to whole metres.
std::array<double, 3> GeodeticToEcefExact(double latitudeDeg, double longitudeDeg, double heightM);
Ecef GeodeticToEcef(double latitudeDeg, double longitudeDeg, double heightM);

struct TrackPoint {
    std::uint32_t gpsSeconds = 0;  // since 1980-01-06 00:00:00
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    double heightM = 0;
    double speedMps = 0;
    bool trackStart = false;
};

using TrackRecordBytes = std::array<std::uint8_t, fix::kSize>;

// One fix as the logger stores it, checksum included. A coordinate that
// rounds to exactly 0 is stored as 1 m, since a zero coordinate ends the
// readers' decoding.
TrackRecordBytes EncodeTrackRecord(const TrackPoint& point);
// A record of exactly these fields (all 32 bits of the time stamp, any
// coordinates, the speed's low 10 bits) with its checksum.
TrackRecordBytes EncodeTrackRecord(std::uint32_t timeStamp, Ecef at, unsigned speedRaw,
                                   bool trackStart);

// Where record slot `slot` starts in the flash: 204 records a page, then
// 16 filler bytes.
constexpr std::size_t RecordOffset(std::size_t slot) {
    return slot / kFixesPerPage * kTrackPageSize + slot % kFixesPerPage * fix::kSize;
}

// The flash image of the points in order: whole pages, up to and including
// the page that holds the first erased record slot (the end of the data).
std::vector<std::uint8_t> LayOutTrackMemory(std::span<const TrackPoint> points);

}  // namespace vantrel::sim
