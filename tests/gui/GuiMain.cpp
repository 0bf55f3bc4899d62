// The window tests' main: Qt runs headless (offscreen) unless a display is
// asked for, and the web engine runs without its sandbox, which needs user
// namespaces that a root test run or a container does not have. The
// program's tile scheme is known to the engine as in the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "window/web/TileScheme.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
    setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 0);
    // No test reaches a tile server it did not start: the window's online
    // tiles come from a port of this machine where nothing listens.
    setenv("VANTREL_TILE_URL", "http://127.0.0.1:1/{z}/{x}/{y}.png", 0);
    testing::InitGoogleTest(&argc, argv);
    vantrel::RegisterTileScheme();
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
