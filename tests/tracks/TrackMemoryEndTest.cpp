// Whether a downloaded track memory is whole: it holds its end-of-data mark
// (an erased record in a record slot, never in a page's filler) or fills the
// device's 2 MiB.

#include "tracks/TrackMemoryEnd.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/TransferArea.h"
#include "support/FullTrackMemory.h"

namespace vantrel {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(TrackMemoryEnd, WholeWithItsEndMarkOrWhenItFillsTheMemory) {
    testing::TrackMemoryBuilder builder;
    for (std::uint32_t i = 0; i < 300; ++i)
        builder.AddFix(900'000'000 + i, 46, 7 + i * 1e-4, 500, 10, i == 0);
    const Bytes logged = builder.Image(2 * 4096);  // record 300 (page 1, slot 96) erased
    const Bytes full = testing::FullTrackMemory().Image(TransferArea::kSize);
    const Bytes pageOfRecords(full.begin(), full.begin() + 4096);  // 204 records, 0xFF filler
    const struct {
        const char* what;
        Bytes memory;
        bool whole;
    } cases[] = {
        {"its end mark in the second page", logged, true},
        {"cut at the block before the end mark", Bytes(logged.begin(), logged.begin() + 5120),
         false},
        {"nothing", {}, false},
        {"only a page's filler erased", pageOfRecords, false},
        {"erased flash only", Bytes(1024, 0xFF), true},
        {"the whole memory, full", full, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrackMemoryIsWhole(c.memory), c.whole) << c.what;
}

}  // namespace
}  // namespace vantrel
