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

// A write goes to what the path names: the file behind a link (the link
// stays, even one whose file does not exist yet), a FIFO in place; a FIFO
// nobody reads and a folder are refused at once and left as they were.
TEST(AtomicFile, WritesGoToWhatThePathNames) {
    namespace fs = std::filesystem;
    ScratchFolder folder;
    WriteFile(folder / "real.txt", "old");
    fs::create_symlink("real.txt", folder / "link.txt");
    fs::create_symlink("link.txt", folder / "chain.txt");
    fs::create_symlink("later.txt", folder / "dangling.txt");
    fs::create_symlink("loop2", folder / "loop1");
    fs::create_symlink("loop1", folder / "loop2");
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    fs::create_directory(folder / "dir");
    const struct {
        const char* path;
        bool written;
        std::errc error;
        const char* lands;  // where the bytes end up
    } cases[] = {
        {"link.txt", true, {}, "real.txt"},
        {"chain.txt", true, {}, "real.txt"},
        {"dangling.txt", true, {}, "later.txt"},
        {"fifo", false, std::errc::no_such_device_or_address, nullptr},
        {"dir", false, std::errc::is_a_directory, nullptr},
        {"loop1", false, std::errc::too_many_symbolic_link_levels, nullptr},
    };
    for (const auto& c : cases) {
        std::error_code error;
        EXPECT_EQ(WriteFileAtomically(folder / c.path, c.path, error), c.written) << c.path;
        if (c.written) {
            EXPECT_TRUE(fs::is_symlink(folder / c.path)) << c.path;
            EXPECT_EQ(ReadFile(folder / c.lands), c.path);
        } else {
            EXPECT_EQ(error, c.error) << c.path;
        }
    }
    EXPECT_TRUE(fs::is_fifo(folder / "fifo"));
    EXPECT_TRUE(fs::is_directory(folder / "dir"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 9);  // no file left behind
}

}  // namespace
}  // namespace vantrel
