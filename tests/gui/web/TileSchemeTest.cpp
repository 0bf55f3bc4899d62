// The program's tile scheme in a real web engine against a tile server the
// test runs on 127.0.0.1: what the server is sent, what the pages show, and
// what the cache keeps when the server is gone.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QWebEngineProfile>
#include <memory>

#include "base/AppValues.h"
#include "gui/web/PageHost.h"
#include "gui/web/TileServer.h"
#include "map/TileSource.h"
#include "support/MbtilesMaker.h"
#include "support/ScratchFolder.h"
#include "window/web/TileScheme.h"

namespace vantrel {
namespace {

using testing::PageState;
using testing::PngTile;
using testing::ShowPage;
using testing::TileRequest;
using testing::TileServer;
using testing::TileServerAnswer;
using testing::WaitUntil;

constexpr std::int64_t kDay = 24 * 3600;

// One run of the program as far as tiles go: a profile of its own (so no
// picture is remembered by the engine between runs), the handler over the
// cache file, and the track page showing the base layer.
class TileRun {
  public:
    TileRun(const std::filesystem::path& folder, const std::string& urlTemplate, std::int64_t now,
            std::string contact = {})
        : profile_(std::make_unique<QWebEngineProfile>()) {
        TileSchemeOptions options;
        options.source.urlTemplate = urlTemplate;
        options.userAgent = TileUserAgent(VersionText, contact);
        options.cacheFile = folder / "tiles.mbtiles";
        options.clock = [now] { return now; };
        handler = std::make_unique<TileSchemeHandler>(options, profile_.get());
    }
    ~TileRun() {
        view.reset();
        handler.reset();
    }

    // Shows the page around Zürich at zoom 5, then the base layer, and waits
    // until every tile the view needs has loaded or failed.
    QJsonObject Show() {
        view = ShowPage("track.txt", profile_.get());
        view->RunPageScript("map.setCenter(new GLatLng(47.4, 8.5), 5);");
        view->SetBaseLayer(handler->CurrentLayer());
        EXPECT_TRUE(WaitUntil([&] { return view->Settled(); }));
        return PageState(*view);
    }
    // Whether the view shows `colour` in its middle (waiting a little: a
    // loaded picture is painted a moment later).
    bool Shows(const QColor& colour) const {
        return WaitUntil([&] { return view->grab().toImage().pixelColor(320, 200) == colour; },
                         5000);
    }

    std::unique_ptr<TileSchemeHandler> handler;
    std::unique_ptr<WebMapView> view;

