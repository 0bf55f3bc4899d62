#pragma once
// The main window TfmMain: the tabs, grids, buttons and map pages over the
// Companion. Handlers are thin: each calls the core and then Render() shows
// what changed (grids, counts, button states, the link's status fields).

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Companion.h"
#include "app/LanguageFiles.h"
#include "app/NamedSteps.h"
#include "app/SettingsStore.h"
#include "app/Startup.h"
#include "locale/CodePage.h"
#include "locale/UiTexts.h"
#include "map/TrackDrawing.h"
#include "base/FileResult.h"
#include "plans/ListFiles.h"
#include "tracks/ProfilePlot.h"
#include "window/Dialogs.h"
#include "window/FileDialogs.h"
#include "window/QtMessages.h"
#include "window/Translations.h"
#include "window/chart/ProfileView.h"

class QCheckBox;
class QCloseEvent;
class QDragEnterEvent;
class QDropEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class QToolButton;
class QAction;
class QKeySequence;

namespace vantrel {

class CellTableModel;
class PhotosPage;
class ProfileChart;
class ProfileView;
class StatisticsPanel;
class TileSchemeHandler;
class WebMapView;

// What the window is given; every default is the real program's.
struct WindowOptions {
    std::filesystem::path dataDirectory;  // empty: ProgramDataDirectory()
    std::filesystem::path settingsFile;   // empty: DefaultSettingsPath()
    DeviceLocator* locator = nullptr;     // nullptr: the system's lookup
    UserMessages* messages = nullptr;     // nullptr: message boxes
    std::function<PromptAnswer(std::string_view text, std::string_view caption)> prompt;
    // A question with Yes, No and Cancel; empty: a message box.
    std::function<QuestionAnswer(std::string_view text, std::string_view caption)> question;
    FileChooser chooseFile = AskFileWithDialog;
    ColorChooser chooseColor = AskColorWithDialog;
    StartupProbes probes = {};
    std::filesystem::path tileCacheFile;  // empty: the map settings' cache file
    bool showSplash = true;    // false: the probe skips the splash
    bool probeAtStart = true;  // false: the splash-and-probe timer stays off
};

class TfmMain : public QMainWindow, private StartupHost {
    Q_OBJECT
  public:
    // The size the window opens at when none is kept.
    static constexpr QSize kDesignSize{853, 572};
    // How long a note in the status bar stays.
    static constexpr int kStatusMessageMs = 8000;

    explicit TfmMain(WindowOptions options = {}, QWidget* parent = nullptr);
    ~TfmMain() override;

    Companion& Core() { return *core_; }
    UiTexts& Texts() { return texts_; }
    LanguageFiles& Languages() { return *languages_; }
    UserMessages& Messages() { return messages_; }

    // The start-up steps that ran, by the core's step names, in order.
    const std::vector<std::string>& StepsRun() const { return stepsRun_; }
    bool TerminateRequested() const { return terminateRequested_; }
    // The splash and the device probe (the logo timer's first tick).
    void timerShowLogoTimer();

    // Reads the core and shows what changed.
    void Render();
    // The Status page's tab is hidden; this shows (or hides) it.
    void ShowStatusSheet(bool shown);

