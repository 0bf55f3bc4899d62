#include "window/web/WebMapView.h"

#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <memory>

#include "map/PageFiles.h"
#include "map/ScriptText.h"
#include "window/web/PageEvents.h"

namespace vantrel {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "name(args)" guarded so that a page without the function does nothing and
// answers 0. Only plain identifiers are called.
QString GuardedCall(std::string_view name, const QString& args) {
    static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_$][A-Za-z0-9_$]*$"));
    const QString n = Q(name);
    if (!identifier.match(n).hasMatch()) return QStringLiteral("0");
    return QStringLiteral("(typeof %1 === 'function') ? %1(%2) : 0").arg(n, args);
}

// The URL of a folder, as a base that relative references resolve against.
QUrl FolderUrl(const std::filesystem::path& folder) {
    return QUrl::fromLocalFile(QString::fromStdString(folder.string()) + QLatin1Char('/'));
}

// A map page stays where it was loaded: links in it do not navigate away.
class MapWebPage : public QWebEnginePage {
  public:
    using QWebEnginePage::QWebEnginePage;

  protected:
    bool acceptNavigationRequest(const QUrl&, NavigationType type, bool) override {
        return type != NavigationTypeLinkClicked;
    }
};

// The body hook, run in an isolated world of every page: each click,
// mouse-down and "vantrel-changed" event goes to the program, those before
// the channel is up as soon as it is.
constexpr const char* kBodyHook = R"JS(
(function () {
  if (typeof qt === 'undefined' || !qt.webChannelTransport) return;
  var host = null, held = [];
  function send(e) { if (host) host.pageEvent(e.type); else held.push(e.type); }
  window.addEventListener('click', send, true);
  window.addEventListener('mousedown', send, true);
  document.addEventListener('vantrel-changed', send, true);
  new QWebChannel(qt.webChannelTransport, function (channel) {
    host = channel.objects.vantrelPageEvents;
    held.forEach(function (kind) { host.pageEvent(kind); });
    held = [];
  });
})();
)JS";

}  // namespace

WebMapView::WebMapView(QWidget* parent, QWebEngineProfile* profile)
    : QWebEngineView(parent), events_(new PageEvents(this)), delivery_(new QTimer(this)) {
    setPage(profile ? new MapWebPage(profile, this) : new MapWebPage(this));
    QWebEngineSettings* settings = page()->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    InstallBodyHook();
    // Page events are passed on from a timer of their own: the channel
    // delivers them inside the web engine's posted work, and a bounded wait
    // started there (or from any posted event) never sees its answer, since
    // the engine's work is itself posted and cannot run nested.
    delivery_->setSingleShot(true);
    connect(delivery_, &QTimer::timeout, this, &WebMapView::DeliverHeldEvents);
    connect(events_, &PageEvents::happened, this, &WebMapView::OnPageEvent);
    connect(this, &QWebEngineView::loadFinished, this, [this](bool) {
        ready_ = true;
        emit documentComplete();
    });
}

void WebMapView::InstallBodyHook() {
    QFile library(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!library.open(QIODevice::ReadOnly)) {
        qWarning("WebMapView: qwebchannel.js not found; page clicks are not reported");
        return;
    }
    auto* channel = new QWebChannel(this);
    channel->registerObject(QStringLiteral("vantrelPageEvents"), events_);
    page()->setWebChannel(channel, QWebEngineScript::ApplicationWorld);

    QWebEngineScript hook;
    hook.setName(QStringLiteral("vantrel-body-hook"));
    hook.setSourceCode(QString::fromUtf8(library.readAll()) + QString::fromUtf8(kBodyHook));
    hook.setInjectionPoint(QWebEngineScript::DocumentCreation);
    hook.setWorldId(QWebEngineScript::ApplicationWorld);
    hook.setRunsOnSubFrames(false);
    page()->scripts().insert(hook);
}

void WebMapView::OnPageEvent() {
    ++heldEvents_;
    ScheduleHeldEvents();
}

void WebMapView::ScheduleHeldEvents() {
    if (heldEvents_ > 0 && waits_ == 0 && !delivery_->isActive()) delivery_->start(1);
}

