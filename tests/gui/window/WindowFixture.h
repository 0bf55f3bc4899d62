#pragma once
// A real window over a real core, with the simulated device on a pty: its
// data folder holds the program's language files and images and small test
// map pages that record what the window asks of them; messages, prompts,
// file and colour choices are answered by the test.

#include <gtest/gtest.h>

#include <QColor>
#include <QSignalSpy>
#include <functional>
#include <memory>

#include "app/DataDirectory.h"
#include "app/window/MainWindow.h"
#include "app/window/ScreenshotRun.h"
#include "app/window/web/WebMapView.h"
#include "sim/DemoImages.h"
#include "sim/Simulator.h"
#include "support/FixedLocator.h"
#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"

namespace vantrel::testing {

// A page with the functions the window's pages offer, each recording its
// call in `calls` and the last centre in centreLat/centreLng.
inline const char* kRecordingPage = R"(<html><body><script>
var calls = [], points = 0, centreLat = 0, centreLng = 0;
function GLatLng(a, b) { this.lat = a; this.lng = b; }
function GMarker(p) { this.p = p;
  this.openInfoWindowHtml = function (t) { calls.push('info:' + t); }; }
var map = { setCenter: function (p, z) { centreLat = p.lat; centreLng = p.lng; },
            addOverlay: function (m) { calls.push('overlay'); } };
function addPoints(a, b) { points++; }
function drawPoints(c) { calls.push('draw:' + c); }
function initialize() { calls.push('initialize'); }
function createMarker(p) { calls.push('marker'); }
function clearMarkers() { calls.push('clear'); }
function getMarkersNumber() { return 0; }
function getCurrentIndex() { return 0; }
function RestoreMaker() {}
function highLightMaker(i) {}
</script></body></html>)";

class WindowTest : public ::testing::Test {
  protected:
    static constexpr int kPageMs = 30000;
    static constexpr int kDownloadMs = 60000;

    WindowTest() {
        const auto source = ProgramDataDirectory();
        for (const char* file : {"language/ENGLISH.man", "language/GERMAN.man",
                                 "images/iconLogo.ico", "images/logostart.bmp"}) {
            std::filesystem::create_directories((data / file).parent_path());
            std::filesystem::copy_file(source / file, data / file);
        }
        for (const char* page : {"track.txt", "plan.txt", "poi.txt"})
            WriteFile(data / "map" / "pages" / page, kRecordingPage);
        options.dataDirectory = data.Path();
        options.settingsFile = config / "vantrel.ini";
        options.messages = &messages;
        options.prompt = [](std::string_view, std::string_view) { return PromptAnswer::Continue; };
        options.chooseColor = [this](const QColor&, QWidget*) { return chosenColor; };
        options.probes.readZone = [] { return ZoneBias{-480, false, 0}; };
        options.probes.hasInternet = [] { return true; };
        options.probes.userRadix = [] { return std::string("."); };
        options.showSplash = false;
        options.probeAtStart = false;
    }

    // The window with the simulated device as its device.
    TfmMain& Open() {
        sim_ = std::make_unique<sim::Simulator>(sim::DemoMemory(2, 300));
        sim_->Start();
        locator_ = std::make_unique<FixedLocator>(sim_->PortPath());
        return OpenWith(locator_.get());
    }

    TfmMain& OpenWith(DeviceLocator* locator) {
        options.locator = locator;
        window_ = std::make_unique<TfmMain>(options);
        return *window_;
    }

    // Waits (on the window's renders) until `done` holds.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs = kDownloadMs) {
        return ScreenshotRun::WaitUntil(*window_, done, timeoutMs);
    }

    bool PagesReady() {
        return WaitFor(
            [this] {
                return window_->webMap->Ready() && window_->webPlan->Ready() &&
                       window_->webPoi->Ready();
            },
            kPageMs);
    }

    // Presses a download button and waits for the download to end.
    bool Download(QAbstractButton* button) {
        const unsigned before = window_->Core().link().Progress().DownloadsFinished;
        button->click();
        return WaitFor(
            [&] { return window_->Core().link().Progress().DownloadsFinished > before; });
    }

    ScratchFolder data;
    ScratchFolder config;
    RecordingMessages messages;
    QColor chosenColor{0, 128, 255};
    WindowOptions options;

  private:
    std::unique_ptr<sim::Simulator> sim_;
    std::unique_ptr<FixedLocator> locator_;
    std::unique_ptr<TfmMain> window_;
};

}  // namespace vantrel::testing
