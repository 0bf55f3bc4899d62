#pragma once
// A web view showing one map page, reached by the core through MapPage.
//
// Script calls run in the page's main world; calls that return a value wait
// for the answer in a local event loop bounded by kCallTimeoutMs (user input
// is held back meanwhile), so a page that hangs costs the window at most that
// long and gives no answer, which callers take as a failure. Page events are
// passed on from the window's event loop and never from inside such a wait.
//
// Such a wait must not be started from a posted event (a queued connection,
// QTimer::singleShot(0), QMetaObject::invokeMethod queued): the web engine's
// own work is posted too and does not run nested there, so the answer would
// come only after the timeout. Button handlers and timers are fine.
//
// Every click and mouse-down on the page, and every "vantrel-changed" event
// the page fires on its document (the plan page does when a marker drag
// ends), emits bodyClicked(). A script injected into an isolated world
// reports them through a web channel, so the page's own script can neither
// see nor replace the hook.

#include <QString>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <filesystem>
#include <optional>

#include "locale/CodePage.h"
#include "map/BaseLayer.h"
#include "map/MapPage.h"

namespace vantrel {

class PageEvents;

class WebMapView : public QWebEngineView, public MapPage {
    Q_OBJECT
  public:
    static constexpr int kCallTimeoutMs = 2000;

    // A view whose page lives in `profile` (nullptr: the default profile,
    // where the program's tile scheme is served).
    explicit WebMapView(QWidget* parent = nullptr, QWebEngineProfile* profile = nullptr);

    // Shows the text as the view's document; documentComplete() follows when
    // the page has loaded (an empty text loads an empty document). Relative
    // references resolve against `baseUrl`, by default the program's map page
    // folder (where the pages' shared script lives); pages may load file://
    // content.
    void LoadPageText(const QString& text, const QUrl& baseUrl = QUrl());
    // Reads a page file (decoded from `codePage`) and shows it with its own
    // folder as base. False, with nothing loaded, when the file cannot be
    // read: the caller tells the user kPageFileMissingText.
    bool LoadPageFile(const std::filesystem::path& file, const CodePage& codePage = CodePage());
    // The view's ready flag: set once its document has completed.
    bool Ready() const { return ready_; }

    void RunPageScript(std::string_view scriptText) override;
    void CallPageFunction(std::string_view name) override;
    std::optional<double> CallPageFunctionResult(std::string_view name) override;
    std::optional<double> CallPageFunctionResult(std::string_view name,
                                                 std::int16_t marker) override;
    void CallPageFunction(std::string_view name, std::int32_t marker) override;
    void addPoints(double latitude, double longitude) override;
    // All the points in one script that calls addPoints once per point.
    void addPointsBatch(std::span<const MapPoint> points) override;
    void drawPoints(std::string_view colourText) override;
    void initialize() override;

    // Runs script text and waits (bounded) for its value; an invalid
    // QVariant when the page gives none in time.
    QVariant Evaluate(const QString& script);
    // Evaluate read as a number; nullopt when the page gave none in time.
    std::optional<double> PageNumber(const QString& script);
    // PageNumber, 0 when there is none.
    double EvaluateNumber(const QString& script) { return PageNumber(script).value_or(0); }
    // The page's vantrelPageState() (a JSON text of what it shows), or empty
    // text for a page without it.
    QString PageState();

    // The picture layer the page shows over its world layer: given to every
    // page loaded from now on as it starts, and to the page shown now.
    void SetBaseLayer(const BaseLayer& layer);
    // True once the page has drawn what its view shows (its world layer, and
    // every tile loaded or failed); a page without a map counts as drawn.
    bool Settled();

  signals:
    void documentComplete();
    // A click or mouse-down on the page body (the plan page reads its
    // markers back on each).
    void bodyClicked();

  private:
    void InstallBodyHook();
    void OnPageEvent();
    void ScheduleHeldEvents();
    void DeliverHeldEvents();

    PageEvents* events_;
    QTimer* delivery_;  // passes held page events on
    bool ready_ = false;
    int waits_ = 0;       // nested bounded waits in progress
    int heldEvents_ = 0;  // page events not yet passed on
};

}  // namespace vantrel
