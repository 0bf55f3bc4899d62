#include "app/SettingsStore.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "app/MapSettings.h"
#include "base/IniDocument.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

using testing::ReadFile;
using testing::ScratchFolder;
using testing::WriteFile;

TEST(IniDocument, NamesIgnoreCaseAndOtherLinesSurviveAWrite) {
    IniDocument ini("; kept\n[Other]\nlanguage=x\n\n[MAIN]\n  Language = GERMAN  \n# note\n\n");
    EXPECT_EQ(ini.Get("main", "LANGUAGE"), "GERMAN");
    EXPECT_EQ(ini.Get("other", "language"), "x");
    EXPECT_EQ(ini.Get("main", "codepage"), std::nullopt);

    EXPECT_TRUE(ini.Set("Main", "language", "CHINESE"));
    EXPECT_TRUE(ini.Set("main", "codepage", "GBK"));
    EXPECT_TRUE(ini.Set("New", "a", "1"));
    EXPECT_EQ(ini.Text(),
              "; kept\n[Other]\nlanguage=x\n\n[MAIN]\nLanguage=CHINESE\n# note\ncodepage=GBK\n\n"
              "[New]\na=1\n");
}

// Line ends of CR LF, or with stray CRs, read as the line; written and read
// again the document stays as it was.
TEST(IniDocument, CarriageReturnsBeforeALineEndAreNotPartOfTheLine) {
    IniDocument ini("[MAIN]\r\nlanguage=GERMAN\r\r\r\nnote\r\r\n");
    EXPECT_EQ(ini.Get("main", "language"), "GERMAN");
    EXPECT_EQ(ini.Text(), "[MAIN]\nlanguage=GERMAN\nnote\n");
    EXPECT_EQ(IniDocument(ini.Text()).Text(), ini.Text());
}

TEST(IniDocument, ValuesThatWouldBreakTheFileAreRefused) {
    IniDocument ini;
    EXPECT_FALSE(ini.Set("s", "language", "A\nB"));
    EXPECT_FALSE(ini.Set("s", "lan=guage", "A"));
    EXPECT_FALSE(ini.Set("s]", "language", "A"));
    EXPECT_FALSE(ini.Set("s", " ", "A"));
    EXPECT_EQ(ini.Text(), "");
}

TEST(SettingsStore, FileLivesInTheUsersConfigFolder) {
    EXPECT_EQ(SettingsPathFor("/cfg", "/home/u"), "/cfg/vantrel/vantrel.ini");
    EXPECT_EQ(SettingsPathFor(nullptr, "/home/u"), "/home/u/.config/vantrel/vantrel.ini");
    EXPECT_EQ(SettingsPathFor("relative", "/home/u"), "/home/u/.config/vantrel/vantrel.ini");
    EXPECT_EQ(TileCachePathFor("/c", "/home/u"), "/c/vantrel/tiles.mbtiles");
    EXPECT_EQ(TileCachePathFor(nullptr, "/home/u"), "/home/u/.cache/vantrel/tiles.mbtiles");
}

// The map's settings: the environment's tile URL before the file's, a value
// that cannot be used named with what is used instead.
TEST(MapSettings, ReadsTheTileSourceTheCacheLimitAndTheOfflineMaps) {
    struct Case {
        const char* file;
        const char* environment;
        std::string url, attribution;
        std::uint64_t limit;
        std::size_t problems;
    };
    const std::string osm(kDefaultTileUrl), osmCredit(kDefaultTileAttribution);
    const Case cases[] = {
        {"", nullptr, osm, osmCredit, 512u << 20, 0},
        {"tiles=http://127.0.0.1:8/{z}/{x}/{y}\ntiles_attribution=Ours\ntile_cache_mib=64\n",
         nullptr, "http://127.0.0.1:8/{z}/{x}/{y}", "Ours", 64u << 20, 0},
        {"tiles=http://127.0.0.1:8/{z}/{x}/{y}\n", nullptr, "http://127.0.0.1:8/{z}/{x}/{y}",
         "Tiles: 127.0.0.1", 512u << 20, 0},
        {"tiles=http://127.0.0.1:8/{z}/{x}/{y}\ntiles_attribution=Ours\n",
         "https://t.example.org/{z}/{x}/{y}.png", "https://t.example.org/{z}/{x}/{y}.png",
         "Tiles: t.example.org", 512u << 20, 0},
        {"tiles=http://127.0.0.1:8/{x}/{y}\ntile_cache_mib=lots\n", nullptr, osm, osmCredit,
         512u << 20, 2},
        {"", "file:///etc/{z}/{x}/{y}", osm, osmCredit, 512u << 20, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ScratchFolder folder;
        WriteFile(folder / "vantrel.ini",
                  "[Software\\vantrel\\gpsapp\\1.0]\n" + std::string(c.file));
        const MapSettings maps =
            ReadMapSettings(SettingsStore(folder / "vantrel.ini"), c.environment, folder / "t");
        EXPECT_EQ(maps.online.urlTemplate, c.url);
        EXPECT_EQ(maps.online.attribution, c.attribution);
        EXPECT_EQ(maps.cacheLimitBytes, c.limit);
        EXPECT_EQ(maps.problems.size(), c.problems);
    }

    ScratchFolder folder;
    const SettingsStore store(folder / "vantrel.ini");
    ASSERT_TRUE(ChooseBaseMap(store, "/maps/alps.mbtiles"));
    ASSERT_TRUE(ChooseBaseMap(store, "/maps/coast.mbtiles"));
    ASSERT_TRUE(ChooseBaseMap(store, "/maps/alps.mbtiles"));
    MapSettings maps = ReadMapSettings(store, nullptr, folder / "t");
    EXPECT_EQ(maps.offlineMaps,
              (std::vector<std::filesystem::path>{"/maps/alps.mbtiles", "/maps/coast.mbtiles"}));
    EXPECT_EQ(maps.chosenMap, "/maps/alps.mbtiles");
    ASSERT_TRUE(ChooseBaseMap(store, ""));
    EXPECT_EQ(ReadMapSettings(store, nullptr, folder / "t").chosenMap, "");
    EXPECT_FALSE(ChooseBaseMap(store, "/maps/two\nlines.mbtiles"));
}

TEST(SettingsStore, ValuesRoundTripAndMissingOnesReadEmpty) {
    ScratchFolder folder;
    SettingsStore store(folder / "cfg" / "vantrel" / "vantrel.ini");
    EXPECT_EQ(store.ReadString("language"), "");
    ASSERT_TRUE(store.WriteString("language", "GERMAN"));
    EXPECT_EQ(store.ReadString("Language"), "GERMAN");
    ASSERT_TRUE(store.WriteString("LANGUAGE", "ENGLISH"));
    EXPECT_EQ(store.ReadString("language"), "ENGLISH");
    EXPECT_EQ(ReadFile(store.File()), "[Software\\vantrel\\gpsapp\\1.0]\nlanguage=ENGLISH\n");
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store.File().parent_path()), {}),
              1);
}

TEST(SettingsStore, AnUnreadableFileIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
    ScratchFolder folder;
    SettingsStore store(folder / "vantrel.ini");
    WriteFile(store.File(), "[x]\nkeep=1\n");
    ::chmod(store.File().c_str(), 0);
    EXPECT_FALSE(store.WriteString("language", "GERMAN"));
    ::chmod(store.File().c_str(), 0600);
    EXPECT_EQ(ReadFile(store.File()), "[x]\nkeep=1\n");
}

}  // namespace
}  // namespace vantrel
