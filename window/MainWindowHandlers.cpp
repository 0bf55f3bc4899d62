// TfmMain (MainWindow.h), continued: the handlers. Each calls the core, then
// Render() shows the result.

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <filesystem>

#include "app/WindowSettings.h"
#include "tracks/CalcSelfTest.h"
#include "tracks/TrackText.h"
#include "window/MainWindow.h"
#include "window/CellTableModel.h"
#include "window/CoreTexts.h"
#include "window/chart/ProfileChart.h"
#include "window/photos/PhotosPage.h"
#include "window/web/WebMapView.h"

namespace vantrel {

void TfmMain::Handle(const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& error) {
        messages_.ShowMessage(error.what(), "Error");
    }
    Render();
}

void TfmMain::ConnectHandlers() {
    using Transfer = DeviceTransfer;
    const std::pair<QToolButton*, DeviceTransfer> requests[] = {
        {btnDownloadFrGuider, {&DeviceLink::RequestTrackDownload, ListKind::Track, Transfer::In}},
        {btnLoadPlan, {&DeviceLink::RequestPlanDownload, ListKind::Plan, Transfer::In}},
        {btnStorePlan, {&DeviceLink::UploadPlan, ListKind::Plan, Transfer::Out}},
        {btnLoadPOI, {&DeviceLink::RequestPoiDownload, ListKind::Poi, Transfer::In}},
        {btnStorePoi, {&DeviceLink::UploadPoiList, ListKind::Poi, Transfer::Out}},
        {btnDownloadGuider, {&DeviceLink::RequestGuiderSettings}},
        {btnLogger, {&DeviceLink::RequestLoggerSettings}},
        {btnLoadTrack,
         {&DeviceLink::RequestTrackDownloadQuietly, ListKind::Track, Transfer::In}},
        {btnLoadData, {&DeviceLink::RequestLoggerData}}};
    for (const auto& [button, request] : requests)
        connect(button, &QToolButton::clicked, this, [this, r = request] { DeviceRequest(r); });
    const std::pair<QPushButton*, void (TfmMain::*)()> buttons[] = {
        {btnDrawMap, &TfmMain::btnDrawMapClick},
        {btnTestMarker, &TfmMain::btnTestMarkerClick},
        {btnTestCalc, &TfmMain::btnTestCalcClick},
        {btnOpenTrackFile, &TfmMain::btnOpenTrackFileClick},
        {btnSaveTrackFile, &TfmMain::btnSaveTrackFileClick},
        {btnOpenPlan, &TfmMain::btnOpenPlanClick},
        {btnSavePlan, &TfmMain::btnSavePlanClick},
        {btnOpenPoi, &TfmMain::btnOpenPoiClick},
        {btnSavePoi, &TfmMain::btnSavePoiClick},
        {btnAutoFind, &TfmMain::btnAutoFindClick},
        {btnTrim, &TfmMain::TrimClick},
        {btnDeletePoints, &TfmMain::DeletePointsClick},
        {btnSplit, &TfmMain::SplitClick},
        {btnMerge, &TfmMain::MergeClick},
        {btnDropOutliers, &TfmMain::DropOutliersClick}};
    for (const auto& [button, handler] : buttons)
        connect(button, &QPushButton::clicked, this, [this, h = handler] { (this->*h)(); });
    connect(rbPathAltitude, &QRadioButton::clicked, this, &TfmMain::rbPathAltitudeClick);
    connect(rbPathSpeed, &QRadioButton::clicked, this, &TfmMain::rbPathSpeedClick);
    ConnectProfile();
    for (QRadioButton* units : {rbMetric, rbImperial})
        connect(units, &QRadioButton::toggled, this, [this] { Render(); });
    connect(pgctlMain, &QTabWidget::currentChanged, this, [this] {
        if (pgctlMain->currentWidget() == sheetData) sheetDataShow();
        if (pgctlMain->currentWidget() == static_cast<QWidget*>(sheetPhotos)) RenderPhotoTracks();
    });
    connect(comboLang, &QComboBox::textActivated, this, &TfmMain::comboLangChange);
    for (QComboBox* zone : {comboTimeZone, comboTimeZoneTrk}) {
        connect(zone, &QComboBox::textActivated, this, &TfmMain::comboTimeZoneChange);
        connect(zone->lineEdit(), &QLineEdit::editingFinished, this,
                [this, zone] { comboTimeZoneChange(zone->currentText()); });
    }
    // A port typed on the Status page is chosen as in the Serial Port dialog.
    connect(comboPort->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const std::string port = comboPort->currentText().trimmed().toStdString();
        if (port.empty() || port == core_->link().Variables().DevicePortName) return;
        portLocator_.Choose(port);
        settings_.WriteString("port", port);
    });
    ConnectPageHandlers();
    ConnectGridHandlers();
}