void WebMapView::DeliverHeldEvents() {
    while (heldEvents_ > 0 && waits_ == 0) {
        --heldEvents_;
        emit bodyClicked();
    }
}

void WebMapView::LoadPageText(const QString& text, const QUrl& baseUrl) {
    ready_ = false;
    setHtml(text, baseUrl.isEmpty() ? FolderUrl(MapPagesFolder()) : baseUrl);
}

bool WebMapView::LoadPageFile(const std::filesystem::path& file, const CodePage& codePage) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    auto text = ReadPageFile(absolute, codePage);
    if (!text) return false;
    LoadPageText(QString::fromStdString(*text), FolderUrl(absolute.parent_path()));
    return true;
}

void WebMapView::RunPageScript(std::string_view scriptText) {
    page()->runJavaScript(Q(scriptText));
}

QVariant WebMapView::Evaluate(const QString& script) {
    // The answer outlives this call: a late reply after the wait has given up
    // finds the loop gone and is dropped.
    struct Answer {
        QVariant value;
        bool done = false;
        QEventLoop* loop = nullptr;
    };
    auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->loop = &loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    page()->runJavaScript(script, [answer](const QVariant& value) {
        answer->value = value;
        answer->done = true;
        if (answer->loop) answer->loop->quit();
    });
    ++waits_;
    if (!answer->done) {
        timer.start(kCallTimeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    --waits_;
    answer->loop = nullptr;
    ScheduleHeldEvents();
    return answer->done ? answer->value : QVariant();
}

std::optional<double> WebMapView::PageNumber(const QString& script) {
    bool ok = false;
    const double number = Evaluate(script).toDouble(&ok);
    if (!ok) return std::nullopt;
    return number;
}

QString WebMapView::PageState() {
    return Evaluate(
               QStringLiteral("(typeof vantrelPageState === 'function') ? vantrelPageState() : ''"))
        .toString();
}

void WebMapView::CallPageFunction(std::string_view name) {
    page()->runJavaScript(GuardedCall(name, {}));
}

std::optional<double> WebMapView::CallPageFunctionResult(std::string_view name) {
    return PageNumber(GuardedCall(name, {}));
}

std::optional<double> WebMapView::CallPageFunctionResult(std::string_view name,
                                                         std::int16_t marker) {
    return PageNumber(GuardedCall(name, QString::number(marker)));
}

void WebMapView::CallPageFunction(std::string_view name, std::int32_t marker) {
    page()->runJavaScript(GuardedCall(name, QString::number(marker)));
}

void WebMapView::addPoints(double latitude, double longitude) {
    const QString args = Q(ScriptReal(latitude)) + QLatin1Char(',') + Q(ScriptReal(longitude));
    page()->runJavaScript(GuardedCall("addPoints", args));
}

void WebMapView::addPointsBatch(std::span<const MapPoint> points) {
    RunPageScript(AddPointsScript(points));
}

void WebMapView::drawPoints(std::string_view colourText) {
    const QString literal = QLatin1Char('"') + Q(EscapeScriptString(colourText)) + QLatin1Char('"');
    page()->runJavaScript(GuardedCall("drawPoints", literal));
}

void WebMapView::SetBaseLayer(const BaseLayer& layer) {
    const QString name = QStringLiteral("vantrel-base-layer");
    const QList<QWebEngineScript> old = page()->scripts().find(name);
    for (const QWebEngineScript& script : old)
        page()->scripts().remove(script);
    QWebEngineScript global;
    global.setName(name);
    global.setSourceCode(Q(BaseLayerGlobalScript(layer)));
    global.setInjectionPoint(QWebEngineScript::DocumentCreation);
    global.setWorldId(QWebEngineScript::MainWorld);
    global.setRunsOnSubFrames(false);
    page()->scripts().insert(global);
    if (ready_) RunPageScript(SetBaseLayerScript(layer));
}

bool WebMapView::Settled() {
    return EvaluateNumber(QStringLiteral(
               "(typeof vantrelSettled !== 'function' || vantrelSettled()) ? 1 : 0")) == 1;
}

void WebMapView::initialize() {
    CallPageFunction("initialize");
}

}  // namespace vantrel
