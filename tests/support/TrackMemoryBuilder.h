#pragma once
// Builds images of the device's track memory for tests, benchmarks and a
// simulated device: fixes turned into ECEF records with their checksums,
// laid out in 4096-byte flash pages of 204 records and 16 filler bytes, with
// erased flash (0xFF) after the data.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "app/RecordChecksum.h"

namespace vantrel::testing {

struct Ecef {
    std::int32_t x, y, z;
};

// WGS-84 geodetic position (degrees, metres) to ECEF metres.
inline std::array<double, 3> GeodeticToEcefExact(double latDeg, double lonDeg, double height) {
    constexpr double a = 6378137.0;
    constexpr double f = 1.0 / 298.257223563;
    constexpr double e2 = 2 * f - f * f;
    const double lat = latDeg * std::numbers::pi / 180;
    const double lon = lonDeg * std::numbers::pi / 180;
    const double n = a / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
    return {(n + height) * std::cos(lat) * std::cos(lon),
            (n + height) * std::cos(lat) * std::sin(lon), (n * (1 - e2) + height) * std::sin(lat)};
}

// The same, rounded to the whole metres a record holds.
inline Ecef GeodeticToEcef(double latDeg, double lonDeg, double height) {
    const auto p = GeodeticToEcefExact(latDeg, lonDeg, height);
    return {static_cast<std::int32_t>(std::lround(p[0])),
            static_cast<std::int32_t>(std::lround(p[1])),
            static_cast<std::int32_t>(std::lround(p[2]))};
}

using RecordBytes = std::array<std::uint8_t, 20>;

// A record with its checksum; kind 1 starts a track.
inline RecordBytes EncodeRecord(std::uint32_t seconds, Ecef at, unsigned speedRaw,
                                bool trackStart) {
    RecordBytes r{};
    const std::uint16_t flags =
        static_cast<std::uint16_t>((speedRaw & 0x3FF) | (trackStart ? 1u << 11 : 0u));
    std::memcpy(&r[0], &seconds, 4);
    std::memcpy(&r[4], &at.x, 4);
    std::memcpy(&r[8], &at.y, 4);
    std::memcpy(&r[12], &at.z, 4);
    std::memcpy(&r[16], &flags, 2);
    const std::uint16_t sum = RecordChecksum(r.data(), 18);
    std::memcpy(&r[18], &sum, 2);
    return r;
}

class TrackMemoryBuilder {
  public:
    static constexpr std::size_t kPageSize = 4096;
    static constexpr std::size_t kRecordsPerPage = 204;

    // Appends a record in the next slot; a full page gets its filler.
    std::size_t Add(const RecordBytes& record) {
        bytes_.insert(bytes_.end(), record.begin(), record.end());
        if (++slots_ % kRecordsPerPage == 0) bytes_.insert(bytes_.end(), 16, 0xFF);
        return slots_ - 1;
    }
    std::size_t AddFix(std::uint32_t seconds, double latDeg, double lonDeg, double height,
                       unsigned speedRaw, bool trackStart) {
        return Add(
            EncodeRecord(seconds, GeodeticToEcef(latDeg, lonDeg, height), speedRaw, trackStart));
    }
    // A record whose checksum does not match.
    std::size_t AddCorrupt(std::uint32_t seconds) {
        RecordBytes r = EncodeRecord(seconds, GeodeticToEcef(10, 10, 0), 0, false);
        r[19] ^= 0x5A;
        return Add(r);
    }
    // Erased flash up to `length` bytes.
    std::vector<std::uint8_t> Image(std::size_t length) const {
        std::vector<std::uint8_t> out = bytes_;
        if (out.size() < length) out.resize(length, 0xFF);
        return out;
    }
    std::size_t Slots() const { return slots_; }
    std::size_t Size() const { return bytes_.size(); }

  private:
    std::vector<std::uint8_t> bytes_;
    std::size_t slots_ = 0;
};

}  // namespace vantrel::testing
