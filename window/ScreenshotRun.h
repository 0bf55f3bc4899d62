#pragma once
// The screenshot tour of the window, for headless runs: waits for the map
// pages, downloads the tracks, the plan and the POIs from the device, shows
// the first track and draws the selected ones, then saves a picture of
// every tab, each map once its tiles have loaded or failed, and one of the
// Map page at a large size.

#include <QString>
#include <functional>

#include "window/MainWindow.h"

namespace vantrel {

class WebMapView;

class ScreenshotRun {
  public:
    ScreenshotRun(TfmMain& window, QString folder) : window_(window), folder_(std::move(folder)) {}

    // The process exit code: 0 when every picture was saved, 1 when a
    // download or a picture failed (the reason is on standard error).
    int Run();

    // Runs the window's event loop until `done` holds after a render, or
    // `timeoutMs` passed; false on timeout.
    static bool WaitUntil(TfmMain& window, const std::function<bool()>& done, int timeoutMs);
    // Lets the event loop run for `ms` (pages draw asynchronously).
    static void Settle(int ms);

  private:
    // Sends a request and waits until the link's `counter` moves on.
    bool Await(RequestResult (DeviceLink::*request)(), const char* what,
               unsigned LinkProgress::*counter);
    bool Download(RequestResult (DeviceLink::*request)(), const char* what);
    bool GrabTabs();
    bool GrabLarge();
    // Saves the window's picture as NAME.png in the folder.
    bool Grab(const char* name);
    // Waits (bounded) until the map shows every tile it needs, loaded or
    // failed, so the picture shows what a user sees.
    void WaitForMap(WebMapView& map, const char* name);

    TfmMain& window_;
    QString folder_;
};

}  // namespace vantrel
