// The rules around map tiles that take no file: how long a tile stays
// fresh, what a tile path and a tile URL template may be, how the program
// names itself to a tile server, and which fetches the loader makes.
#include <gtest/gtest.h>

#include "map/BaseLayer.h"
#include "map/TileFreshness.h"
#include "map/TileKey.h"
#include "map/TileLoader.h"
#include "map/TileSource.h"
#include "support/ScratchFolder.h"

namespace vantrel {
namespace {

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kWeek = kTileMinimumLifetimeSeconds;

TEST(TileFreshness, LastsAsLongAsTheHeadersSayAndAtLeastAWeek) {
    struct Case {
        TileCachingHeaders headers;
        std::int64_t lifetime;
    };
    const std::string date = FormatHttpDate(kNow);
    const Case cases[] = {
        {{}, kWeek},
        {{"max-age=60"}, kWeek},
        {{"public, max-age=2592000"}, 2592000},
        {{"max-age=\"2592000\", must-revalidate"}, 2592000},
        {{"Max-Age=2592000"}, 2592000},
        {{"max-age=2592000", "", "", "100"}, 2592000 - 100},  // less its Age
        {{"s-maxage=2592000"}, kWeek},                        // for shared caches only
        {{"no-cache"}, kWeek},
        {{"", FormatHttpDate(kNow + 30 * 86400), date}, 30 * 86400},
        {{"", FormatHttpDate(kNow + 30 * 86400)}, 30 * 86400},  // no Date: from now
        {{"max-age=864000", FormatHttpDate(kNow + 30 * 86400), date}, 864000},
        {{"", "0", date}, kWeek},
        {{"max-age=-5"}, kWeek},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TileFreshUntil(c.headers, kNow), kNow + c.lifetime)
            << c.headers.cacheControl << " | " << c.headers.expires;
}

TEST(TileFreshness, ReadsTheThreeFormsOfAnHttpDate) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"Sun, 06 Nov 1994 08:49:37 GMT", 784111777},
        {"Sunday, 06-Nov-94 08:49:37 GMT", 784111777},
        {"Sun Nov  6 08:49:37 1994", 784111777},
        {"Sun, 06 Nov 1994 08:49:37 UTC", std::nullopt},
        {"Sun, 06 Foo 1994 08:49:37 GMT", std::nullopt},
        {"Sun, 06 Nov 1994 08:49:37 GMT trailing", std::nullopt},
        {"yesterday", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, seconds] : cases)
        EXPECT_EQ(ParseHttpDate(text), seconds) << text;
    EXPECT_EQ(FormatHttpDate(784111777), "Sun, 06 Nov 1994 08:49:37 GMT");
}

TEST(TileKey, ReadsOnlyTilesThatExistAtTheirZoom) {
    const std::pair<const char*, std::optional<TileKey>> cases[] = {
        {"/0/0/0", TileKey{0, 0, 0}},
        {"3/7/5.png", TileKey{3, 7, 5}},
        {"/22/4194303/0", TileKey{22, 4194303, 0}},
        {"/3/8/0", std::nullopt},
        {"/3/0/8", std::nullopt},
        {"/23/0/0", std::nullopt},
        {"/-1/0/0", std::nullopt},
        {"/3/1", std::nullopt},
        {"/3/1/2/4", std::nullopt},
        {"/3/1/2x", std::nullopt},
        {"/a/b/c", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [path, key] : cases)
        EXPECT_EQ(ParseTilePath(path), key) << path;
    EXPECT_EQ((TileKey{3, 7, 5}.MbtilesRow()), 2);
    EXPECT_EQ(TileImageType("\x89PNG\r\n\x1a\nrest"), "image/png");
    EXPECT_EQ(TileImageType("\xff\xd8\xff\xe0"), "image/jpeg");
    EXPECT_EQ(TileImageType(std::string_view("RIFF\0\0\0\0WEBPVP8", 15)), "image/webp");
    EXPECT_EQ(TileImageType("<html>Forbidden</html>"), "");
}

TEST(TileSource, TakesOnlyTemplatesThatNameEveryTileOnce) {
    const std::pair<const char*, bool> cases[] = {
        {"https://tile.openstreetmap.org/{z}/{x}/{y}.png", true},
        {"http://127.0.0.1:8080/tiles/{z}/{x}/{y}", true},
        {"https://{s}.tiles.example.org/{z}/{x}/{y}.png?key=abc", true},
        {"ftp://example.org/{z}/{x}/{y}.png", false},
        {"https://example.org/{z}/{x}.png", false},
        {"https://example.org/{z}/{x}/{y}/{y}.png", false},
        {"https://example.org/{z}/{x}/{y}/{r}.png", false},
        {"https://example.org/{z}/{x}/{y}.png\r\nX-Evil: 1", false},
        {"https://exa mple.org/{z}/{x}/{y}.png", false},
        {"https:///{z}/{x}/{y}.png", false},
    };
    for (const auto& [text, good] : cases) {
        std::string error;
        EXPECT_EQ(CheckTileUrlTemplate(text, error).has_value(), good) << text;
        EXPECT_EQ(error.empty(), good) << text;
    }
    TileSource source{"https://{s}.example.org/{z}/{x}/{y}.png", ""};
    EXPECT_EQ(source.Url({5, 17, 11}), "https://a.example.org/5/17/11.png");
    EXPECT_EQ(DefaultAttribution(kDefaultTileUrl), kDefaultTileAttribution);
    EXPECT_EQ(DefaultAttribution("http://127.0.0.1:8080/{z}/{x}/{y}"), "Tiles: 127.0.0.1");
}

TEST(TileSource, NamesTheProgramAndAContactThatCannotBreakTheHeader) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "vantrel/1.2.25 (desktop companion of the Vantrel GPS logger)"},
        {"me@example.org",
         "vantrel/1.2.25 (desktop companion of the Vantrel GPS logger; contact: me@example.org)"},
        {"me@example.org\r\nX-Evil: 1",
         "vantrel/1.2.25 (desktop companion of the Vantrel GPS logger)"},
        {"a) (b", "vantrel/1.2.25 (desktop companion of the Vantrel GPS logger)"},
    };
    for (const auto& [contact, agent] : cases)
        EXPECT_EQ(TileUserAgent("1.2.25", contact), agent);
}

