// The window by keyboard: the menus' keys, page steps, Delete and Tab.

#include <QMenuBar>
#include <QTableView>
#include <QTest>

#include "tests/gui/window/WindowFixture.h"
#include "window/photos/PhotosPage.h"

namespace vantrel::testing {
namespace {

TEST_F(WindowTest, TheKeysReachTheirCommands) {
    TfmMain& window = Open();
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.pgctlMain->setCurrentWidget(window.sheetTrack);
    QWidget* focus = window.gridTrackName;
    focus->setFocus();
    auto key = [&](QKeyCombination keys) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : focus,
                        keys.key(), keys.keyboardModifiers());
    };

    // F5 downloads on the page shown.
    const unsigned before = window.Core().link().Progress().DownloadsFinished;
    key(QKeyCombination(Qt::Key_F5));
    ASSERT_TRUE(WaitFor([&] { return window.Core().link().Progress().DownloadsFinished > before; }));
    ASSERT_EQ(window.Core().tracks.List().size(), 2u);

    // Arrow keys move the highlight inside the grid, and the shown track with it.
    window.gridTrackName->setFocus();
    key(QKeyCombination(Qt::Key_Down));
    EXPECT_EQ(window.Core().tracks.ShownIndex(), 1);
    // Delete removes the highlighted track; Tab leaves the grid for the next control.
    questionAnswers = {QuestionAnswer::No};
    key(QKeyCombination(Qt::Key_Delete));
    EXPECT_EQ(window.Core().tracks.List().size(), 1u);
    // Ctrl+Z brings it back, Ctrl+Shift+Z deletes it again.
    key(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(window.Core().tracks.List().size(), 2u);
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    EXPECT_EQ(window.Core().tracks.List().size(), 1u);
    key(QKeyCombination(Qt::Key_Tab));
    EXPECT_NE(QApplication::focusWidget(), window.gridTrackName);

    // Ctrl+S and Ctrl+O ask for a file of the page's list.
    key(Qt::CTRL | Qt::Key_S);
    key(Qt::CTRL | Qt::Key_O);
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_TRUE(fileRequests[0].save);
    EXPECT_FALSE(fileRequests[1].save);
    EXPECT_EQ(fileRequests[1].filters.front().format, FileFormat::Trk);

    // Ctrl+Tab steps through the pages shown, past the hidden Status page.
    key(Qt::CTRL | Qt::Key_Tab);
    EXPECT_EQ(window.pgctlMain->currentWidget(), static_cast<QWidget*>(window.sheetPhotos));
    key(Qt::CTRL | Qt::Key_Tab);
    EXPECT_EQ(window.pgctlMain->currentWidget(), window.sheetMap);
    key(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab);
    EXPECT_EQ(window.pgctlMain->currentWidget(), static_cast<QWidget*>(window.sheetPhotos));

    // Every menu has a mnemonic; Ctrl+Q closes the window (the deleted
    // track is a change: No leaves it unsaved).
    for (QAction* menu : window.menuBar()->actions())
        EXPECT_TRUE(menu->text().contains(QLatin1Char('&'))) << menu->text().toStdString();
    questionAnswers = {QuestionAnswer::No};
    questions.clear();
    key(Qt::CTRL | Qt::Key_Q);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace vantrel::testing
