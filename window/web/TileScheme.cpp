#include "window/web/TileScheme.h"

#include <QBuffer>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QWebEngineProfile>
#include <QWebEngineUrlScheme>

namespace vantrel {

namespace {

constexpr const char* kOnlineLayer = "online";

QByteArray SchemeName() {
    return QByteArray(kTileScheme.data(), static_cast<qsizetype>(kTileScheme.size()));
}

void Reply(QWebEngineUrlRequestJob* job, const std::optional<std::string>& data) {
    const std::string_view type = data ? TileImageType(*data) : std::string_view();
    if (type.empty()) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    auto* buffer = new QBuffer(job);
    buffer->setData(data->data(), static_cast<qsizetype>(data->size()));
    buffer->open(QIODevice::ReadOnly);
    job->reply(QByteArray(type.data(), static_cast<qsizetype>(type.size())), buffer);
}

std::string Header(QNetworkReply* reply, const char* name) {
    return reply->rawHeader(name).toStdString();
}

}  // namespace

void RegisterTileScheme() {
    QWebEngineUrlScheme scheme(SchemeName());
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed |
                    QWebEngineUrlScheme::CorsEnabled);
    QWebEngineUrlScheme::registerScheme(scheme);
}

TileSchemeHandler::TileSchemeHandler(TileSchemeOptions options, QWebEngineProfile* profile,
                                     QObject* parent)
    : QWebEngineUrlSchemeHandler(parent),
      profile_(profile),
      options_(std::move(options)),
      cache_(options_.cacheFile, options_.cacheLimitBytes),
      loader_(cache_, options_.source) {
    // The handler made last serves the profile.
    profile_->removeUrlScheme(SchemeName());
    profile_->installUrlSchemeHandler(SchemeName(), this);
    // Said once the window's loop runs, so a message box is not opened from
    // inside the constructor.
    QMetaObject::invokeMethod(this, &TileSchemeHandler::PassNotices, Qt::QueuedConnection);
}

TileSchemeHandler::~TileSchemeHandler() {
    profile_->removeUrlSchemeHandler(this);
}

void TileSchemeHandler::SetOfflineMap(std::unique_ptr<MbtilesFile> map) {
    offline_ = std::move(map);
    ++offlineGeneration_;
}

BaseLayer TileSchemeHandler::CurrentLayer() const {
    if (!offline_) return {kOnlineLayer, options_.source.attribution, 0, kDefaultTileMaxZoom, {}};
    const MbtilesInfo& info = offline_->Info();
    return {"offline" + std::to_string(offlineGeneration_), PlainAttribution(info.attribution),
            info.minZoom, info.maxZoom, info.bounds, false};
}

void TileSchemeHandler::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    const auto key = ParseTilePath(url.path().toStdString());
    const std::string layer = url.host().toStdString();
    if (!key || job->requestMethod() != "GET") {
        job->fail(QWebEngineUrlRequestJob::UrlInvalid);
        return;
    }
    if (offline_ && layer == CurrentLayer().layer) {
        ServeOffline(job, *key);
        return;
    }
    if (layer != kOnlineLayer) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const int waiter = nextWaiter_++;
    jobs_[waiter] = job;
    // A request the page gives up (the view moved on) is forgotten: its tile
    // is not fetched when it was still waiting.
    connect(job, &QObject::destroyed, this, [this, waiter] {
        jobs_.erase(waiter);
        loader_.Forget(waiter);
    });
    loader_.Want(waiter, *key, options_.clock());
    Pump();
}

void TileSchemeHandler::ServeOffline(QWebEngineUrlRequestJob* job, const TileKey& key) {
    Reply(job, offline_->Tile(key));
}

void TileSchemeHandler::Pump() {
    for (TileAnswer& answer : loader_.TakeAnswers()) {
        const auto found = jobs_.find(answer.waiter);
        if (found == jobs_.end()) continue;
        QPointer<QWebEngineUrlRequestJob> job = found->second;
        jobs_.erase(found);
        if (job) Reply(job, answer.data);
    }
    for (const TileFetch& fetch : loader_.StartFetches(options_.clock()))
        Start(fetch);
    PassNotices();
}

void TileSchemeHandler::Start(const TileFetch& fetch) {
    QNetworkRequest request(QUrl(QString::fromStdString(fetch.url)));
    request.setHeader(QNetworkRequest::UserAgentHeader, QString::fromStdString(options_.userAgent));
    if (!fetch.ifNoneMatch.empty())
        request.setRawHeader("If-None-Match", QByteArray::fromStdString(fetch.ifNoneMatch));
    if (!fetch.ifModifiedSince.empty())
        request.setRawHeader("If-Modified-Since", QByteArray::fromStdString(fetch.ifModifiedSince));
    request.setTransferTimeout(kFetchTimeoutMs);
    QNetworkReply* reply = network_.get(request);
    // A tile larger than any tile is not read on.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxTileBytes) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this,
            [this, id = fetch.id, reply] { Finish(id, reply); });
}

void TileSchemeHandler::Finish(int fetchId, QNetworkReply* reply) {
    reply->deleteLater();
    TileResponse response;
    response.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::OperationCanceledError && response.status == 200)
        response.status = 413;  // cut off as too large: a failure, but the server answered
    response.headers = {Header(reply, "Cache-Control"), Header(reply, "Expires"),
                        Header(reply, "Date"),          Header(reply, "Age"),
                        Header(reply, "ETag"),          Header(reply, "Last-Modified")};
    if (response.status == 200) response.body = reply->readAll().toStdString();
    loader_.Finished(fetchId, response, options_.clock());
    Pump();
}

void TileSchemeHandler::PassNotices() {
    if (auto text = cache_.TakeNotice()) emit notice(QString::fromStdString(*text));
}

}  // namespace vantrel