  private:
    std::unique_ptr<QWebEngineProfile> profile_;
};

TEST(TileScheme, FetchesUnderItsNameTwoAtATimeAndServesWhatItSawOnceTheServerIsGone) {
    testing::ScratchFolder folder;
    TileServer server;
    const std::int64_t now = 1'800'000'000;
    {
        TileRun run(folder.Path(), server.UrlTemplate(), now, "me@example.org");
        const QJsonObject state = run.Show();
        EXPECT_EQ(state["background"].toString(), "tiles");
        EXPECT_GE(server.requests.size(), 6u);
        EXPECT_EQ(state["tilesLoaded"].toInt(), static_cast<int>(server.requests.size()));
        for (const TileRequest& request : server.requests)
            EXPECT_EQ(
                request.headers["user-agent"].toStdString(),
                std::string("vantrel/") + VersionText +
                    " (desktop companion of the Vantrel GPS logger; contact: me@example.org)");
        EXPECT_EQ(server.mostInFlight, 2);
        EXPECT_TRUE(run.Shows(QColor(Qt::red)));
    }
    const std::size_t asked = server.requests.size();
    server.Stop();
    TileRun again(folder.Path(), server.UrlTemplate(), now + kDay);
    const QJsonObject state = again.Show();
    EXPECT_EQ(state["tilesLoaded"].toInt(), static_cast<int>(asked));
    EXPECT_EQ(state["tilesFailed"].toInt(), 0);
    EXPECT_TRUE(again.Shows(QColor(Qt::red)));
    EXPECT_EQ(server.requests.size(), asked);
}

// A week and a day later the tiles are stale: they are asked for again with
// their ETag, and what the server says decides what shows.
TEST(TileScheme, AStaleTileIsRevalidatedAndShownAsItIsWhenTheServerIsGone) {
    struct Case {
        const char* what;
        std::function<TileServerAnswer(const TileRequest&)> answer;  // null: server stopped
        QColor shown;
    };
    const Case cases[] = {
        {"unchanged",
         [](const TileRequest& r) {
             return TileServerAnswer{
                 r.headers["if-none-match"] == "\"v1\"" ? 304 : 200,
                 {{"ETag", "\"v1\""}},
                 r.headers["if-none-match"] == "\"v1\"" ? QByteArray() : PngTile(Qt::green)};
         },
         Qt::red},
        {"changed",
         [](const TileRequest&) {
             return TileServerAnswer{200, {{"ETag", "\"v2\""}}, PngTile(Qt::blue)};
         },
         Qt::blue},
        {"offline", nullptr, Qt::red},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::ScratchFolder folder;
        TileServer server;
        const std::int64_t now = 1'800'000'000;
        TileRun(folder.Path(), server.UrlTemplate(), now).Show();
        const std::size_t first = server.requests.size();
        if (c.answer)
            server.respond = c.answer;
        else
            server.Stop();
        TileRun later(folder.Path(), server.UrlTemplate(), now + 8 * kDay);
        const QJsonObject state = later.Show();
        EXPECT_EQ(state["tilesFailed"].toInt(), 0);
        EXPECT_TRUE(later.Shows(c.shown));
        if (!c.answer) continue;
        ASSERT_EQ(server.requests.size(), 2 * first);
        for (std::size_t i = first; i < server.requests.size(); ++i)
            EXPECT_EQ(server.requests[i].headers["if-none-match"], "\"v1\"");
        // What the second answer left in the cache is what a third run shows.
        server.Stop();
        EXPECT_EQ(TileRun(folder.Path(), server.UrlTemplate(), now + 9 * kDay)
                      .Show()["tilesLoaded"]
                      .toInt(),
                  static_cast<int>(first));
    }
}

TEST(TileScheme, ADamagedCacheIsMovedAsideWithOneMessageAndTheMapStillShows) {
    testing::ScratchFolder folder;
    testing::WriteFile(folder / "tiles.mbtiles", std::string(8192, 'x'));
    TileServer server;
    TileRun run(folder.Path(), server.UrlTemplate(), 1'800'000'000);
    QSignalSpy notices(run.handler.get(), &TileSchemeHandler::notice);
    EXPECT_EQ(run.Show()["background"].toString(), "tiles");
    EXPECT_TRUE(run.Shows(QColor(Qt::red)));
    ASSERT_EQ(notices.count(), 1);
    EXPECT_TRUE(notices[0][0].toString().contains("tiles.mbtiles.damaged"));
    EXPECT_EQ(testing::ReadFile(folder / "tiles.mbtiles.damaged"), std::string(8192, 'x'));
    EXPECT_GT(run.handler->Cache().StoredBytes(), 0u);
    EXPECT_FALSE(run.handler->Cache().InMemory());
}

TEST(TileScheme, AnOfflineMapOfTheTestsOwnIsTheBaseLayerWithItsAttribution) {
    testing::ScratchFolder folder;
    const QByteArray green = PngTile(Qt::green);
    testing::MakeMbtiles(folder / "valley.mbtiles",
                         {{"name", "Valley"},
                          {"format", "png"},
                          {"attribution", "<a href='x'>Made</a> by the test &amp; friends"}},
                         0, 6, green.toStdString());
    TileServer server;
    TileRun run(folder.Path(), server.UrlTemplate(), 1'800'000'000);
    std::string error;
    auto map = MbtilesFile::Open(folder / "valley.mbtiles", error);
    ASSERT_TRUE(map) << error;
    run.handler->SetOfflineMap(std::move(map));
    const QJsonObject state = run.Show();
    EXPECT_EQ(state["background"].toString(), "tiles");
    EXPECT_EQ(state["tilesFailed"].toInt(), 0);
    EXPECT_TRUE(run.Shows(QColor(Qt::green)));
    EXPECT_TRUE(server.requests.empty());
    const QString attribution =
        run.view->Evaluate("document.querySelector('.leaflet-control-attribution').textContent")
            .toString();
    EXPECT_TRUE(attribution.contains("Made by the test & friends")) << attribution.toStdString();
    EXPECT_TRUE(attribution.contains("Natural Earth")) << attribution.toStdString();
    EXPECT_EQ(run.view->EvaluateNumber(
                  "document.querySelectorAll('.leaflet-control-attribution a[href=\"x\"]').length"),
              0);
}

}  // namespace
}  // namespace vantrel
