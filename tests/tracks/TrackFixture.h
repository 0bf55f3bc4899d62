#pragma once
// A track store over its own shared values, transfer area and recorded
// message boxes, with a helper that puts a memory image into the area.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/RecordingMessages.h"
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
    std::filesystem::path Folder() {
        if (folder_.empty()) {
            folder_ = std::filesystem::temp_directory_path() /
                      ("vantrel-tracks-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
            std::filesystem::create_directories(folder_);
        }
        return folder_;
    }
    void TearDown() override {
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }

    AppValues values;
    TransferArea transfer;
    RecordingMessages messages;
    TrackStore store{values, transfer, messages};

  private:
    std::filesystem::path folder_;
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
