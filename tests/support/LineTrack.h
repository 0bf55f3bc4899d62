#pragma once
// A track of points on a straight line, one second apart, for the tests and
// benchmarks that draw or show tracks.

#include <chrono>

#include "tracks/Track.h"

namespace vantrel::testing {

// Points 1..n at (lat + step * i, lng + step * i).
inline Track LineTrack(int n, double lat, double lng, double step, std::uint32_t color = 255) {
    using namespace std::chrono;
    Track track{"Line", color, 1, true, {}};
    const Seconds start = sys_days{year{2011} / January / 25} + hours{10};
    for (int i = 1; i <= n; ++i)
        track.points.push_back({start + seconds{i}, lat + step * i, lng + step * i, 100, 5});
    return track;
}

}  // namespace vantrel::testing
