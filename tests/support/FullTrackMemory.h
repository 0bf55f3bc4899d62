#pragma once
// A full 2 MiB track memory (512 pages of 204 records, 104,448 records),
// made the same way every time: tracks of 1000 points wandering over the
// Alps, for benchmarks and the tests that compare whole exports.

#include <cstdint>

#include "support/TrackMemoryBuilder.h"

namespace vantrel::testing {

inline TrackMemoryBuilder FullTrackMemory() {
    TrackMemoryBuilder builder;
    for (std::uint32_t i = 0; i < 512 * 204; ++i)
        builder.AddFix(900'000'000 + i, 45 + (i % 5000) * 1e-4, 7 + (i % 300) * 1e-4,
                       200 + (i % 100), i % 400, i % 1000 == 0);
    return builder;
}

}  // namespace vantrel::testing
