// GPX tracks and zone rules over arbitrary text: a file of tracks is read
// with every point on the globe and at a time, or refused with a reason,
// and read back the same once written; a TZif file or POSIX rule gives
// offsets under a day, whatever it holds.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "locale/ZoneRules.h"
#include "tracks/GpxTracks.h"
#include "tracks/TrackExports.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantrel;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const GpxTracksRead read = ReadGpxTracks(text);
    FUZZ_CHECK(read.error.empty() != read.tracks.empty());
    std::size_t points = 0;
    for (const Track& track : read.tracks)
        for (const TrackPoint& p : track.points) {
            FUZZ_CHECK(std::fabs(p.latitude) <= 90 && std::fabs(p.longitude) <= 180);
            ++points;
        }
    if (!read.tracks.empty()) {
        const GpxTracksRead again = ReadGpxTracks(GpxTracksText(read.tracks));
        std::size_t again_points = 0;
        for (const Track& track : again.tracks) again_points += track.points.size();
        FUZZ_CHECK(again.error.empty() && again_points == points);
    }
    std::string error;
    const auto tzif = ZoneRules::FromTzif(text, error);
    const auto rule = ParsePosixZoneRule(text);
    for (std::int64_t t : {std::int64_t{-2000000000}, std::int64_t{0}, std::int64_t{1700000000},
                           std::int64_t{4000000000}}) {
        const Seconds at{std::chrono::seconds(t)};
        if (tzif) {
            FUZZ_CHECK(std::abs(tzif->OffsetSecondsAt(at)) < 2 * 86400);
            (void)tzif->FromWallClock(at);
        }
        if (rule) FUZZ_CHECK(std::abs(rule->OffsetAt(t)) < 2 * 86400);
    }
    return 0;
}
