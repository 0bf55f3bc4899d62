#pragma once
// A track store over its own shared values, decoding with the built-in
// leap seconds, the system's geoid and a clock that reads 10 December 2026,
// with helpers that decode a memory image into it.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/ScratchFolder.h"
#include "support/TrackMemoryBuilder.h"
#include "tracks/TrackStore.h"
#include "tracks/TrackText.h"

namespace vantrel::testing {

// The day the clock of the tests reads.
inline Seconds TestToday() {
    using namespace std::chrono;
    return sys_days{year{2026} / December / 10} + hours{9};
}

// A decoding of device records as the tests want it.
inline void UseTestDecoding(TrackDecoding& decoding) {
    decoding.leaps = LeapSecondTable::BuiltIn();
    decoding.now = TestToday;
}

class TrackFixture : public ::testing::Test {
  protected:
    TrackFixture() { UseTestDecoding(store.Decoding); }

    AssemblyReport Assemble(const TrackMemoryBuilder& builder) {
        image = builder.Image(builder.Size());
        return store.AssembleTracks(image);
    }
    void UseDecimalComma() { values.Numbers.DecimalSeparatorText = ","; }
    // The shown track's point `i` cell as the track file writes it.
    std::string Cell(std::size_t i, PointColumn column) const {
        return PointCell(store.Shown()->points.at(i), column, values.LocalZoneOffset,
                         values.Numbers.Separator());
    }
    // The same cell as the window's point grid shows it.
    std::string ShownCell(std::size_t i, PointColumn column) const {
        return ShownPointCell(store.Shown()->points.at(i), column, values.LocalZoneOffset,
                              values.Numbers.Separator(), ProfileUnits::Metric);
    }

    // A temporary folder removed after the test.
    const std::filesystem::path& Folder() const { return folder_.Path(); }

    AppValues values;
    TrackStore store{values};
    std::vector<std::uint8_t> image;

  private:
    ScratchFolder folder_;
};

// Three tracks of 4, 3 and 5 points, one fix a second, 0.001 degree apart.
inline TrackMemoryBuilder ThreeTracks() {
    TrackMemoryBuilder b;
    std::uint32_t t = 1'000'000'000;
    for (int count : {4, 3, 5})
        for (int i = 0; i < count; ++i)
            b.AddFix(t++, 45 + 0.001 * i, 135, 100, 10, i == 0);
    return b;
}

}  // namespace vantrel::testing
