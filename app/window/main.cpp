// vantrel: the desktop window. Options:
//   --port P           the device's port (else VANTREL_PORT, else the system's lookup)
//   --no-splash        no splash at start
//   --screenshots DIR  a headless tour: download from the device, draw the
//                      first track, save a picture of every tab into DIR
//   --status           show the Status tab

#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/InstanceLock.h"
#include "app/StderrMessages.h"
#include "app/window/MainWindow.h"
#include "app/window/ScreenshotRun.h"
#include "app/window/UiFont.h"
#include "device/DeviceLocator.h"

namespace {

struct CommandLine {
    std::string port;
    std::string screenshots;
    bool splash = true;
    bool status = false;
};

std::optional<CommandLine> ParseCommandLine(const QStringList& args) {
    CommandLine line;
    for (int i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--port") && hasValue) {
            line.port = args[++i].toStdString();
        } else if (arg == QLatin1String("--screenshots") && hasValue) {
            line.screenshots = args[++i].toStdString();
        } else if (arg == QLatin1String("--no-splash")) {
            line.splash = false;
        } else if (arg == QLatin1String("--status")) {
            line.status = true;
        } else {
            std::fprintf(stderr,
                         "usage: vantrel [--port P] [--no-splash] [--screenshots DIR] "
                         "[--status]\n");
            return std::nullopt;
        }
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    // The web engine's sandbox cannot run as root.
    if (getuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    vantrel::InstanceLock lock(vantrel::DefaultInstanceLockPath());
    if (!lock.MayRun()) return 0;  // another copy runs: end silently

    // The web engine shares its rendering context with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QApplication::setFont(vantrel::UiFont());
    QApplication::setApplicationName(
        QString::fromLatin1(vantrel::kApplicationTitle.data(), vantrel::kApplicationTitle.size()));
    const auto line = ParseCommandLine(QApplication::arguments());
    if (!line) return 2;

    const bool tour = !line->screenshots.empty();
    vantrel::GivenPortLocator given(line->port);
    vantrel::StderrMessages stderrMessages("vantrel");
    vantrel::WindowOptions options;
    if (!line->port.empty()) options.locator = &given;
    options.showSplash = line->splash && !tour;
    if (tour) {
        // Nobody watches a tour: messages go to standard error and the
        // start-up checks go on.
        options.messages = &stderrMessages;
        options.probeAtStart = false;
        options.prompt = [&](std::string_view text, std::string_view caption) {
            stderrMessages.ShowMessage(text, caption);
            return vantrel::PromptAnswer::Continue;
        };
    }
    vantrel::TfmMain window(options);
    if (line->status) window.ShowStatusSheet(true);
    window.show();
    if (!tour) return QApplication::exec();

    vantrel::ScreenshotRun run(window, QString::fromStdString(line->screenshots));
    QTimer::singleShot(0, &window, [&] { QApplication::exit(run.Run()); });
    return QApplication::exec();
}