    // --- handlers ---
    void btnDrawMapClick();
    void btnTestMarkerClick();
    void btnTestCalcClick();
    void rbPathAltitudeClick();
    void rbPathSpeedClick();
    void sheetDataShow();
    void gridTrackNameClick(int gridRow);
    void Modify1Click();
    void menuDeleteClick();
    void ClearAll1Click();
    void gridPlanClick(int gridRow);
    void gridPlanDblClick();
    void Modify2Click();
    void Delete1Click();
    void menuClearClick();
    void menuRedrawClick();
    void gridPoiClick(int gridRow);
    void gridPoiDblClick();
    void menuDeletePoiClick();
    void menuClearAllClick();
    void webPlanBodyClicked();
    void webMapDocumentComplete();
    void comboLangDropDown();
    void comboLangChange(const QString& name);
    void comboTimeZoneChange(const QString& senderText);
    void btnOpenTrackFileClick() { OpenListFile(ListKind::Track); }
    void btnSaveTrackFileClick() { SaveListFile(ListKind::Track); }
    void btnOpenPlanClick() { OpenListFile(ListKind::Plan); }
    void btnSavePlanClick() { SaveListFile(ListKind::Plan); }
    void btnOpenPoiClick() { OpenListFile(ListKind::Poi); }
    void btnSavePoiClick() { SaveListFile(ListKind::Poi); }
    // The lists as files (MainWindowFiles.cpp). Open asks first when the
    // list holds unsaved changes; Save writes the format the chosen filter
    // (or the name's extension) says, and returns whether it did.
    void OpenListFile(ListKind kind);
    bool SaveListFile(ListKind kind);
    // Files dropped, named on the command line or handed over by another
    // launch: each opens on the page of its kind.
    void OpenFiles(const QStringList& files);
    // The page whose list the File menu works on (the Track page's from the
    // pages without a list).
    ListKind CurrentList() const;
    void btnAutoFindClick();
    void WriteUiTextClick();
    // The map menu (MainWindowMaps.cpp): an offline map chosen with the file
    // dialog, or a remembered one, or (empty path) the online tiles, shown
    // as the base layer of every map page and remembered.
    void OpenOfflineMapClick();
    void ChooseMap(const std::filesystem::path& file);
    // A device request: runs the link's handler. A download first asks to
    // save unsaved changes of its list, an upload of an empty list whether
    // the device should lose what it holds.
    struct DeviceTransfer {
        enum Direction { None, In, Out };
        RequestResult (DeviceLink::*request)();
        ListKind list = ListKind::Track;
        Direction direction = None;
    };
    void DeviceRequest(const DeviceTransfer& transfer);
    // The page's download and upload (the Track page's for the pages
    // without a list; the plan's upload for the Track page's).
    DeviceTransfer DownloadOf(ListKind kind) const;
    DeviceTransfer UploadOf(ListKind kind) const;
    // The menus' commands on the page shown (MainWindowMenus.cpp).
    void ModifyCurrent();
    void DeleteCurrent();
    void ClearCurrent();
    // Ends the transfer under way on the line (CAN, then the link reset);
    // nothing is kept or sent (MainWindowTransfer.cpp).
    void CancelTransfer();
    // The serial port dialog: a port chosen there is where the device is
    // looked for from now on (and at the next start).
    void ChoosePort();
    // The track edits (MainWindowEdits.cpp): Trim, Delete Points and Split
    // act on the point grid's selected rows, Merge on the list's selected
    // tracks, Drop Outliers on the shown track with the limit the user
    // sets; a refusal is shown. Undo and Redo step through them and the
    // list's operations.
    void UndoClick();
    void RedoClick();
    void TrimClick();
    void DeletePointsClick();
    void SplitClick();
    void MergeClick();
    void DropOutliersClick();
    // The point grid's selected rows as points of the shown track: from the
    // first selected to the last; nothing when none is selected.
    std::optional<PointRange> ChosenRange() const;

