// TfmMain (MainWindow.h), continued: the window's place, page, units and
// zone, kept in the settings file from one run to the next.

#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

#include "app/WindowSettings.h"
#include "window/MainWindow.h"

namespace vantrel {

namespace {

// A place is taken again only where a screen still shows most of it; a
// window larger than the screen it lands on is made to fit.
std::optional<QRect> PlaceOnScreen(const WindowPlace& place) {
    const QRect wanted(place.x, place.y, place.width, place.height);
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->availableGeometry();
        const QRect shown = area.intersected(wanted);
        if (shown.width() * 2 < wanted.width() || shown.height() * 2 < wanted.height()) continue;
        return QRect(wanted.topLeft(), wanted.size().boundedTo(area.size()))
            .intersected(area.adjusted(0, 0, wanted.width(), wanted.height()));
    }
    return std::nullopt;
}

}  // namespace

void TfmMain::RestoreWindowState() {
    const WindowState state = ReadWindowState(settings_);
    if (auto place = state.place ? PlaceOnScreen(*state.place) : std::nullopt)
        setGeometry(*place);
    if (state.maximized) setWindowState(windowState() | Qt::WindowMaximized);
    if (auto* page = pgctlMain->findChild<QWidget*>(QString::fromStdString(state.page));
        page != nullptr && pgctlMain->indexOf(page) >= 0 &&
        pgctlMain->isTabVisible(pgctlMain->indexOf(page)))
        pgctlMain->setCurrentWidget(page);
    if (state.imperial) rbImperial->setChecked(true);
    if (state.zone) comboTimeZoneChange(QString::fromStdString(ZoneText(*state.zone)));
}

void TfmMain::SaveWindowState() {
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    WindowState state;
    state.place = WindowPlace{normal.x(), normal.y(), normal.width(), normal.height()};
    state.maximized = isMaximized();
    state.page = pgctlMain->currentWidget()->objectName().toStdString();
    state.imperial = rbImperial->isChecked();
    WriteWindowState(settings_, state);
}

}  // namespace vantrel
