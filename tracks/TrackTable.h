#pragma once
// The track file's header: a table of 64 entries (TrackEntry) that says
// which of the file's rows belong to which track, with each track's name,
// colour, distance and duration. Little-endian and packed, written and read
// byte for byte.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

static_assert(std::endian::native == std::endian::little,
              "the track table is kept in memory as its bytes on disk");

#pragma pack(push, 1)
struct TrackEntry {
    static constexpr std::size_t kNameUnits = 21;     // with the terminating NUL
    static constexpr std::size_t kMaxNameUnits = 20;  // characters a name may hold

    std::uint16_t selected;     // 1 when the track is created
    char16_t name[kNameUnits];  // UTF-16LE, NUL-terminated
    double distanceKm;          // sum of the point-to-point distances
    std::uint32_t pointCount;
    std::uint32_t color;            // 0x00BBGGRR
    std::uint16_t firstRow;         // the file row of the first point
    std::uint32_t durationSeconds;  // last point's time minus the first's
};
#pragma pack(pop)
static_assert(sizeof(TrackEntry) == 66);
static_assert(offsetof(TrackEntry, name) == 2 && offsetof(TrackEntry, distanceKm) == 44);
static_assert(offsetof(TrackEntry, pointCount) == 52 && offsetof(TrackEntry, color) == 56);
static_assert(offsetof(TrackEntry, firstRow) == 60 && offsetof(TrackEntry, durationSeconds) == 62);

inline constexpr std::size_t kTrackEntryCount = 64;
using TrackEntryTable = std::array<TrackEntry, kTrackEntryCount>;
static_assert(sizeof(TrackEntryTable) == 4224);

// The entry's name as UTF-8: the units up to the first NUL, at most all 21
// (a name without its NUL is read no further). Unpaired surrogates read as
// U+FFFD.
std::string EntryName(const TrackEntry& entry);
// Stores a UTF-8 name, cut to 20 UTF-16 units without splitting a surrogate
// pair; the rest of the field is zero.
void SetEntryName(TrackEntry& entry, std::string_view utf8);
// Why a track file cannot keep a name whole ("A track name holds at most 20
// characters; this one has 26."), or empty text when it can.
std::string EntryNameRefusal(std::string_view utf8);

}  // namespace vantrel
