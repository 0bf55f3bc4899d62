#include "base/AtomicFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

TEST(AtomicFile, AppendingAddsToTheEndAndAFailureChangesNothing) {
    ScratchFolder folder;
    auto file = folder / "out.txt";
    ASSERT_TRUE(AppendToFileAtomically(file, "a\r\n"));
    ASSERT_TRUE(AppendToFileAtomically(file, "b\r\n"));
    EXPECT_EQ(ReadFile(file), "a\r\nb\r\n");
    EXPECT_FALSE(WriteFileAtomically(folder / "missing" / "out.txt", "x"));
    EXPECT_FALSE(AppendToFileAtomically(folder.Path(), "x"));  // a folder, not a file
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(AtomicFile, ReadsUpToALimitAndAReplacedFileKeepsItsPermissions) {
    ScratchFolder folder;
    auto file = folder / "data.bin";
    WriteFile(file, "0123456789");
    std::error_code error;
    EXPECT_EQ(ReadFileBytes(file, error, 10), "0123456789");
    EXPECT_FALSE(ReadFileBytes(file, error, 9));
    EXPECT_EQ(error, std::errc::file_too_large);
    EXPECT_EQ(ReadFileBytes(file), "0123456789");
    EXPECT_FALSE(ReadFileBytes(folder / "none", error, 10));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
    EXPECT_FALSE(ReadFileBytes(folder.Path()));  // a folder, not a file

    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(file, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(file), "new");
    EXPECT_FALSE(WriteFileAtomically(folder / "missing" / "out.txt", "x", error));
    EXPECT_EQ(error, std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace vantrel
