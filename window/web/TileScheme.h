#pragma once
// The program's tile scheme: the map pages load their pictures from
// "vantrel-tile://LAYER/z/x/y", and this handler answers from the chosen
// layer. "online" is served by the core's TileLoader through the tile cache,
// fetching what is missing or stale with a QNetworkAccessManager under the
// program's own User-Agent; an offline map (a user's MBTiles file) is read
// directly. Nothing reaches the network but the fetches the loader names.
//
// The scheme must be registered before the application object exists
// (RegisterTileScheme); a handler then serves one web engine profile.

#include <QDateTime>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "map/BaseLayer.h"
#include "map/MbtilesFile.h"
#include "map/TileCache.h"
#include "map/TileLoader.h"

class QNetworkReply;
class QWebEngineProfile;

namespace vantrel {

// Makes the scheme known to the web engine; call once, before QApplication.
void RegisterTileScheme();

struct TileSchemeOptions {
    TileSource source;
    std::string userAgent;
    std::filesystem::path cacheFile;
    std::uint64_t cacheLimitBytes = kDefaultTileCacheBytes;
    // Seconds since 1970; the tests move it on to make tiles stale.
    std::function<std::int64_t()> clock = [] { return QDateTime::currentSecsSinceEpoch(); };
};

class TileSchemeHandler : public QWebEngineUrlSchemeHandler {
    Q_OBJECT
  public:
    // The largest tile accepted from a server.
    static constexpr qint64 kMaxTileBytes = qint64{4} << 20;
    static constexpr int kFetchTimeoutMs = 20000;

    TileSchemeHandler(TileSchemeOptions options, QWebEngineProfile* profile,
                      QObject* parent = nullptr);
    ~TileSchemeHandler() override;

    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // Shows the offline map from now on; nullptr goes back to online tiles.
    void SetOfflineMap(std::unique_ptr<MbtilesFile> map);
    const MbtilesFile* OfflineMap() const { return offline_.get(); }
    // The layer the pages should show now.
    BaseLayer CurrentLayer() const;

    TileCache& Cache() { return cache_; }
    const TileLoader& Loader() const { return loader_; }

  signals:
    // Something the user should be told (the cache could not be used).
    void notice(const QString& text);

  private:
    void ServeOffline(QWebEngineUrlRequestJob* job, const TileKey& key);
    void Pump();
    void Start(const TileFetch& fetch);
    void Finish(int fetchId, QNetworkReply* reply);
    void PassNotices();

    QWebEngineProfile* profile_;
    TileSchemeOptions options_;
    TileCache cache_;
    TileLoader loader_;
    QNetworkAccessManager network_;
    std::unique_ptr<MbtilesFile> offline_;
    int offlineGeneration_ = 0;                              // a new layer name for each map chosen
    std::map<int, QPointer<QWebEngineUrlRequestJob>> jobs_;  // by waiter number
    int nextWaiter_ = 1;
};

}  // namespace vantrel