    // --- components, named as their object names ---
    QTabWidget* pgctlMain = nullptr;
    QWidget* sheetMap = nullptr;
    QWidget* sheetData = nullptr;
    QWidget* sheetPlan = nullptr;
    QWidget* sheetPOI = nullptr;
    QWidget* sheetTrack = nullptr;
    QWidget* sheetStatus = nullptr;
    PhotosPage* sheetPhotos = nullptr;  // photos placed on the tracks
    WebMapView* webMap = nullptr;
    WebMapView* webPlan = nullptr;
    WebMapView* webPoi = nullptr;
    QTableView* gridTrackName = nullptr;
    QTableView* gridTrack = nullptr;
    QTableView* gridPlan = nullptr;
    QTableView* gridPoi = nullptr;
    ProfileChart* chartAltitude = nullptr;  // profileView's chart
    ProfileView* profileView = nullptr;
    QComboBox* comboLang = nullptr;
    QComboBox* comboTimeZone = nullptr;
    QComboBox* comboTimeZoneTrk = nullptr;
    QComboBox* comboPort = nullptr;
    QRadioButton* rbMetric = nullptr;
    QRadioButton* rbImperial = nullptr;
    QRadioButton* rbPathAltitude = nullptr;
    QRadioButton* rbPathSpeed = nullptr;
    QProgressBar* pbarLoading = nullptr;
    // The status bar's transfer under way: bytes, rate and size; Cancel.
    QLabel* lblTransfer = nullptr;
    QProgressBar* pbarTransfer = nullptr;
    QPushButton* btnCancelTransfer = nullptr;
    QPushButton* btnDrawMap = nullptr;
    QPushButton* btnTrim = nullptr;
    QPushButton* btnDeletePoints = nullptr;
    QPushButton* btnSplit = nullptr;
    QPushButton* btnMerge = nullptr;
    QPushButton* btnDropOutliers = nullptr;
    QPushButton* btnOpenTrackFile = nullptr;
    QPushButton* btnSaveTrackFile = nullptr;
    QPushButton* btnOpenPlan = nullptr;
    QPushButton* btnSavePlan = nullptr;
    QPushButton* btnOpenPoi = nullptr;
    QPushButton* btnSavePoi = nullptr;
    QPushButton* btnAutoFind = nullptr;
    QPushButton* btnTestCalc = nullptr;
    QPushButton* btnTestMarker = nullptr;
    QToolButton* btnDownloadFrGuider = nullptr;
    QToolButton* btnLoadPlan = nullptr;
    QToolButton* btnStorePlan = nullptr;
    QToolButton* btnLoadPOI = nullptr;
    QToolButton* btnStorePoi = nullptr;
    QToolButton* btnDownloadGuider = nullptr;
    QToolButton* btnLogger = nullptr;
    QToolButton* btnLoadTrack = nullptr;
    QToolButton* btnLoadData = nullptr;
    QToolButton* imgTool = nullptr;
    QLineEdit* edStartTime = nullptr;
    QLineEdit* edEndTime = nullptr;
    QLineEdit* edTotalTime = nullptr;
    QLineEdit* edDistance = nullptr;
    QLineEdit* edMile = nullptr;
    QLineEdit* edPoints = nullptr;
    StatisticsPanel* panelStatistics = nullptr;  // moving time, speeds, climbs
    QLineEdit* edAck = nullptr;
    QLineEdit* edCurrentData = nullptr;
    QLineEdit* edRoute = nullptr;
    QLineEdit* edBackLight = nullptr;
    QLineEdit* edSuspend = nullptr;
    QLineEdit* edTimeZoneHome = nullptr;
    QLineEdit* edTimeZoneLocal = nullptr;
    QLineEdit* edUnit = nullptr;
    QLineEdit* edRecordTime = nullptr;
    QLineEdit* edRecordDistance = nullptr;
    QLineEdit* edRecordSpeed = nullptr;
    QLineEdit* edStorageUsage = nullptr;
    QPlainTextEdit* memoData = nullptr;
    QPlainTextEdit* memoLanguage = nullptr;
    QMenu* menuTrack = nullptr;
    QMenu* menuPoints = nullptr;  // the point grid's: the edits of the chosen points
    QMenu* menuPlan = nullptr;
    QMenu* menuPOI = nullptr;
    QMenu* menuTools = nullptr;
    QMenu* menuMaps = nullptr;
    TileSchemeHandler* tileScheme = nullptr;
    TdlgStartLogo* dlgStartLogo = nullptr;
    TdlgModifyTrackName* dlgModifyTrackName = nullptr;
    TdlgPlanName* dlgPlanName = nullptr;
    TdlgChoosePort* dlgChoosePort = nullptr;
    TdlgMaxSpeed* dlgMaxSpeed = nullptr;
    // The menu bar's items that tests and the keys reach.
    QAction* actOpen = nullptr;
    QAction* actSave = nullptr;
    QAction* actQuit = nullptr;
    QAction* actUndo = nullptr;
    QAction* actRedo = nullptr;
    QAction* actModify = nullptr;
    QAction* actDelete = nullptr;
    QAction* actClearAll = nullptr;
    QAction* actDownload = nullptr;
    QAction* actUpload = nullptr;
    QAction* actCancelTransfer = nullptr;
    QAction* actChoosePort = nullptr;
    QAction* actStatusPage = nullptr;
    QTimer timerCommRead;
    QTimer timerShowLogo;

