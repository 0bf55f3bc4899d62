#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

#include "app/CodePageChoice.h"
#include "base/DataDirectory.h"
#include "locale/LanguageFolder.h"
#include "map/PageFiles.h"
#include "plans/ListCheck.h"
#include "tracks/TrackTable.h"
#include "window/photos/PhotosPage.h"
#include "tracks/TrackStatisticsText.h"
#include "tracks/TrackText.h"
#include "window/PlainText.h"
#include "window/Retranslation.h"
#include "window/CellTableModel.h"
#include "window/chart/StatisticsPanel.h"
#include "window/web/WebMapView.h"

namespace vantrel {

namespace {

constexpr int kCommReadMs = 20;

std::filesystem::path OrDefault(const std::filesystem::path& given,
                                std::filesystem::path (*fallback)()) {
    return given.empty() ? fallback() : given;
}

void SetTextIfChanged(QLineEdit* edit, const std::string& text) {
    const QString q = QString::fromStdString(text);
    if (edit->text() != q) edit->setText(q);
}

// A combo box showing `text`: an editable one in its edit field, a list
// (the language chooser) by picking the item of that name, matched ignoring
// case, which is added when the list lacks it.
void ShowComboText(QComboBox* combo, const QString& text) {
    const QSignalBlocker quiet(combo);
    if (combo->isEditable()) {
        combo->setEditText(text);
        return;
    }
    int index = combo->findData(text, Qt::UserRole, Qt::MatchFixedString);
    if (index < 0) {
        combo->addItem(LanguageOfFile(text).ownName, text);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

// One text slot applied to its component, by the component's kind.
void ApplySlot(QTabWidget* tabs, QObject* target, SlotKind kind, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(target)) {
        if (kind == SlotKind::Hint)
            action->setToolTip(PlainToolTip(text));
        else
            action->setText(text);
        return;
    }
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget == nullptr) return;
    if (kind == SlotKind::Hint) {
        widget->setToolTip(PlainToolTip(text));
        // Speed buttons carry no caption of their own; they show their hint.
        if (auto* speed = qobject_cast<QToolButton*>(widget)) speed->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        ShowComboText(combo, text);
    } else if (tabs->indexOf(widget) >= 0) {
        tabs->setTabText(tabs->indexOf(widget), text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    }
}

}  // namespace

TfmMain::TfmMain(WindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      options_(std::move(options)),
      dataDirectory_(OrDefault(options_.dataDirectory, ProgramDataDirectory)),
      qtMessages_(this),
      messages_(options_.messages ? *options_.messages : qtMessages_),
      settings_(OrDefault(options_.settingsFile, DefaultSettingsPath)),
      codePage_(ProgramCodePage(settings_)),
      systemLocator_(options_.locator ? nullptr
                                      : std::make_unique<SysfsDeviceLocator>(
                                            SysfsDeviceLocator::FromEnvironment())),
      portLocator_(options_.locator ? *options_.locator : *systemLocator_) {
    // A port given to the program wins over the one chosen last time.
    if (!options_.locator) portLocator_.Choose(settings_.ReadString("port"));
    BuildWidgets();
    SetUpMaps();
    BuildMenuBar();
    core_ = std::make_unique<Companion>(
        CompanionHost{messages_, *webMap, *webPlan, *webPoi, &portLocator_, true});
    Companion& core = *core_;
    // The serial threads post their notifications; the GUI thread drains them.
    core.commPort.Notifications().SetWake([this] {
        QMetaObject::invokeMethod(
            this, [this] { core_->commPort.DrainNotifications(); }, Qt::QueuedConnection);
    });
    languages_ = std::make_unique<LanguageFiles>(
        core.values, texts_, settings_, messages_, codePage_,
        HeadedGrids{&core.plans.gridPlan, &core.pois.gridPoi});
    dlgModifyTrackName->SetColorChooser(options_.chooseColor);
    dlgModifyTrackName->SetNameRule({EntryNameRefusal, &messages_});
    dlgPlanName->SetTitleRule({PlanTitleRefusal, &messages_});
    AttachModels();
    ConnectHandlers();
    timerShowLogo.setSingleShot(true);
    timerShowLogo.setInterval(1);
    connect(&timerShowLogo, &QTimer::timeout, this, &TfmMain::timerShowLogoTimer);
    timerCommRead.setInterval(kCommReadMs);
    connect(&timerCommRead, &QTimer::timeout, this, [this] {
        core_->link().Tick();
        Render();
    });
    timerCommRead.start();
    FormCreate();
}

TfmMain::~TfmMain() {
    timerCommRead.stop();
    core_->commPort.Notifications().SetWake(nullptr);
    // The views go with the window's children, after the core: let them
    // forget the core's grids first.
    for (QTableView* view : {gridTrackName, gridTrack, gridPlan, gridPoi})
        view->setModel(nullptr);
}

void TfmMain::FormCreate() {
    Companion& core = *core_;
    StartupContext context{core.values,
                           texts_,
                           *languages_,
                           settings_,
                           HeadedGrids{&core.plans.gridPlan, &core.pois.gridPoi},
                           *this,
                           dataDirectory_,
                           options_.probes};
    RunRecorded(StartupSequence(context));
    // The chooser offers the languages found (quietly: only opening its
    // list reports a folder without any).
    if (auto names = FindLanguageNames(core.values.AppDirectory)) FillLanguageItems(*names);
    terminateRequested_ = context.TerminateRequested;
    if (terminateRequested_) QTimer::singleShot(0, this, &QWidget::close);
    RestoreWindowState();
    Render();
}

StepsOutcome TfmMain::RunRecorded(const std::vector<NamedStep>& steps) {
    std::vector<NamedStep> recorded;
    for (const NamedStep& step : steps)
        recorded.push_back({step.name, [this, step] {
                                stepsRun_.emplace_back(step.name);
                                return step.run();
                            }});
    return RunSteps(recorded, messages_, kApplicationTitle);
}

void TfmMain::timerShowLogoTimer() {
    ProbeContext probe{*this, messages_,
                       DeviceProbe{[this] {
                                       core_->link().FindDevicePort();
                                       return core_->link().Variables().DevicePortName;
                                   },
                                   [this](const std::string& port) { return OpenProbe(port); }}};
    RunRecorded(DeviceProbeSequence(probe));
    Render();
}

std::optional<std::string> TfmMain::OpenProbe(const std::string& port) {
    TKxCommDevice& commPort = core_->commPort;
    std::optional<std::string> failure;
    try {
        commPort.fSetPortName(port);
        commPort.fSetActive(true);
    } catch (const EComm32Error& error) {
        // What the user can do about it, where the system said why.
        const std::string advice = error.OpenFailureAdvice();
        failure = advice.empty() ? std::string(error.what()) : advice;
    } catch (const std::exception& error) {
        failure = error.what();
    }
    commPort.fSetActive(false);
    return failure;
}

// --- StartupHost ---

void TfmMain::CentreWindow() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->geometry();
    move((area.width() - width()) / 2, (area.height() - height()) / 2);
}

void TfmMain::EnableLogoTimer() {
    if (options_.probeAtStart) timerShowLogo.start();
}

void TfmMain::LoadIcons(const std::filesystem::path& dataDirectory) {
    const QIcon icon(QString::fromStdString((dataDirectory / "images" / "iconLogo.ico").string()));
    if (icon.isNull() || icon.availableSizes().isEmpty()) {
        messages_.ShowMessage(
            tr("Cannot open images/iconLogo.ico: the window has no icon.").toStdString(),
            "Warning");
        return;
    }
    setWindowIcon(icon);
    QApplication::setWindowIcon(icon);
}

void TfmMain::ShowMapSheet() {
    pgctlMain->setCurrentWidget(sheetMap);
}

void TfmMain::LoadMapPages(const std::string& appDirectory) {
    const std::pair<WebMapView*, std::string_view> pages[] = {
        {webMap, kTrackPageFile}, {webPoi, kPoiPageFile}, {webPlan, kPlanPageFile}};
    const std::filesystem::path folder = MapPagesFolder(appDirectory);
    bool missing = false;
    for (const auto& [view, name] : pages) {
        if (view->LoadPageFile(folder / name, codePage_)) continue;
        missing = true;
        view->LoadPageText(QString());
    }
    sheetPhotos->LoadMap(folder / kTrackPageFile, codePage_);
    // The window stays open with empty pages; the user is told once.
    if (missing) messages_.ShowMessage(kPageFileMissingText, "Error");
}

void TfmMain::DisableLogoTimer() {
    timerShowLogo.stop();
}

void TfmMain::ShowSplash() {
    if (!options_.showSplash) return;
    // A missing picture is reported; the splash still shows for its time.
    if (!dlgStartLogo->LoadPicture(dataDirectory_ / "images" / "logostart.bmp"))
        messages_.ShowMessage(
            tr("Cannot open images/logostart.bmp: the splash shows no picture.").toStdString(),
            "Warning");
    dlgStartLogo->timerStart.start();
    dlgStartLogo->exec();
    dlgStartLogo->timerStart.stop();
}

PromptAnswer TfmMain::AskCancelTryAgainContinue(std::string_view text, std::string_view caption) {
    if (options_.prompt) return options_.prompt(text, caption);
    return AskWithQMessageBox(this, text, caption);
}

// --- rendering ---

void TfmMain::FillLanguageItems(const std::vector<std::string>& names) {
    const QSignalBlocker quiet(comboLang);
    comboLang->clear();
    for (const auto& name : names)
        comboLang->addItem(LanguageOfFile(QString::fromStdString(name)).ownName,
                           QString::fromStdString(name));
    // The chooser goes on showing the language in force.
    ShowComboText(comboLang, QString::fromStdString(texts_.Text("comboLang", SlotKind::Text)));
}

void TfmMain::ShowStatusSheet(bool shown) {
    pgctlMain->setTabVisible(pgctlMain->indexOf(sheetStatus), shown);
    if (shown) pgctlMain->setCurrentWidget(sheetStatus);
}

void TfmMain::ApplyTranslations() {
    const std::string& language = languages_->AppliedLanguage();
    if (translatedFor_ == language) return;
    translatedFor_ = language;
    translators_.Use(LanguageOfFile(QString::fromStdString(language)).locale);
    QSet<QString> slotComponents;
    for (const UiSlot& slot : UiSlots())
        slotComponents.insert(QString::fromLatin1(
            slot.component.data(), static_cast<qsizetype>(slot.component.size())));
    Retranslate(this, slotComponents);
    chartShown_.reset();
}

void TfmMain::ApplyTexts() {
    textsRevision_ = texts_.Revision();
    ApplyTranslations();
    setWindowTitle(QString::fromStdString(texts_.Caption()));
    const auto uiSlots = UiSlots();
    for (std::size_t i = 0; i < uiSlots.size(); ++i) {
        QObject* target = findChild<QObject*>(QString::fromLatin1(
            uiSlots[i].component.data(), static_cast<qsizetype>(uiSlots[i].component.size())));
        if (target != nullptr)
            ApplySlot(pgctlMain, target, uiSlots[i].kind,
                      QString::fromStdString(texts_.SlotText(i)));
    }
    QStringList lines;
    for (const auto& line : languages_->LanguageLines())
        lines << QString::fromStdString(line);
    memoLanguage->setPlainText(lines.join(QLatin1Char('\n')));
}

void TfmMain::Render() {
    units_ = rbImperial->isChecked() ? ProfileUnits::Imperial : ProfileUnits::Metric;
    if (texts_.Revision() != textsRevision_) ApplyTexts();
    for (CellTableModel* model : models_)
        model->Refresh();
    RenderLink();
    RenderUpload();
    RenderTransfer();
    RenderLists();
    RenderHighlights();
    RenderTrackMap();
    RenderPlanMap();
    RenderPoiMap();
    RenderMenus();
    RenderPhotoTracks();
    emit rendered();
}

// The Photos page places photos on the tracks as they are when it is shown:
// handing them over costs a rebuild, so edits made elsewhere wait for it.
void TfmMain::RenderPhotoTracks() {
    if (pgctlMain->currentWidget() != static_cast<QWidget*>(sheetPhotos) ||
        core_->tracks.Revision() == photoTracksShown_)
        return;
    photoTracksShown_ = core_->tracks.Revision();
    sheetPhotos->SetTracks(core_->tracks.List());
}

void TfmMain::RenderLink() {
    const LinkStatus& d = core_->link().Status();
    const TransferButtons buttons = core_->Buttons();
    btnDownloadFrGuider->setEnabled(buttons.downloadTracks);
    btnLoadTrack->setEnabled(buttons.downloadTracks);
    btnLoadPlan->setEnabled(buttons.downloadPlan);
    btnLoadPOI->setEnabled(buttons.downloadPoi);
    btnStorePlan->setEnabled(buttons.uploadPlan);
    btnStorePoi->setEnabled(buttons.uploadPoi);
    pbarLoading->setVisible(d.progress.Visible);
    const std::pair<QLineEdit*, const FieldText*> fields[] = {{edAck, &d.acknowledgement},
                                                              {edCurrentData, &d.replyText},
                                                              {edRoute, &d.route},
                                                              {edBackLight, &d.backLight},
                                                              {edSuspend, &d.suspend},
                                                              {edTimeZoneHome, &d.homeZone},
                                                              {edTimeZoneLocal, &d.localZone},
                                                              {edUnit, &d.unit},
                                                              {edRecordTime, &d.recordTime},
                                                              {edRecordDistance, &d.recordDistance},
                                                              {edRecordSpeed, &d.recordSpeed},
                                                              {edStorageUsage, &d.storageUsage}};
    for (const auto& [edit, state] : fields)
        SetTextIfChanged(edit, state->Text);
    if (!d.portName.Text.empty() && comboPort->currentText().toStdString() != d.portName.Text)
        comboPort->setEditText(QString::fromStdString(d.portName.Text));
    if (d.replyLog.size() < memoLines_) {
        memoData->clear();
        memoLines_ = 0;
    }
    for (; memoLines_ < d.replyLog.size(); ++memoLines_)
        memoData->appendPlainText(QString::fromStdString(d.replyLog[memoLines_]));
}

// Each grid highlights the row its list has selected (the shown track, the
// picked plan point or POI), whichever way it was picked.
void TfmMain::RenderHighlights() {
    const std::pair<QTableView*, int> rows[] = {{gridTrackName, core_->tracks.ShownIndex() + 1},
                                                {gridPlan, core_->plans.Row},
                                                {gridPoi, core_->pois.Row}};
    const QScopedValueRollback<bool> syncing(syncingRows_, true);
    for (const auto& [view, gridRow] : rows) {
        const int row = CellTableModel::ViewRow(gridRow);
        if (row < 0 || row >= view->model()->rowCount() || view->currentIndex().row() == row)
            continue;
        view->setCurrentIndex(view->model()->index(row, 0));
    }
}

// The summary of the shown track, made again only when the tracks or the
// display offset changed.
// The distance comes first in the units chosen, with their label.
void TfmMain::RenderTrackSummary() {
    const TrackStore& tracks = core_->tracks;
    const AppValues& values = core_->values;
    const SummaryShown now{tracks.Revision(), values.LocalZoneOffset, units_, texts_.Revision()};
    if (summaryShown_ == now) return;
    summaryShown_ = now;
    const TrackSummary summary =
        SummaryOf(tracks.Shown(), values.LocalZoneOffset, values.Numbers.Separator());
    SetTextIfChanged(edStartTime, summary.start);
    SetTextIfChanged(edEndTime, summary.end);
    SetTextIfChanged(edTotalTime, summary.duration);
    const bool miles = units_ == ProfileUnits::Imperial;
    SetTextIfChanged(edDistance, miles ? summary.miles : summary.kilometres);
    SetTextIfChanged(edMile, miles ? summary.kilometres : summary.miles);
    const std::string& km = texts_.Text("Label3", SlotKind::Caption);
    const std::string& mi = texts_.Text("Label4", SlotKind::Caption);
    findChild<QLabel*>(QStringLiteral("Label3"))->setText(QString::fromStdString(miles ? mi : km));
    findChild<QLabel*>(QStringLiteral("Label4"))->setText(QString::fromStdString(miles ? km : mi));
    SetTextIfChanged(edPoints, summary.points);
    if (const Track* shown = tracks.Shown())
        panelStatistics->Show(
            StatisticsLines(StatisticsOf(*shown), units_, values.Numbers.Separator()));
    else
        panelStatistics->Clear();
}

void TfmMain::RenderLists() {
    RenderTrackSummary();
    btnSaveTrackFile->setEnabled(core_->CanSave(ListKind::Track));
    btnSavePlan->setEnabled(core_->CanSave(ListKind::Plan));
    btnSavePoi->setEnabled(core_->CanSave(ListKind::Poi));
    btnDrawMap->setEnabled(drawEnabled_);
    RenderChart();
}

}  // namespace vantrel