void TfmMain::ConnectGridHandlers() {
    auto rowOf = [](const QModelIndex& index) { return CellTableModel::GridRow(index.row()); };
    // The row highlighted, by mouse or keyboard, is the one shown.
    const std::pair<QTableView*, void (TfmMain::*)(int)> follow[] = {
        {gridTrackName, &TfmMain::gridTrackNameClick},
        {gridPlan, &TfmMain::gridPlanClick},
        {gridPoi, &TfmMain::gridPoiClick}};
    for (const auto& [view, handler] : follow)
        connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, rowOf, h = handler](const QModelIndex& i) {
                    if (i.isValid() && !syncingRows_) (this->*h)(rowOf(i));
                });
    connect(gridTrackName, &QTableView::clicked, this, [this, rowOf](const QModelIndex& i) {
        if (i.column() == static_cast<int>(ListColumn::Select))
            Handle([this, row = rowOf(i)] { core_->tracks.ToggleSelected(row); });
    });
    connect(gridPlan, &QTableView::doubleClicked, this, [this] { gridPlanDblClick(); });
    connect(gridPoi, &QTableView::doubleClicked, this, [this] { gridPoiDblClick(); });
    // A right click selects the row under the pointer, then opens the menu.
    const std::pair<QTableView*, QMenu*> menus[] = {
        {gridTrackName, menuTrack}, {gridPlan, menuPlan}, {gridPoi, menuPOI}};
    for (const auto& [view, menu] : menus) {
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view = view, menu = menu](const QPoint& at) {
                    // A row already selected keeps the selection (the tracks to merge).
                    const QModelIndex index = view->indexAt(at);
                    QItemSelectionModel* selection = view->selectionModel();
                    if (index.isValid() && selection->isSelected(index))
                        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
                    else if (index.isValid())
                        view->setCurrentIndex(index);
                    const int row = SelectedGridRow(view);
                    if (view == gridPlan && IsEntryRow(row)) core_->plans.Row = row;
                    if (view == gridPoi) core_->pois.Select(row);
                    menu->popup(view->viewport()->mapToGlobal(at));
                });
    }
    ConnectEditHandlers();
}

int TfmMain::SelectedGridRow(const QTableView* view) const {
    const QModelIndex index = view->currentIndex();
    return index.isValid() ? CellTableModel::GridRow(index.row()) : 0;
}

void TfmMain::DeviceRequest(const DeviceTransfer& transfer) {
    if (transfer.direction == DeviceTransfer::In &&
        !MayReplace(transfer.list, tr("a new download")))
        return;
    if (transfer.direction == DeviceTransfer::Out && core_->UploadIsEmpty(transfer.list) &&
        !MaySendEmpty(transfer.list))
        return;
    Handle([this, &transfer] {
        const RequestResult sent = (core_->link().*transfer.request)();
        if (sent == RequestResult::Sent && transfer.direction == DeviceTransfer::Out)
            upload_ = {transfer.list, core_->link().Progress().UploadsFinished};
    });
}

bool TfmMain::MaySendEmpty(ListKind kind) {
    const QString text =
        kind == ListKind::Plan
            ? tr("The plan list is empty. Uploading it erases the route plan stored on the "
                 "Vantrel.\n\nUpload the empty plan?")
            : tr("The POI list is empty. Uploading it erases every POI stored on the "
                 "Vantrel.\n\nUpload the empty list?");
    return Ask(text.toStdString(), tr("Upload").toStdString(), QuestionButtons::YesNo) ==
           QuestionAnswer::Yes;
}

// An upload the device confirmed leaves its list with nothing unsaved.
void TfmMain::RenderUpload() {
    if (!upload_ || core_->link().TransferRunning()) return;
    if (core_->link().Progress().UploadsFinished > upload_->finishedBefore)
        core_->Sent(upload_->list);
    upload_.reset();
}

// --- Track page ---

void TfmMain::RenderChart() {
    const TrackStore& tracks = core_->tracks;
    const ProfileOptions options{
        rbPathSpeed->isChecked() ? ProfileKind::Speed : ProfileKind::Altitude, units_,
        profileView->Axis(), core_->values.LocalZoneOffset, tracks.Heights()};
    const ChartShown now{tracks.Revision(), options, profileView->EverySelected()};
    if (chartShown_ == now) return;
    chartShown_ = now;
    profileView->Show(ChartTracks(), options, core_->values.Numbers.Separator());
}

void TfmMain::btnDrawMapClick() {
    if (!webMap->Ready()) return;
    btnDrawMap->setEnabled(false);
    // Render() enables the button again, also after a drawing that failed.
    Handle([this] {
        DrawTrack();
        pgctlMain->setCurrentWidget(sheetMap);
    });
}

void TfmMain::btnTestMarkerClick() {
    Handle([this] { DrawTrack(); });
}

void TfmMain::btnTestCalcClick() {
    Handle([this] {
        TrackStore& tracks = core_->tracks;
        tracks.ShowPoints(CalcSelfTest(core_->transfer.Valid(), tracks.Decoding));
    });
}

// The chart follows the point grid, the profile and the units at every
// Render(); these only make sure one comes at once.
void TfmMain::rbPathAltitudeClick() {
    Render();
}