  signals:
    // After every Render(): tests and the screenshot run wait on it.
    void rendered();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // StartupHost
    void CentreWindow() override;
    void EnableLogoTimer() override;
    void LoadIcons(const std::filesystem::path& dataDirectory) override;
    void ShowMapSheet() override;
    void LoadMapPages(const std::string& appDirectory) override;
    void DisableLogoTimer() override;
    void ShowSplash() override;
    PromptAnswer AskCancelTryAgainContinue(std::string_view text,
                                           std::string_view caption) override;

    // Construction (MainWindowLayout.cpp).
    void BuildWidgets();
    QWidget* BuildDataSheet();
    QWidget* BuildPlanSheet();
    QWidget* BuildPoiSheet();
    QWidget* BuildTrackSheet();
    QWidget* BuildStatusSheet();
    QWidget* BuildTrackSummaries();
    QWidget* BuildGuiderGroup();
    QWidget* BuildLoggerGroup();
    void BuildMenus();
    // The edits' buttons, menus and handlers (MainWindowEdits.cpp).
    QWidget* BuildEditBar();
    void BuildEditMenus(QMenu* edit);
    void ConnectEditHandlers();
    void RenderEdits();
    // Runs an edit of the track store and shows its refusal, if any.
    void Edit(const std::function<TrackEditResult(TrackStore&)>& edit);
    // Runs an edit of the chosen points; `unchosen` is shown when none is chosen.
    void RangeEdit(const QString& unchosen,
                   const std::function<TrackEditResult(TrackStore&, PointRange)>& edit);
    // The menu bar and the keys (MainWindowMenus.cpp).
    void BuildMenuBar();
    QAction* AddAction(QMenu* menu, const QString& text, const QKeySequence& keys,
                       const std::function<void()>& handler);
    void RenderMenus();
    void AttachModels();
    void ConnectHandlers();
    void ConnectGridHandlers();
    // The map pages' tiles and the map menu (MainWindowMaps.cpp).
    void SetUpMaps();
    void BuildMapMenu();
    void FillMapMenu();
    void ShowBaseLayer();

    void FormCreate();
    // Runs steps, recording each name before it runs.
    StepsOutcome RunRecorded(const std::vector<NamedStep>& steps);
    // Runs a handler's body; an error it raises is shown and the window
    // goes on. Render() follows in every case.
    void Handle(const std::function<void()>& body);
    void ApplyTexts();
    // Installs the translations of the language in force, when it changed,
    // and shows every text beyond the language files in it.
    void ApplyTranslations();
    void FillLanguageItems(const std::vector<std::string>& names);
    void RenderLink();
    void RenderLists();
    void RenderTrackSummary();
    void RenderHighlights();
    // Shows a file operation's message, when it has one.
    void Tell(const FileResult& result);
    QuestionAnswer Ask(std::string_view text, std::string_view caption,
                       QuestionButtons buttons = QuestionButtons::YesNoCancel);
    bool MaySendEmpty(ListKind kind);
    void RenderUpload();
    void BuildTransferBar();
    void RenderTransfer();
    QString TransferText(const LinkProgress& progress, qint64 elapsedMs) const;
    // Files (MainWindowFiles.cpp).
    QWidget* SheetOf(ListKind kind) const;
    QString ListName(ListKind kind) const;
    QString DialogTitle(ListKind kind, bool save) const;
    FileChoice ChooseListFile(ListKind kind, bool save);
    // Asks, when the list holds unsaved changes that `action` would lose,
    // whether to save them first; false when the user cancelled (or the
    // save did not go through).
    bool MayReplace(ListKind kind, const QString& action);
    bool MaySaveTrackFile(SaveTarget& target);
    // The place, page, units and zone kept in the settings file
    // (MainWindowState.cpp).
    void RestoreWindowState();
    void SaveWindowState();
    // What the map pages show (MainWindowPages.cpp).
    void DrawTrack();
    void RenderTrackMap();
    void RenderPlanMap();
    void RenderPoiMap();
    void ConnectPageHandlers();
    // Plots the point grid's profile (or every selected track's) when the
    // tracks, the profile, the units, the zone or the axis changed since
    // the chart last showed it.
    void RenderChart();
    // The profile's cursor and range shown on the Map page
    // (MainWindowProfile.cpp).
    void ConnectProfile();
    // Chooses points `first` to `last` of the shown track in the point grid.
    void ChoosePoints(int first, int last);
    // Marks the range of `track` on the Map page, or clears the mark.
    void ShowPointRange(const Track& track, std::optional<PointRange> range);
    std::vector<PlottedTrack> ChartTracks() const;
    const Track* ChartTrack(int track) const;
    // Hands the Photos page the tracks when they changed.
    void RenderPhotoTracks();
    int SelectedGridRow(const QTableView* view) const;
    std::optional<std::string> OpenProbe(const std::string& port);

