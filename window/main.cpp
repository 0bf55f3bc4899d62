// vantrel: the desktop window. Its options are in kUsage below.

#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/InstanceLock.h"
#include "app/StderrMessages.h"
#include "base/AppValues.h"
#include "device/DeviceLocator.h"
#include "window/InstanceChannel.h"
#include "window/MainWindow.h"
#include "window/ScreenshotRun.h"
#include "window/UiFont.h"
#include "window/web/TileScheme.h"

namespace {

constexpr const char* kUsage =
    "usage: vantrel [--port P] [--no-splash] [--screenshots DIR] [--status] [FILE...]\n"
    "       vantrel --help | --version\n";

constexpr const char* kOptions =
    "The desktop companion of the Vantrel GPS guider and track logger.\n\n"
    "  --port P           the device's port (else $VANTREL_PORT, else the first\n"
    "                     cp210x port)\n"
    "  --no-splash        no splash picture at start\n"
    "  --screenshots DIR  a headless tour: download from the device, draw the first\n"
    "                     track, save a picture of every tab into DIR\n"
    "  --status           show the Status tab (also Ctrl+Shift+S)\n"
    "  FILE...            track, plan and POI files to open, each on its page; with\n"
    "                     the program already running, they open in its window\n"
    "  --help             show this help\n"
    "  --version          show the program's version\n";

// Answers --help and --version before anything else starts (no display, no
// single-instance check); nothing when neither is asked for.
std::optional<int> AnswerInformationOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("%s\n%s", kUsage, kOptions);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("vantrel %s\n", vantrel::VersionText);
            return 0;
        }
    }
    return std::nullopt;
}

struct CommandLine {
    std::string port;
    std::string screenshots;
    bool splash = true;
    bool status = false;
    QStringList files;
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
        } else if (!arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            line.files << arg;
        } else {
            std::fprintf(stderr, "vantrel: unknown argument '%s'\n%s", qPrintable(arg), kUsage);
            return std::nullopt;
        }
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto answered = AnswerInformationOption(argc, argv)) return *answered;
    // The web engine's sandbox cannot run as root.
    if (getuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    const std::filesystem::path lockFile = vantrel::DefaultInstanceLockPath();
    const QString socket = vantrel::InstanceSocketPath(lockFile);
    vantrel::InstanceLock lock(lockFile);
    if (!lock.MayRun()) {
        // Another copy runs: it is given the files and raises its window.
        QCoreApplication application(argc, argv);
        const auto line = ParseCommandLine(QCoreApplication::arguments());
        if (!line) return 2;
        vantrel::InstanceChannel::HandOver(socket, line->files);
        return 0;
    }

    // The web engine shares its rendering context with the widgets, and
    // knows the program's tile scheme before it starts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    vantrel::RegisterTileScheme();
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
    if (!tour) {
        vantrel::InstanceChannel channel(socket);
        QObject::connect(&channel, &vantrel::InstanceChannel::handed, &window,
                         [&window](const QStringList& files) {
                             window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
                             window.raise();
                             window.activateWindow();
                             window.OpenFiles(files);
                         });
        if (!line->files.isEmpty())
            QTimer::singleShot(1, &window, [&window, &line] { window.OpenFiles(line->files); });
        return QApplication::exec();
    }

    vantrel::ScreenshotRun run(window, QString::fromStdString(line->screenshots));
    QTimer::singleShot(0, &window, [&] { QApplication::exit(run.Run()); });
    return QApplication::exec();
}
