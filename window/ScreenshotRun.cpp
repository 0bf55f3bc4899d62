#include "window/ScreenshotRun.h"

#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QTabWidget>
#include <QTableView>
#include <cstdio>

#include "window/web/WebMapView.h"

namespace vantrel {

namespace {

constexpr int kPagesTimeoutMs = 30000;
constexpr int kDownloadTimeoutMs = 120000;
constexpr int kPageSettleMs = 1500;
constexpr int kTabSettleMs = 400;
// How long a map page may take to draw what it shows (its tiles loaded or
// failed), and the moment a drawn picture takes to reach the screen.
constexpr int kMapTimeoutMs = 30000;
constexpr int kMapPaintMs = 300;
constexpr QSize kLargeSize{1600, 1000};

}  // namespace

bool ScreenshotRun::WaitUntil(TfmMain& window, const std::function<bool()>& done, int timeoutMs) {
    if (done()) return true;
    QEventLoop loop;
    bool reached = false;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    auto check = QObject::connect(&window, &TfmMain::rendered, &loop, [&] {
        if (!done()) return;
        reached = true;
        loop.quit();
    });
    limit.start(timeoutMs);
    loop.exec();
    QObject::disconnect(check);
    return reached;
}

void ScreenshotRun::Settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ScreenshotRun::Await(RequestResult (DeviceLink::*request)(), const char* what,
                          unsigned LinkProgress::*counter) {
    DeviceLink& link = window_.Core().link();
    const LinkProgress start = link.Progress();
    const RequestResult sent = (link.*request)();
    window_.Render();
    if (sent != RequestResult::Sent) {
        std::fprintf(stderr, "vantrel: the %s request could not be sent\n", what);
        return false;
    }
    bool failed = false;
    const bool ended = WaitUntil(
        window_,
        [&] {
            const LinkProgress now = link.Progress();
            failed = now.PortFailures > start.PortFailures ||
                     now.WatchdogResets > start.WatchdogResets ||
                     now.TransfersFailed > start.TransfersFailed;
            return failed || now.*counter > start.*counter;
        },
        kDownloadTimeoutMs);
    if (!ended || failed) {
        std::fprintf(stderr, "vantrel: the %s request failed\n", what);
        return false;
    }
    return true;
}

bool ScreenshotRun::Download(RequestResult (DeviceLink::*request)(), const char* what) {
    return Await(request, what, &LinkProgress::DownloadsFinished);
}

void ScreenshotRun::WaitForMap(WebMapView& map, const char* name) {
    if (!WaitUntil(
            window_, [&map] { return map.Settled(); }, kMapTimeoutMs))
        std::fprintf(stderr, "vantrel: the map of %s was still loading tiles when pictured\n",
                     name);
    Settle(kMapPaintMs);
}

bool ScreenshotRun::Grab(const char* name) {
    const QString file = QDir(folder_).filePath(QString::fromLatin1(name) + ".png");
    if (window_.grab().save(file)) return true;
    std::fprintf(stderr, "vantrel: cannot write %s\n", file.toLocal8Bit().constData());
    return false;
}

// The Map page again at a large size, the map grown with the window.
bool ScreenshotRun::GrabLarge() {
    window_.ShowStatusSheet(false);
    window_.pgctlMain->setCurrentWidget(window_.sheetMap);
    window_.resize(kLargeSize);
    Settle(kPageSettleMs);
    window_.btnDrawMapClick();
    WaitForMap(*window_.webMap, "8-Map-large");
    return Grab("8-Map-large");
}

bool ScreenshotRun::GrabTabs() {
    const std::pair<QWidget*, const char*> sheets[] = {
        {window_.sheetMap, "1-Map"},     {window_.sheetData, "2-Data"},
        {window_.sheetPlan, "3-Plan"},   {window_.sheetPOI, "4-POI"},
        {window_.sheetTrack, "5-Track"}, {window_.sheetStatus, "6-Status"}};
    bool saved = true;
    for (const auto& [sheet, name] : sheets) {
        if (sheet == window_.sheetStatus) window_.ShowStatusSheet(true);
        window_.pgctlMain->setCurrentWidget(sheet);
        Settle(kTabSettleMs);
        if (auto* map = sheet->findChild<WebMapView*>()) WaitForMap(*map, name);
        saved = Grab(name) && saved;
    }
    return GrabLarge() && saved;
}

int ScreenshotRun::Run() {
    if (!QDir().mkpath(folder_)) {
        std::fprintf(stderr, "vantrel: cannot create %s\n", folder_.toLocal8Bit().constData());
        return 1;
    }
    const bool pages = WaitUntil(
        window_,
        [this] {
            return window_.webMap->Ready() && window_.webPlan->Ready() && window_.webPoi->Ready();
        },
        kPagesTimeoutMs);
    if (!pages) std::fprintf(stderr, "vantrel: the map pages did not finish loading\n");
    if (!Download(&DeviceLink::RequestTrackDownload, "track") ||
        !Download(&DeviceLink::RequestPlanDownload, "plan") ||
        !Download(&DeviceLink::RequestPoiDownload, "POI"))
        return 1;
    // The Status page shows the device's settings; a device that does not
    // answer them still gets its pictures.
    Await(&DeviceLink::RequestGuiderSettings, "guider settings", &LinkProgress::RepliesUnderstood);
    Await(&DeviceLink::RequestLoggerSettings, "logger settings", &LinkProgress::RepliesUnderstood);
    window_.gridTrackName->selectRow(0);
    window_.gridTrackNameClick(1);
    window_.btnDrawMapClick();
    window_.gridPoi->selectRow(0);
    window_.gridPoiClick(1);
    window_.gridPoiDblClick();
    window_.webPoi->CallPageFunction("fitPois");  // the POI picked among all the others
    Settle(kPageSettleMs);
    if (!GrabTabs()) return 1;
    std::printf("%s\n", QDir(folder_).absolutePath().toLocal8Bit().constData());
    return 0;
}

}  // namespace vantrel