    WindowOptions options_;
    std::filesystem::path dataDirectory_;
    QtMessages qtMessages_;
    WindowMessages messages_;  // over options_.messages or qtMessages_
    SettingsStore settings_;
    // The 8-bit code page of language and page files (VANTREL_CODEPAGE or the
    // stored choice, else the locale's).
    CodePage codePage_;
    UiTexts texts_;
    // Where the device is looked for: the port the user chose, else the
    // given locator (or the system's own lookup).
    std::unique_ptr<DeviceLocator> systemLocator_;
    ChosenPortLocator portLocator_;
    std::unique_ptr<Companion> core_;
    std::unique_ptr<LanguageFiles> languages_;
    std::vector<CellTableModel*> models_;
    ProfileUnits units_ = ProfileUnits::Metric;  // as rbMetric and rbImperial say
    bool syncingRows_ = false;  // RenderHighlights() moves the grids' current rows
    std::vector<std::string> stepsRun_;
    std::uint64_t textsRevision_ = ~std::uint64_t{0};
    WindowTranslators translators_;
    std::optional<std::string> translatedFor_;  // the language the translators are for
    std::size_t memoLines_ = 0;
    bool drawEnabled_ = false;  // webMap's ready flag, as btnDrawMap shows it
    // The tracks the track page shows since Draw (none before it, or when it
    // shows the self-test's points), and the one drawn above the others.
    std::optional<std::vector<DrawnTrack>> tracksOnMap_;
    int mapShownTrack_ = -1;
    std::uint64_t trackMapRevision_ = ~std::uint64_t{0};  // the tracks RenderTrackMap saw
    // What a list's page was last shown from: the grid's revision, the
    // entries and the selected row.
    struct ListShown {
        std::uint64_t revision;
        int count;
        int row;
        bool operator==(const ListShown&) const = default;
    };
    std::optional<ListShown> planOnMap_;  // the markers, and the row highlighted
    std::optional<ListShown> poisOnMap_;
    // What the summary boxes were made from: the tracks, the zone, the units
    // and the texts.
    struct SummaryShown {
        std::uint64_t revision;
        ZoneOffset zone;
        ProfileUnits units;
        std::uint64_t texts;
        bool operator==(const SummaryShown&) const = default;
    };
    std::optional<SummaryShown> summaryShown_;
    // What the chart shows: the track model's revision, the profile, the
    // units, the zone, the axis and whether every selected track.
    struct ChartShown {
        std::uint64_t revision;
        ProfileOptions options;
        bool everySelected;
        bool operator==(const ChartShown&) const = default;
    };
    std::optional<ChartShown> chartShown_;
    std::uint64_t photoTracksShown_ = ~std::uint64_t{0};  // the track revision sheetPhotos has
    bool terminateRequested_ = false;
    // The upload under way: its list, and the uploads finished before it.
    struct UploadUnderWay {
        ListKind list;
        unsigned finishedBefore;
    };
    std::optional<UploadUnderWay> upload_;
    QElapsedTimer transferClock_;  // since the transfer under way began
};

}  // namespace vantrel
