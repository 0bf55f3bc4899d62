#pragma once
// A real window over a real core, with the simulated device on a pty: its
// data folder holds the program's language files and images and small test
// map pages that record what the window asks of them; messages, prompts,
// file and colour choices are answered by the test.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QColor>
#include <QSignalSpy>
#include <deque>
#include <functional>
#include <memory>

#include <QJsonDocument>
#include <QJsonObject>
#include "base/DataDirectory.h"
#include "sim/DemoImages.h"
#include "sim/Simulator.h"
#include "window/MainWindow.h"
#include "window/ScreenshotRun.h"
#include "window/web/WebMapView.h"

#include "support/FixedLocator.h"
#include "support/RecordingMessages.h"
#include "support/ScratchFolder.h"

namespace vantrel::testing {

// What a map page shows, as its own vantrelPageState() reports it.
inline QJsonObject PageState(WebMapView& view) {
    const QVariant state = view.Evaluate(QStringLiteral("vantrelPageState()"));
    return QJsonDocument::fromJson(state.toString().toUtf8()).object();
}

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
        std::filesystem::create_directories(data / "map");
        std::filesystem::copy(source / "map" / "pages", data / "map" / "pages",
                              std::filesystem::copy_options::recursive);
        std::filesystem::create_directory_symlink(source / "map" / "world", data / "map" / "world");
        options.dataDirectory = data.Path();
        options.tileCacheFile = config / "tiles.mbtiles";
        options.settingsFile = config / "vantrel.ini";
        options.messages = &messages;
        options.prompt = [](std::string_view, std::string_view) { return PromptAnswer::Continue; };
        options.chooseColor = [this](const QColor&, QWidget*) { return chosenColor; };
        options.chooseFile = [this](const FileDialogRequest& request, QWidget*) {
            fileRequests.push_back(request);
            if (fileAnswers.empty()) return FileChoice{};
            FileChoice answer = fileAnswers.front();
            fileAnswers.pop_front();
            return answer;
        };
        options.question = [this](std::string_view text, std::string_view) {
            questions.emplace_back(text);
            if (questionAnswers.empty()) return QuestionAnswer::Cancel;
            const QuestionAnswer answer = questionAnswers.front();
            questionAnswers.pop_front();
            return answer;
        };
        options.probes.readZone = [] { return ZoneBias{-480, false, 0}; };
        options.probes.hasInternet = [] { return true; };
        options.probes.userRadix = [] { return std::string("."); };
        options.showSplash = false;
        options.probeAtStart = false;
    }

    // The window with the simulated device as its device.
    TfmMain& Open(sim::LineOptions line = {}, sim::DeviceMemory memory = sim::DemoMemory(2, 300)) {
        sim_ = std::make_unique<sim::Simulator>(std::move(memory), sim::SimulatorOptions{line});
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

    // Closes the window, as at the program's end.
    void Close() { window_.reset(); }

    bool PagesReady() {
        return WaitFor(
            [this] {
                return window_->webMap->Ready() && window_->webPlan->Ready() &&
                       window_->webPoi->Ready();
            },
            kPageMs);
    }

    sim::Simulator& Device() { return *sim_; }

    // Presses an upload button and waits for the upload to end.
    bool Upload(QAbstractButton* button) {
        const unsigned before = window_->Core().link().Progress().UploadsFinished;
        button->click();
        return WaitFor([&] { return window_->Core().link().Progress().UploadsFinished > before; });
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
    // The file dialogs answer these in turn (cancelled once none is left)
    // and keep what they were asked.
    std::deque<FileChoice> fileAnswers;
    std::vector<FileDialogRequest> fileRequests;
    // The questions: answered in turn (Cancel once none is left) and kept.
    std::deque<QuestionAnswer> questionAnswers;
    std::vector<std::string> questions;
    QColor chosenColor{0, 128, 255};
    WindowOptions options;

  private:
    std::unique_ptr<sim::Simulator> sim_;
    std::unique_ptr<FixedLocator> locator_;
    std::unique_ptr<TfmMain> window_;
};

}  // namespace vantrel::testing
