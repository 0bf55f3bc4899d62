#include "map/PageFiles.h"

#include <gtest/gtest.h>

#include "base/AtomicFile.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

TEST(ReadPageFile, DecodesFromTheCodePageAndTellsAMissingFile) {
    testing::ScratchFolder folder;
    const auto page = folder.Path() / "track.txt";
    ASSERT_TRUE(WriteFileAtomically(page, std::string_view("<p>caf\xE9</p>")));
    EXPECT_EQ(ReadPageFile(page, CodePage("CP1252")), "<p>caf\xC3\xA9</p>");

    const auto empty = folder.Path() / "poi.txt";
    ASSERT_TRUE(WriteFileAtomically(empty, std::string_view()));
    EXPECT_EQ(ReadPageFile(empty, CodePage("CP1252")), "");

    EXPECT_FALSE(ReadPageFile(folder.Path() / "plan.txt", CodePage("CP1252")));
}

}  // namespace
}  // namespace vantrel
