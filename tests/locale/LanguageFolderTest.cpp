#include "locale/LanguageFolder.h"

#include <gtest/gtest.h>

#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::ScratchFolder;
using testing::WriteFile;
namespace fs = std::filesystem;

class LanguageFolderTest : public ::testing::Test {
  protected:
    ScratchFolder app;
    std::string dir = app.Path().string();
    fs::path language = app / "language";
};

TEST_F(LanguageFolderTest, NamesLeadIntoTheLanguageFolder) {
    WriteFile(language / "GERMAN.man", "x");
    WriteFile(language / "ENGLISH.man", "x");
    EXPECT_EQ(LanguageFilePath(dir, "GERMAN"), language / "GERMAN.man");
    EXPECT_EQ(LanguageFilePath(dir, "GERMAN.man"), language / "GERMAN.man");
    std::string full = (language / "GERMAN.man").string();
    EXPECT_EQ(LanguageFilePath(dir, full), fs::path(full));  // used unchanged
    EXPECT_EQ(LanguageFilePath(dir + "/", "GERMAN"), language / "GERMAN.man");
    // An empty name is the English file; the file name's case need not match.
    EXPECT_EQ(LanguageFilePath(dir, ""), language / "ENGLISH.man");
    EXPECT_EQ(LanguageFilePath(dir, "german"), language / "GERMAN.man");
    // A missing file still names its path, so reading it can report it.
    EXPECT_EQ(LanguageFilePath(dir, "FRENCH"), language / "FRENCH.man");
}

TEST_F(LanguageFolderTest, NamesThatLeaveTheLanguageFolderAreRefused) {
    WriteFile(app / "secret.man", "x");
    for (const char* name : {"../secret", "../secret.man", "sub/GERMAN", "/etc/passwd", "..",
                             "GERMAN/", "/tmp/other/language/GERMAN.man"}) {
        EXPECT_EQ(LanguageFilePath(dir, name), std::nullopt) << name;
    }
    std::string escape = (language / ".." / "secret.man").string();
    EXPECT_EQ(LanguageFilePath(dir, escape), std::nullopt);
}

TEST_F(LanguageFolderTest, ListsManFilesByNameWithoutExtension) {
    EXPECT_EQ(FindLanguageNames(dir), std::nullopt);
    WriteFile(language / "readme.txt", "x");
    EXPECT_EQ(FindLanguageNames(dir), std::nullopt);
    WriteFile(language / "GERMAN.man", "x");
    WriteFile(language / "CHINESE.MAN", "x");
    fs::create_directories(language / "folder.man");
    EXPECT_EQ(FindLanguageNames(dir), (std::vector<std::string>{"CHINESE", "GERMAN"}));
}

TEST_F(LanguageFolderTest, AnInstallPrefixHoldingLanguageOrManListsAndFindsTheShippedFiles) {
    // The shipped languages installed under prefixes whose names hold the
    // words the folder and the files are known by.
    for (const char* prefix : {"opt/language-pack/share/vantrel", "home/language/x.manuals"}) {
        const fs::path data = app / prefix;
        fs::create_directories(data / "language");
        for (const auto& file : fs::directory_iterator(fs::path(VANTREL_SOURCE_DIR) / "language"))
            fs::copy_file(file.path(), data / "language" / file.path().filename());
        EXPECT_EQ(FindLanguageNames(data.string()),
                  (std::vector<std::string>{"CHINESE", "ENGLISH", "GERMAN"}))
            << prefix;
        EXPECT_EQ(LanguageFilePath(data.string(), "GERMAN"), data / "language" / "GERMAN.man")
            << prefix;
    }
}

}  // namespace
}  // namespace vantrel
