#pragma once
// A web view showing one map page, reached by the core through MapPage.
//
// Script calls run on the page's main world; calls that return a value wait
// for the answer in a local event loop bounded by kCallTimeoutMs, so a page
// that hangs costs the window at most that long and answers 0.

#include <QString>
#include <QWebEngineView>

#include "map/MapPage.h"

namespace vantrel {

class WebMapView : public QWebEngineView, public MapPage {
    Q_OBJECT
  public:
    static constexpr int kCallTimeoutMs = 2000;

    explicit WebMapView(QWidget* parent = nullptr);

    // Shows the text as the view's document; documentComplete() follows when
    // the page has loaded (an empty text loads an empty document).
    void LoadPageText(const QString& text);
    // The view's ready flag: set once its document has completed.
    bool Ready() const { return ready_; }

    void RunPageScript(std::string_view scriptText) override;
    void CallPageFunction(std::string_view name) override;
    double CallPageFunctionResult(std::string_view name) override;
    double CallPageFunctionResult(std::string_view name, std::int16_t marker) override;
    void CallPageFunction(std::string_view name, std::int32_t marker) override;
    void addPoints(double latitude, double longitude) override;
    void drawPoints(std::string_view colourText) override;
    void initialize() override;

    // Runs script text and waits (bounded) for its value as a number; 0 when
    // the page gives no number in time.
    double EvaluateNumber(const QString& script);

  signals:
    void documentComplete();
    // A click or mouse-down on the page body (the plan page reads its
    // markers back on each).
    void bodyClicked();

  private:
    bool ready_ = false;
};

}  // namespace vantrel