void TfmMain::rbPathSpeedClick() {
    Render();
}

void TfmMain::sheetDataShow() {
    Render();
}

void TfmMain::gridTrackNameClick(int gridRow) {
    Handle([this, gridRow] { core_->tracks.SelectListRow(gridRow); });
}

void TfmMain::Modify1Click() {
    Handle([this] {
        TrackStore& tracks = core_->tracks;
        const int row = SelectedGridRow(gridTrackName);
        if (!tracks.BeginModify(row)) return;
        if (dlgModifyTrackName->Run(tracks.ModifyDialog)) tracks.ApplyModify(row);
    });
}

void TfmMain::menuDeleteClick() {
    Handle([this] { core_->tracks.DeleteListedTrack(SelectedGridRow(gridTrackName)); });
}

void TfmMain::ClearAll1Click() {
    if (MayReplace(ListKind::Track, tr("clearing the list")))
        Handle([this] { core_->tracks.ClearAll(); });
}

void TfmMain::Tell(const FileResult& result) {
    if (!result.message.empty()) messages_.ShowMessage(result.message, result.caption);
}

QuestionAnswer TfmMain::Ask(std::string_view text, std::string_view caption,
                            QuestionButtons buttons) {
    if (options_.question) return options_.question(text, caption);
    return AskQuestion(this, text, caption, buttons);
}

// --- Plan and POI pages ---

void TfmMain::gridPlanClick(int gridRow) {
    Handle([this, gridRow] { core_->plans.SelectRow(*webPlan, gridRow); });
}

void TfmMain::gridPlanDblClick() {
    planOnMap_.reset();  // markers made anew lose their highlight
    Handle([this] { core_->plans.RedrawMarkers(*webPlan); });
}

void TfmMain::Modify2Click() {
    Handle([this] {
        PlanList& plans = core_->plans;
        if (!plans.SelectedRowIsPoint()) return;
        if (auto title = dlgPlanName->Run(plans.SelectedTitle()))
            plans.RetitleSelected(*title, messages_);
    });
}

void TfmMain::Delete1Click() {
    Handle([this] { core_->plans.RemoveSelected(*webPlan); });
}

void TfmMain::menuClearClick() {
    if (MayReplace(ListKind::Plan, tr("clearing the list")))
        Handle([this] { core_->plans.ClearAll(*webPlan); });
}

void TfmMain::menuRedrawClick() {
    gridPlanDblClick();
}

void TfmMain::gridPoiClick(int gridRow) {
    Handle([this, gridRow] { core_->pois.Select(gridRow); });
}

void TfmMain::gridPoiDblClick() {
    Handle([this] { core_->pois.ShowSelected(*webPoi); });
}

void TfmMain::menuDeletePoiClick() {
    Handle([this] { core_->pois.RemoveSelected(*webPoi); });
}

void TfmMain::menuClearAllClick() {
    if (MayReplace(ListKind::Poi, tr("clearing the list")))
        Handle([this] { core_->pois.ClearAll(*webPoi); });
}

// A click on the plan page may have placed, moved or picked a marker: the
// list reads them back (Render() then highlights the row picked).
void TfmMain::webPlanBodyClicked() {
    Handle([this] {
        if (!core_->plans.ReadMarkersBack(*webPlan))
            messages_.ShowMessage(kPlanPageSilentText, "Error");
    });
}

void TfmMain::webMapDocumentComplete() {
    drawEnabled_ = true;
    Render();
}

// --- Data page, time zones, Status page ---

void TfmMain::comboLangDropDown() {
    if (languages_->ListLanguages()) FillLanguageItems(languages_->ChooserItems());
}

void TfmMain::comboLangChange(const QString& name) {
    // The list shows each language in its own name and holds its file's.
    const int item = comboLang->findText(name);
    const QString file = item >= 0 ? comboLang->itemData(item).toString() : name;
    Handle([this, &file] {
        texts_.SetText("comboLang", SlotKind::Text, file.toStdString());
        languages_->comboLangChange();
    });
}

void TfmMain::comboTimeZoneChange(const QString& senderText) {
    Handle([this, &senderText] {
        Companion& core = *core_;
        const ZoneOffset shownAt = core.values.LocalZoneOffset;
        textsRevision_ = ~std::uint64_t{0};  // show the choosers' texts as they stand
        if (!vantrel::comboTimeZoneChange(senderText.toStdString(), texts_,
                                          core.values.LocalZoneOffset, messages_))
            return;
        core.pois.ShowTimesAgain(shownAt);
        if (core.values.LocalZoneOffset != shownAt)
            WriteChosenZone(settings_, core.values.LocalZoneOffset);
    });
}

void TfmMain::btnAutoFindClick() {
    Handle([this] { core_->link().FindDevicePort(); });
}

void TfmMain::WriteUiTextClick() {
    Handle([this] { languages_->WriteUiText(); });
}

}  // namespace vantrel
