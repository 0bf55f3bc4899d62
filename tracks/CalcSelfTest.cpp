#include "tracks/CalcSelfTest.h"

#include <algorithm>

namespace vantrel {

Track CalcSelfTest(std::span<const std::uint8_t> memory, TrackDecoding& decoding) {
    constexpr std::size_t kRecords = 16;
    const DecodedMemory decoded =
        DecodeTrackMemory(memory.first(std::min(memory.size(), kRecords * TrackRecord::kSize)),
                          decoding);
    Track points;
    points.name = "Test Calc";
    for (const Track& track : decoded.tracks)
        points.points.insert(points.points.end(), track.points.begin(), track.points.end());
    return points;
}

}  // namespace vantrel
