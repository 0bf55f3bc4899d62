#pragma once
// The device's logged fix: a 20-byte record of its track memory, and the
// memory's layout in 4096-byte flash pages.

#include <bit>
#include <cstddef>
#include <cstdint>

namespace vantrel {

static_assert(std::endian::native == std::endian::little,
              "records are read from the memory as their bytes");

// One 20-byte record of the device's track memory.
struct TrackRecord {
    static constexpr std::size_t kSize = 20;
    static constexpr std::size_t kCheckedBytes = 18;
    static constexpr std::uint16_t kErased = 0xFFFF;
    static constexpr unsigned kTrackStartKind = 1;
    static constexpr std::uint32_t kTimeStampMask = 0x3FFFFFFF;  // the logger keeps 30 bits
    static constexpr std::uint16_t kSpeedMask = 0x3FF;           // 0.1 m/s units, 10 bits
    static constexpr std::uint16_t kTrackStartFlag = kTrackStartKind << 11;  // kind: bits 11-13

    std::uint32_t timeStamp;  // bits 0-29: GPS seconds; bits 30-31 ignored
    std::int32_t ecefX;       // metres
    std::int32_t ecefY;
    std::int32_t ecefZ;
    std::uint16_t flags;  // bits 0-9 speed (0.1 m/s), bits 11-13 kind; 0xFFFF erased
    std::uint16_t checksum;

    static TrackRecord Read(const std::uint8_t* bytes);
    void Write(std::uint8_t* bytes) const;
    // True when the stored checksum matches bytes 0-17 of `bytes`.
    static bool ChecksumMatches(const std::uint8_t* bytes);

    std::uint32_t Seconds() const { return timeStamp & kTimeStampMask; }
    unsigned SpeedRaw() const { return flags & kSpeedMask; }
    unsigned Kind() const { return (flags >> 11) & 7u; }
    bool StartsTrack() const { return Kind() == kTrackStartKind; }
    bool IsErased() const { return flags == kErased; }
    // A record at the Earth's centre marks the end of the logged data; a
    // single zero coordinate is a real place (the equator, the meridians).
    bool MarksEndOfData() const { return ecefX == 0 && ecefY == 0 && ecefZ == 0; }
};
static_assert(sizeof(TrackRecord) == 20);
static_assert(offsetof(TrackRecord, ecefX) == 4 && offsetof(TrackRecord, ecefZ) == 12);
static_assert(offsetof(TrackRecord, flags) == 16 && offsetof(TrackRecord, checksum) == 18);

// The device's track flash: 4096-byte pages of 204 records, each page ended
// by 16 filler bytes of 0xFF; erased flash reads 0xFF.
inline constexpr std::size_t kTrackPageSize = 4096;
inline constexpr std::size_t kRecordsPerTrackPage = 204;
inline constexpr std::size_t kTrackPageFiller =
    kTrackPageSize - kRecordsPerTrackPage * TrackRecord::kSize;
static_assert(kTrackPageFiller == 16);

}  // namespace vantrel
