#pragma once
// A track store over its own shared values, transfer area and recorded
// message boxes, with a helper that puts a memory image into the area.

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"
#include "support/TrackMemoryBuilder.h"
#include "tracks/TrackStore.h"

namespace vantrel::testing {

class TrackFixture : public ::testing::Test {
  protected:
    void Load(const std::vector<std::uint8_t>& image) {
        std::copy(image.begin(), image.end(), transfer.bytes.begin());
        transfer.TransferLength = image.size();
    }
    AssemblyReport Assemble(const TrackMemoryBuilder& builder) {
        Load(builder.Image(builder.Size()));
        return store.AssembleTracks();
    }
    void UseDecimalComma() { values.Numbers.DecimalSeparatorText = ","; }

    // A temporary folder removed after the test.
    const std::filesystem::path& Folder() const { return folder_.Path(); }

    AppValues values;
    TransferArea transfer;
    RecordingMessages messages;
    TrackStore store{values, transfer, messages};

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
