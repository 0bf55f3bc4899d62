// TfmMain (MainWindow.h), continued: the menu bar and the keys. The File,
// Edit and Device menus work on the list of the page shown (the Track
// page's from the pages without a list); every item has a mnemonic, and
// the common ones their keys.

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QTabWidget>

#include "base/AppValues.h"
#include "window/MainWindow.h"
#include "window/photos/PhotosPage.h"

namespace vantrel {

namespace {

// The next (or, with `step` -1, the previous) page whose tab shows.
int NextVisibleTab(const QTabWidget* tabs, int step) {
    const int count = tabs->count();
    int index = tabs->currentIndex();
    for (int tried = 0; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (tabs->isTabVisible(index)) return index;
    }
    return tabs->currentIndex();
}

}  // namespace

QAction* TfmMain::AddAction(QMenu* menu, const QString& text, const QKeySequence& keys,
                            const std::function<void()>& handler) {
    QAction* action = menu->addAction(text);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TfmMain::BuildMenuBar() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    actOpen = AddAction(file, tr("&Open..."), QKeySequence::Open,
                        [this] { OpenListFile(CurrentList()); });
    actSave = AddAction(file, tr("&Save..."), QKeySequence::Save,
                        [this] { SaveListFile(CurrentList()); });
    file->addSeparator();
    actQuit = AddAction(file, tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { close(); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    BuildEditMenus(edit);
    actModify = AddAction(edit, tr("&Modify..."), Qt::Key_F2, [this] { ModifyCurrent(); });
    actDelete = AddAction(edit, tr("&Delete"), QKeySequence::Delete, [this] { DeleteCurrent(); });
    actClearAll = AddAction(edit, tr("Clear &All"), {}, [this] { ClearCurrent(); });

    QMenu* device = menuBar()->addMenu(tr("&Device"));
    actDownload = AddAction(device, tr("&Download"), Qt::Key_F5,
                            [this] { DeviceRequest(DownloadOf(CurrentList())); });
    actUpload = AddAction(device, tr("&Upload"), QKeySequence(Qt::CTRL | Qt::Key_U),
                          [this] { DeviceRequest(UploadOf(CurrentList())); });
    actCancelTransfer =
        AddAction(device, tr("&Cancel Transfer"), Qt::Key_Escape, [this] { CancelTransfer(); });
    device->addSeparator();
    actChoosePort = AddAction(device, tr("Serial &Port..."), {}, [this] { ChoosePort(); });
    AddAction(device, tr("&Find the Vantrel"), {}, [this] { btnAutoFindClick(); });

    QMenu* view = menuBar()->addMenu(tr("&View"));
    AddAction(view, tr("D&raw the Selected Tracks"), QKeySequence(Qt::CTRL | Qt::Key_D),
              [this] { btnDrawMapClick(); });
    actStatusPage = AddAction(view, tr("&Status Page"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                              [this] {
                                  ShowStatusSheet(
                                      !pgctlMain->isTabVisible(pgctlMain->indexOf(sheetStatus)));
                              });
    actStatusPage->setCheckable(true);
    view->addMenu(menuMaps);

    menuTools->setTitle(tr("&Tools"));
    menuBar()->addMenu(menuTools);
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    AddAction(help, tr("&About Vantrel"), {}, [this] {
        QMessageBox::about(this, tr("About Vantrel"),
                           tr("Vantrel %1\n\nThe desktop companion of the Vantrel GPS guider "
                              "and track logger.")
                               .arg(QString::fromLatin1(VersionText)));
    });

    // Ctrl+Tab and Ctrl+Shift+Tab (and Ctrl+PgDown and Ctrl+PgUp) step
    // through the pages from anywhere, the map pages included.
    const std::pair<QKeySequence, int> steps[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
        {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this, [this, s = step] {
            pgctlMain->setCurrentIndex(NextVisibleTab(pgctlMain, s));
        });
    }
}

TfmMain::DeviceTransfer TfmMain::DownloadOf(ListKind kind) const {
    switch (kind) {
        case ListKind::Plan:
            return {&DeviceLink::RequestPlanDownload, ListKind::Plan, DeviceTransfer::In};
        case ListKind::Poi:
            return {&DeviceLink::RequestPoiDownload, ListKind::Poi, DeviceTransfer::In};
        case ListKind::Track: break;
    }
    return {&DeviceLink::RequestTrackDownload, ListKind::Track, DeviceTransfer::In};
}

TfmMain::DeviceTransfer TfmMain::UploadOf(ListKind kind) const {
    if (kind == ListKind::Poi)
        return {&DeviceLink::UploadPoiList, ListKind::Poi, DeviceTransfer::Out};
    return {&DeviceLink::UploadPlan, ListKind::Plan, DeviceTransfer::Out};
}

void TfmMain::ModifyCurrent() {
    if (CurrentList() == ListKind::Plan) return Modify2Click();
    if (CurrentList() == ListKind::Track) Modify1Click();
}

void TfmMain::DeleteCurrent() {
    switch (CurrentList()) {
        case ListKind::Track: return menuDeleteClick();
        case ListKind::Plan: return Delete1Click();
        case ListKind::Poi: return menuDeletePoiClick();
    }
}

void TfmMain::ClearCurrent() {
    switch (CurrentList()) {
        case ListKind::Track: return ClearAll1Click();
        case ListKind::Plan: return menuClearClick();
        case ListKind::Poi: return menuClearAllClick();
    }
}

void TfmMain::ChoosePort() {
    const auto port = dlgChoosePort->Run(portLocator_.Chosen());
    if (!port) return;
    portLocator_.Choose(*port);
    settings_.WriteString("port", *port);
    Handle([this] { core_->link().FindDevicePort(); });
}

// The menus offer what the page shown can do now.
void TfmMain::RenderMenus() {
    const ListKind list = CurrentList();
    const TransferButtons buttons = core_->Buttons();
    const bool hasList = pgctlMain->currentWidget() != static_cast<QWidget*>(sheetPhotos);
    actSave->setEnabled(hasList && core_->CanSave(list));
    actDownload->setEnabled(list == ListKind::Track   ? buttons.downloadTracks
                            : list == ListKind::Plan ? buttons.downloadPlan
                                                     : buttons.downloadPoi);
    actUpload->setEnabled(list == ListKind::Plan  ? buttons.uploadPlan
                          : list == ListKind::Poi ? buttons.uploadPoi
                                                  : false);
    actCancelTransfer->setEnabled(core_->link().TransferRunning());
    actModify->setEnabled(list != ListKind::Poi);
    RenderEdits();
    actStatusPage->setChecked(pgctlMain->isTabVisible(pgctlMain->indexOf(sheetStatus)));
}

}  // namespace vantrel
