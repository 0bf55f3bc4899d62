#pragma once
// The layouts of the device's memories as the device writes them: the track
// flash, the POI list and the plan. The PC side keeps its own; the two meet
// only in the bytes, so a wrong offset on either side shows in the tests
// instead of cancelling out. Every number is little-endian.

#include <cstddef>
#include <cstdint>

namespace vantrel::sim {

// A logged fix, 20 bytes: GPS seconds (30 bits) at 0, the Earth-centred
// position in whole metres at 4, 8 and 12, the flags at 16 (speed in 0.1 m/s
// in bits 0-9, the record kind in bits 11-13, 1 starting a track) and at 18
// the checksum of bytes 0-17.
namespace fix {
inline constexpr std::size_t kSize = 20;
inline constexpr std::size_t kTimeAt = 0;
inline constexpr std::size_t kEcefAt = 4;
inline constexpr std::size_t kFlagsAt = 16;
inline constexpr std::size_t kChecksumAt = 18;
inline constexpr std::uint32_t kTimeMask = 0x3FFFFFFF;
inline constexpr unsigned kSpeedMask = 0x3FF;
inline constexpr unsigned kTrackStartFlag = 1u << 11;
}  // namespace fix

// The track flash: 4096-byte pages of 204 fixes and 16 filler bytes; erased
// flash reads 0xFF.
inline constexpr std::size_t kTrackPageSize = 4096;
inline constexpr std::size_t kFixesPerPage = 204;

// A POI: year - 1900, month, day, hour, minute, second, two filler bytes of
// 0xFF, then latitude and longitude in degrees x 100000.
inline constexpr std::size_t kPoiSize = 16;
inline constexpr std::size_t kPoiLatitudeAt = 8;
inline constexpr std::size_t kPoiLongitudeAt = 12;

// A plan: a 20-byte header (1, the point count, where the character table
// starts, where the glyph table starts, the whole length, two unused bytes,
// the checksum of bytes 0-17), then 72-byte points (32 title slots of
// character-table indices, the last one always 0, then latitude and
// longitude), the character table (entry 0 unused) and 22-byte glyphs.
namespace plan {
inline constexpr std::size_t kHeaderSize = 20;
inline constexpr std::size_t kPointSize = 72;
inline constexpr std::size_t kTitleSlots = 32;
inline constexpr std::size_t kLatitudeAt = 64;
inline constexpr std::size_t kLongitudeAt = 68;
inline constexpr std::size_t kMaxCharacters = 1023;
// 11 columns of 11 dots: bytes 0-10 hold each column's upper eight dots (the
// top one in bit 0), bytes 11-21 its lower three.
inline constexpr std::size_t kGlyphSize = 22;
inline constexpr std::size_t kGlyphColumns = 11;
}  // namespace plan

// The checksum of fixes and plan headers: the 16-bit sum of the bytes,
// negated, so that bytes and checksum add up to 0 modulo 65536.
inline std::uint16_t NegatedSum(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<std::uint16_t>(0x10000 - (sum & 0xFFFF));
}

inline void PutLe(std::uint8_t* at, std::uint32_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace vantrel::sim
