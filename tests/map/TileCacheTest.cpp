// The tile cache and the user's offline maps as SQLite files on disk.
#include "map/TileCache.h"

#include <gtest/gtest.h>

#include "map/MbtilesFile.h"
#include "map/Sqlite.h"
#include "support/MbtilesMaker.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

constexpr std::string_view kSource = "http://127.0.0.1:1/{z}/{x}/{y}.png";

CachedTile Tile(char fill, std::size_t size = 1000) {
    return {std::string(size, fill), "\"e\"", "", 1'800'000'000};
}

bool Has(TileCache& cache, const TileKey& key) {
    return cache.Find(kSource, key).has_value();
}

TEST(TileCache, PastItsLimitDropsTheLeastRecentlyUsedTilesAndRemembersTheirUse) {
    testing::ScratchFolder folder;
    const TileKey a{5, 1, 1}, b{5, 2, 1}, c{5, 3, 1}, d{5, 4, 1}, e{5, 5, 1};
    {
        TileCache cache(folder / "tiles.mbtiles", 3000);
        cache.Store(kSource, a, Tile('a'));
        cache.Store(kSource, b, Tile('b'));
        cache.Store(kSource, c, Tile('c'));
        EXPECT_EQ(cache.Find(kSource, a)->data, std::string(1000, 'a'));  // a is used again
        cache.Store(kSource, d, Tile('d'));
        EXPECT_FALSE(Has(cache, b));
        EXPECT_EQ(cache.StoredBytes(), 3000u);
        // Another source's tile of the same place is another tile.
        EXPECT_FALSE(cache.Find("http://other/{z}/{x}/{y}", a));
    }
    TileCache again(folder / "tiles.mbtiles", 3000);
    EXPECT_EQ(again.StoredBytes(), 3000u);
    again.Store(kSource, e, Tile('e'));
    EXPECT_FALSE(Has(again, c));
    EXPECT_TRUE(Has(again, a) && Has(again, d) && Has(again, e));
    EXPECT_FALSE(again.TakeNotice());
    // The file is an MBTiles file: rows counted from the south.
    SqliteDatabase db(folder / "tiles.mbtiles", SqliteDatabase::Mode::ReadOnly);
    EXPECT_EQ(db.QueryInteger("SELECT count(*) FROM tiles WHERE zoom_level = 5 AND tile_row = 30"),
              3);
}

TEST(TileCache, AFileItCannotUseIsMovedAsideOnceAndTheCacheGoesOn) {
    struct Case {
        const char* what;
        std::function<std::filesystem::path(const std::filesystem::path&)> make;
        bool inMemory;
    };
    const Case cases[] = {
        {"not a database",
         [](const std::filesystem::path& folder) {
             testing::WriteFile(folder / "tiles.mbtiles", std::string(5000, 'x'));
             return folder / "tiles.mbtiles";
         },
         false},
        {"another program's database",
         [](const std::filesystem::path& folder) {
             SqliteDatabase(folder / "tiles.mbtiles", SqliteDatabase::Mode::ReadWrite)
                 .Execute("CREATE TABLE songs (title TEXT)");
             return folder / "tiles.mbtiles";
         },
         false},
        {"damaged inside",
         [](const std::filesystem::path& folder) {
             {
                 TileCache cache(folder / "tiles.mbtiles");
                 for (int x = 0; x < 64; ++x)
                     cache.Store(kSource, {6, x, 0}, Tile('t', 4000));
             }
             std::string bytes = testing::ReadFile(folder / "tiles.mbtiles");
             std::fill(bytes.begin() + 4096, bytes.end() - 4096, '\xff');
             testing::WriteFile(folder / "tiles.mbtiles", bytes);
             return folder / "tiles.mbtiles";
         },
         false},
        {"in a folder that cannot be made",
         [](const std::filesystem::path& folder) {
             testing::WriteFile(folder / "plain-file", "x");
             return folder / "plain-file" / "tiles.mbtiles";
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::ScratchFolder folder;
        const std::filesystem::path file = c.make(folder.Path());
        const std::string before = testing::ReadFile(file);
        TileCache cache(file);
        for (int x = 0; x < 64; ++x)
            cache.Find(kSource, {6, x, 0});
        const auto notice = cache.TakeNotice();
        ASSERT_TRUE(notice);
        EXPECT_NE(notice->find(file.string()), std::string::npos) << *notice;
        EXPECT_FALSE(cache.TakeNotice());  // said once
        EXPECT_EQ(cache.InMemory(), c.inMemory);
        if (!c.inMemory) {
            EXPECT_EQ(testing::ReadFile(file.string() + ".damaged"), before);
        }
        cache.Store(kSource, {1, 1, 1}, Tile('n'));
        EXPECT_EQ(cache.Find(kSource, {1, 1, 1})->data, std::string(1000, 'n'));
        EXPECT_FALSE(cache.TakeNotice());
    }
}

TEST(MbtilesFile, ReadsAPictureMapAndRefusesWhatItCannotShow) {
    testing::ScratchFolder folder;
    const std::string png = "\x89PNG\r\n\x1a\npicture";
    testing::MakeMbtiles(folder / "valley.mbtiles",
                         {{"name", "Valley"},
                          {"format", "png"},
                          {"attribution", "Us"},
                          {"bounds", "7.5,46.5,8.5,47.0"}},
                         2, 4, png);
    testing::MakeMbtiles(folder / "bare.mbtiles", {}, 1, 3, "\xff\xd8\xff jpeg");
    testing::MakeMbtiles(folder / "vector.mbtiles", {{"format", "pbf"}}, 0, 1, "\x1f\x8b");
    testing::WriteFile(folder / "text.mbtiles", "not a database at all, and long enough to say so");
    std::string error;
    const auto valley = MbtilesFile::Open(folder / "valley.mbtiles", error);
    ASSERT_TRUE(valley) << error;
    EXPECT_EQ(valley->Info().name, "Valley");
    EXPECT_EQ(valley->Info().attribution, "Us");
    EXPECT_EQ(valley->Info().minZoom, 2);
    EXPECT_EQ(valley->Info().maxZoom, 4);
    EXPECT_EQ(valley->Info().bounds, (std::array<double, 4>{7.5, 46.5, 8.5, 47.0}));
    EXPECT_EQ(valley->Tile({3, 4, 2}), png);
    EXPECT_EQ(valley->Tile({5, 4, 2}), std::nullopt);
    // Without metadata: the name from the file, the zooms and format from the tiles.
    const auto bare = MbtilesFile::Open(folder / "bare.mbtiles", error);
    ASSERT_TRUE(bare) << error;
    EXPECT_EQ(bare->Info().name, "bare");
    EXPECT_EQ(bare->Info().format, "jpg");
    EXPECT_EQ(bare->Info().maxZoom, 3);
    for (const char* refused : {"vector.mbtiles", "text.mbtiles", "missing.mbtiles"}) {
        error.clear();
        EXPECT_FALSE(MbtilesFile::Open(folder / refused, error)) << refused;
        EXPECT_NE(error.find(refused), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace vantrel