TEST(BaseLayer, AnAttributionReachesThePageAsTextAndInsideItsString) {
    EXPECT_EQ(PlainAttribution("<a href=\"http://x\">&copy; Map</a> &amp; <b>us</b>"),
              "\u00a9 Map & us");
    const std::string script = SetBaseLayerScript({"offline2", "</script> \"x\" <b>", 3, 14, {}});
    EXPECT_NE(script.find("url:\"vantrel-tile://offline2/{z}/{x}/{y}\""), std::string::npos);
    EXPECT_NE(script.find("minZoom:3,maxZoom:14,bounds:null"), std::string::npos);
    EXPECT_EQ(script.find("</"), std::string::npos);
    EXPECT_EQ(script.find("<b>"), std::string::npos);
}

// The fetch rules with a real cache: what is fetched, in what order, at most
// two at a time, and what each waiting page gets.
class Loader : public ::testing::Test {
  protected:
    testing::ScratchFolder folder;
    TileCache cache{folder / "tiles.mbtiles"};
    TileLoader loader{cache, TileSource{"http://127.0.0.1:1/{z}/{x}/{y}.png", "test"}};

    static TileResponse Png(int status = 200) {
        return {status, {"max-age=86400", "", "", "", "\"v1\"", ""}, "\x89PNG\r\n\x1a\npicture"};
    }
    // The waiters answered since the last look: with a picture, and without.
    std::pair<std::vector<int>, std::vector<int>> Answered() {
        std::pair<std::vector<int>, std::vector<int>> waiters;
        for (const TileAnswer& a : loader.TakeAnswers())
            (a.data ? waiters.first : waiters.second).push_back(a.waiter);
        return waiters;
    }
    using Waiters = std::pair<std::vector<int>, std::vector<int>>;
};

TEST_F(Loader, FetchesEachWantedTileOnceTwoAtATimeAndSkipsTilesNoLongerWanted) {
    for (int waiter = 1; waiter <= 5; ++waiter)
        loader.Want(waiter, {4, waiter, 1}, kNow);
    loader.Want(6, {4, 1, 1}, kNow);  // another page, the same tile
    loader.Forget(3);
    std::vector<TileFetch> fetches = loader.StartFetches(kNow);
    ASSERT_EQ(fetches.size(), 2u);
    EXPECT_EQ(fetches[0].url, "http://127.0.0.1:1/4/1/1.png");
    EXPECT_TRUE(loader.StartFetches(kNow).empty());
    loader.Finished(fetches[0].id, Png(), kNow);
    EXPECT_EQ(Answered(), (Waiters{{1, 6}, {}}));
    fetches = loader.StartFetches(kNow);
    ASSERT_EQ(fetches.size(), 1u);
    EXPECT_EQ(fetches[0].url, "http://127.0.0.1:1/4/4/1.png");  // 3 was forgotten
    // A server's refusal or an error page is no tile.
    loader.Finished(fetches[0].id, Png(403), kNow);
    EXPECT_EQ(Answered(), (Waiters{{}, {4}}));
    // A tile seen once is answered from the cache, without a fetch.
    loader.Want(7, {4, 1, 1}, kNow + 3600);
    EXPECT_EQ(Answered(), (Waiters{{7}, {}}));
    EXPECT_EQ(loader.InFlight(), 1u);
}

TEST_F(Loader, WithoutAServerStaleTilesShowAndNothingIsTriedForAWhile) {
    loader.Want(1, {2, 1, 1}, kNow);
    loader.Finished(loader.StartFetches(kNow)[0].id, Png(), kNow);
    loader.TakeAnswers();
    const std::int64_t later = kNow + 8 * 86400;
    for (int waiter = 2; waiter <= 5; ++waiter)
        loader.Want(waiter, {2, waiter == 2 ? 1 : waiter, 1}, later);
    const std::vector<TileFetch> fetches = loader.StartFetches(later);
    ASSERT_EQ(fetches.size(), 2u);
    EXPECT_EQ(fetches[0].ifNoneMatch, "\"v1\"");
    loader.Finished(fetches[0].id, TileResponse{}, later);  // no server answered
    // The stale tile shows; the queued ones without a picture fail at once.
    EXPECT_EQ(Answered(), (Waiters{{2}, {4, 5}}));
    EXPECT_TRUE(loader.StartFetches(later).empty());
    loader.Want(6, {2, 0, 0}, later + 1);
    EXPECT_EQ(Answered(), (Waiters{{}, {6}}));
    loader.Want(7, {2, 0, 0}, later + TileLoader::kOfflinePauseSeconds);
    EXPECT_EQ(loader.StartFetches(later + TileLoader::kOfflinePauseSeconds).size(), 1u);
}

}  // namespace
}  // namespace vantrel
