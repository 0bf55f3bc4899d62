// TfmMain (MainWindow.h), continued: the components, created once, named by
// their object names (the language files address them by these names), laid out
// in the fixed-size window.

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "plans/PlanList.h"
#include "window/CellBrushDelegate.h"
#include "window/CoreTexts.h"
#include "window/MainWindow.h"
#include "window/PlainText.h"
#include "window/TextGridModel.h"
#include "window/TrackModels.h"
#include "window/Named.h"
#include "window/UiFont.h"
#include "window/chart/ProfileChart.h"
#include "window/chart/StatisticsPanel.h"
#include "window/photos/PhotosPage.h"
#include "window/web/WebMapView.h"

namespace vantrel {

namespace {

// The language chooser refills its list each time the list opens. It is a
// plain list: a language is applied when the user picks one, never when the
// box merely loses the focus.
class DropDownCombo : public QComboBox {
  public:
    using QComboBox::QComboBox;
    std::function<void()> onDropDown;
    void showPopup() override {
        if (onDropDown) onDropDown();
        QComboBox::showPopup();
    }
};

QLineEdit* Field(const char* name) {
    auto* edit = Named(new QLineEdit, name);
    edit->setReadOnly(true);
    return edit;
}

QLabel* Label(const char* name) {
    return Named(PlainLabel(new QLabel), name);
}

// A group box holding the given widgets one below the other.
QGroupBox* Group(const char* name, std::initializer_list<QWidget*> widgets) {
    auto* box = Named(new QGroupBox, name);
    auto* layout = new QVBoxLayout(box);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return box;
}

QToolButton* SpeedButton(const char* name, QStyle::StandardPixmap icon, QStyle* style) {
    auto* button = Named(new QToolButton, name);
    button->setIcon(style->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

// A grid: whole rows selected, arrow keys move inside it and Tab on to the
// next control, texts never shortened with an ellipsis.
QTableView* Grid(const char* name) {
    auto* view = Named(new QTableView, name);
    view->setTabKeyNavigation(false);
    view->setTextElideMode(Qt::ElideNone);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(16);
    view->horizontalHeader()->setStretchLastSection(true);
    return view;
}

QComboBox* ZoneCombo(const char* name) {
    auto* combo = Named(new QComboBox, name);
    combo->setEditable(true);
    for (const auto& item : ZoneChooserItems())
        combo->addItem(QString::fromStdString(item));
    combo->setFixedWidth(76);
    return combo;
}

// A group of labelled fields with its request button below them.
QGroupBox* FieldGroup(const char* name,
                      std::initializer_list<std::pair<const char*, QLineEdit*>> fields,
                      QWidget* button) {
    auto* box = Named(new QGroupBox, name);
    auto* form = new QFormLayout(box);
    for (const auto& [label, edit] : fields)
        form->addRow(Label(label), edit);
    form->addRow(button);
    return box;
}

// A map page on the left, the given column on the right.
QWidget* PageBeside(QWidget* page, QWidget* column) {
    auto* sheet = new QWidget;
    auto* layout = new QHBoxLayout(sheet);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(page, 1);
    column->setFixedWidth(300);
    layout->addWidget(column);
    return sheet;
}

QWidget* Column(std::initializer_list<QWidget*> widgets, QWidget* stretching) {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        layout->addWidget(w, w == stretching ? 1 : 0);
    return column;
}

QWidget* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return row;
}

}  // namespace

void TfmMain::BuildWidgets() {
    setObjectName(QStringLiteral("fmMain"));
    // The design size, which the user may change; everything but the
    // columns of buttons and fields grows with the window.
    resize(kDesignSize);
    setMinimumSize(640, 440);
    setAcceptDrops(true);
    setFont(UiFont());
    pgctlMain = Named(new QTabWidget(this), "pgctlMain");
    setCentralWidget(pgctlMain);
    webMap = Named(new WebMapView, "webMap");
    webPlan = Named(new WebMapView, "webPlan");
    webPoi = Named(new WebMapView, "webPoi");
    sheetMap = Named(new QWidget, "sheetMap");
    auto* mapLayout = new QVBoxLayout(sheetMap);
    mapLayout->setContentsMargins(0, 0, 0, 0);
    mapLayout->addWidget(webMap);
    sheetData = Named(BuildDataSheet(), "sheetData");
    sheetPlan = Named(BuildPlanSheet(), "sheetPlan");
    sheetPOI = Named(BuildPoiSheet(), "sheetPOI");
    sheetTrack = Named(BuildTrackSheet(), "sheetTrack");
    sheetStatus = Named(BuildStatusSheet(), "sheetStatus");
    for (QWidget* sheet : {sheetMap, sheetData, sheetPlan, sheetPOI, sheetTrack, sheetStatus})
        pgctlMain->addTab(sheet, QString());
    pgctlMain->setTabVisible(pgctlMain->indexOf(sheetStatus), false);
    sheetPhotos = new PhotosPage;
    pgctlMain->addTab(sheetPhotos, tr("Photos"));
    BuildMenus();
    BuildTransferBar();
    dlgStartLogo = new TdlgStartLogo(this);
    dlgStartLogo->timerStart.stop();  // runs while the splash is shown
    dlgModifyTrackName = new TdlgModifyTrackName(this);
    dlgPlanName = new TdlgPlanName(this);
    dlgChoosePort = new TdlgChoosePort(this);
    dlgMaxSpeed = new TdlgMaxSpeed(this);
}

QWidget* TfmMain::BuildDataSheet() {
    auto* lang = new DropDownCombo;
    lang->setEditable(false);
    lang->onDropDown = [this] { comboLangDropDown(); };
    comboLang = Named<QComboBox>(lang, "comboLang");
    rbMetric = Named(new QRadioButton, "rbMetric");
    rbImperial = Named(new QRadioButton, "rbImperial");
    rbPathAltitude = Named(new QRadioButton, "rbPathAltitude");
    rbPathSpeed = Named(new QRadioButton, "rbPathSpeed");
    rbMetric->setChecked(true);
    rbPathAltitude->setChecked(true);
    profileView = Named(new ProfileView, "profileView");
    chartAltitude = profileView->chartProfile;
    chartAltitude->SetTitleText([](std::string_view english) { return CoreText(english); });
    QWidget* left = Column({Label("Label2"), comboLang, Group("GroupBox1", {rbMetric, rbImperial}),
                            Group("GroupBox17", {rbPathAltitude, rbPathSpeed}), new QWidget},
                           nullptr);
    left->setFixedWidth(180);
    auto* sheet = new QWidget;
    auto* layout = new QHBoxLayout(sheet);
    layout->addWidget(left, 0, Qt::AlignTop);
    layout->addWidget(profileView, 1);
    return sheet;
}

QWidget* TfmMain::BuildPlanSheet() {
    gridPlan = Grid("gridPlan");
    btnLoadPlan = SpeedButton("btnLoadPlan", QStyle::SP_ArrowDown, style());
    btnStorePlan = SpeedButton("btnStorePlan", QStyle::SP_ArrowUp, style());
    btnOpenPlan = Named(new QPushButton, "btnOpenPlan");
    btnSavePlan = Named(new QPushButton, "btnSavePlan");
    return PageBeside(webPlan, Column({gridPlan, Group("GroupBox13", {btnLoadPlan, btnStorePlan}),
                                       Group("GroupBox16", {Row({btnOpenPlan, btnSavePlan})})},
                                      gridPlan));
}

QWidget* TfmMain::BuildPoiSheet() {
    gridPoi = Grid("gridPoi");
    comboTimeZone = ZoneCombo("comboTimeZone");
    btnLoadPOI = SpeedButton("btnLoadPOI", QStyle::SP_ArrowDown, style());
    btnStorePoi = SpeedButton("btnStorePoi", QStyle::SP_ArrowUp, style());
    btnOpenPoi = Named(new QPushButton, "btnOpenPoi");
    btnSavePoi = Named(new QPushButton, "btnSavePoi");
    return PageBeside(webPoi, Column({gridPoi, Row({Label("Label1"), comboTimeZone}),
                                      Group("GroupBox14", {btnLoadPOI, btnStorePoi}),
                                      Group("GroupBox15", {Row({btnOpenPoi, btnSavePoi})})},
                                     gridPoi));
}

QWidget* TfmMain::BuildTrackSummaries() {
    edStartTime = Field("edStartTime");
    edEndTime = Field("edEndTime");
    edTotalTime = Field("edTotalTime");
    edDistance = Field("edDistance");
    edMile = Field("edMile");
    edPoints = Field("edPoints");
    auto* time = Named(new QGroupBox, "GroupBox11");
    auto* timeForm = new QFormLayout(time);
    timeForm->addRow(Label("lblStart"), edStartTime);
    timeForm->addRow(Label("lblEnd"), edEndTime);
    timeForm->addRow(Label("lblTotal"), edTotalTime);
    auto* routes = Named(new QGroupBox, "GroupBox12");
    auto* routeForm = new QFormLayout(routes);
    routeForm->addRow(Label("lblDistance"), Row({edDistance, Label("Label3")}));
    routeForm->addRow(new QLabel, Row({edMile, Label("Label4")}));
    routeForm->addRow(Label("lblPoints"), edPoints);
    panelStatistics = Named(new StatisticsPanel(tr("Statistics"), 4), "panelStatistics");
    return Group("GroupBox10", {Row({time, routes}), panelStatistics});
}

QWidget* TfmMain::BuildTrackSheet() {
    gridTrackName = Grid("gridTrackName");
    gridTrack = Grid("gridTrack");
    pbarLoading = Named(new QProgressBar, "pbarLoading");
    pbarLoading->setRange(0, 0);  // busy: the status bar tells the bytes and the rate
    pbarLoading->setVisible(false);
    comboTimeZoneTrk = ZoneCombo("comboTimeZoneTrk");
    btnDownloadFrGuider = SpeedButton("btnDownloadFrGuider", QStyle::SP_ArrowDown, style());
    btnOpenTrackFile = Named(new QPushButton, "btnOpenTrackFile");
    btnSaveTrackFile = Named(new QPushButton, "btnSaveTrackFile");
    btnDrawMap = Named(new QPushButton, "btnDrawMap");
    btnDrawMap->setEnabled(false);
    imgTool = Named(new QToolButton, "imgTool");
    imgTool->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    imgTool->setPopupMode(QToolButton::InstantPopup);
    QWidget* left = Column({gridTrackName, Row({Label("Label5"), comboTimeZoneTrk, imgTool}),
                            Group("GroupBox8", {btnDownloadFrGuider, pbarLoading}),
                            Group("GroupBox9", {Row({btnOpenTrackFile, btnSaveTrackFile})})},
                           gridTrackName);
    left->setFixedWidth(280);
    gridTrack->setSelectionMode(QAbstractItemView::ContiguousSelection);
    gridTrackName->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QWidget* right =
        Column({gridTrack, BuildEditBar(), BuildTrackSummaries(), btnDrawMap}, gridTrack);
    auto* sheet = new QWidget;
    auto* layout = new QHBoxLayout(sheet);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(left);
    layout->addWidget(right, 1);
    return sheet;
}

QWidget* TfmMain::BuildGuiderGroup() {
    btnDownloadGuider = SpeedButton("btnDownloadGuider", QStyle::SP_ArrowDown, style());
    return FieldGroup("GroupBox4",
                      {{"lblBackLight", edBackLight = Field("edBackLight")},
                       {"lblSuspend", edSuspend = Field("edSuspend")},
                       {"lblTimeZone", edTimeZoneHome = Field("edTimeZoneHome")},
                       {"lblTimeZoneLocal", edTimeZoneLocal = Field("edTimeZoneLocal")},
                       {"lblRoute", edRoute = Field("edRoute")},
                       {"lblUnit", edUnit = Field("edUnit")}},
                      btnDownloadGuider);
}

QWidget* TfmMain::BuildLoggerGroup() {
    btnLogger = SpeedButton("btnLogger", QStyle::SP_ArrowDown, style());
    return FieldGroup("GroupBox5",
                      {{"lblRecordTime", edRecordTime = Field("edRecordTime")},
                       {"lblRecordDistance", edRecordDistance = Field("edRecordDistance")},
                       {"lblRecordSpeed", edRecordSpeed = Field("edRecordSpeed")},
                       {"lblStorage", edStorageUsage = Field("edStorageUsage")}},
                      btnLogger);
}

QWidget* TfmMain::BuildStatusSheet() {
    comboPort = Named(new QComboBox, "comboPort");
    comboPort->setEditable(true);
    btnAutoFind = Named(new QPushButton, "btnAutoFind");
    btnLoadTrack = SpeedButton("btnLoadTrack", QStyle::SP_ArrowDown, style());
    btnLoadData = SpeedButton("btnLoadData", QStyle::SP_ArrowDown, style());
    btnTestCalc = Named(new QPushButton(tr("Test Calc")), "btnTestCalc");
    btnTestMarker = Named(new QPushButton(tr("Test Marker")), "btnTestMarker");
    edAck = Field("edAck");
    edCurrentData = Field("edCurrentData");
    memoData = Named(new QPlainTextEdit, "memoData");
    memoData->setReadOnly(true);
    memoLanguage = Named(new QPlainTextEdit, "memoLanguage");
    memoLanguage->setReadOnly(true);
    memoLanguage->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoLanguage->setVisible(false);
    auto* comm = Named(new QGroupBox, "GroupBox3");
    auto* commRow = new QHBoxLayout(comm);
    commRow->addWidget(Label("lblComPort"));
    commRow->addWidget(comboPort, 1);
    commRow->addWidget(btnAutoFind);
    QWidget* left = Column({comm, BuildGuiderGroup(), Group("GroupBox6", {btnLoadTrack}),
                            Group("GroupBox7", {btnLoadData}), Row({btnTestCalc, btnTestMarker})},
                           nullptr);
    QWidget* right =
        Column({BuildLoggerGroup(), edAck, edCurrentData, memoData, memoLanguage}, memoData);
    auto* sheet = new QWidget;
    auto* layout = new QHBoxLayout(sheet);
    layout->addWidget(left, 1);
    layout->addWidget(right, 1);
    return sheet;
}

void TfmMain::BuildMenus() {
    auto item = [this](QMenu* menu, const char* name, void (TfmMain::*handler)()) {
        QAction* action = Named(menu->addAction(QString()), name);
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };
    menuTrack = Named(new QMenu(this), "menuTrack");
    item(menuTrack, "Modify1", &TfmMain::Modify1Click);
    item(menuTrack, "menuDelete", &TfmMain::menuDeleteClick);
    item(menuTrack, "ClearAll1", &TfmMain::ClearAll1Click);
    menuPlan = Named(new QMenu(this), "menuPlan");
    item(menuPlan, "Modify2", &TfmMain::Modify2Click);
    item(menuPlan, "Delete1", &TfmMain::Delete1Click);
    item(menuPlan, "menuClear", &TfmMain::menuClearClick);
    item(menuPlan, "menuRedraw", &TfmMain::menuRedrawClick);
    menuPOI = Named(new QMenu(this), "menuPOI");
    item(menuPOI, "menuDeletePoi", &TfmMain::menuDeletePoiClick);
    item(menuPOI, "menuClearAll", &TfmMain::menuClearAllClick);
    menuTools = Named(new QMenu(this), "menuTools");
    item(menuTools, "WriteUIText1", &TfmMain::WriteUiTextClick);
    QAction* exit = Named(menuTools->addAction(QString()), "Exit1");
    connect(exit, &QAction::triggered, this, &QWidget::close);
    imgTool->setMenu(menuTools);
}

// Each column as wide as its heading and the widest text it can show, so
// times and coordinates are never cut; set again whenever a reset of the
// model (a new row count) or new headings put the header back.
void FitColumns(QTableView* view, std::vector<QString> samples) {
    auto fit = [view, samples] {
        const QFontMetrics cells(view->font());
        const QFontMetrics heads(view->horizontalHeader()->font());
        for (std::size_t c = 0; c < samples.size(); ++c) {
            const QString title =
                view->model()->headerData(static_cast<int>(c), Qt::Horizontal).toString();
            view->setColumnWidth(static_cast<int>(c),
                                 std::max(cells.horizontalAdvance(samples[c]) + 12,
                                          heads.horizontalAdvance(title) + 16));
        }
    };
    fit();
    QObject::connect(view->model(), &QAbstractItemModel::modelReset, view, fit);
    QObject::connect(view->model(), &QAbstractItemModel::headerDataChanged, view, fit);
}

void TfmMain::AttachModels() {
    Companion& core = *core_;
    using Grid = TrackGridModel::Grid;
    models_ = {new TrackGridModel(Grid::List, core.tracks, core.values, units_, this),
               new TrackGridModel(Grid::Points, core.tracks, core.values, units_, this),
               new TextGridModel(core.plans.gridPlan, this),
               new TextGridModel(core.pois.gridPoi, this)};
    gridTrackName->setModel(models_[0]);
    gridTrack->setModel(models_[1]);
    gridPlan->setModel(models_[2]);
    gridPoi->setModel(models_[3]);
    const QString time = QStringLiteral("2011/01/25 14:13:05");
    const QString latitude = QStringLiteral("-90.000000");
    const QString longitude = QStringLiteral("-180.000000");
    FitColumns(gridTrackName, {QStringLiteral("Track000000"), QStringLiteral("0000"),
                               QStringLiteral("00000")});
    FitColumns(gridTrack, {time, latitude, longitude, QStringLiteral("-12345.6"),
                           QStringLiteral("1234.5")});
    FitColumns(gridPlan, {QStringLiteral("Track000"), latitude, longitude});
    FitColumns(gridPoi, {time, latitude, longitude});
    gridTrackName->setItemDelegateForColumn(
        1, new CellBrushDelegate(
               [&core](int col, int row) { return core.tracks.SwatchColor(col, row); },
               CellBrushDelegate::Text::Covered, this));
    gridPlan->setItemDelegateForColumn(
        0, new CellBrushDelegate(
               [&core](int col, int row) -> std::optional<std::uint32_t> {
                   if (!gridPlanDrawCellIsBlue(core.plans.gridPlan, col, row)) return std::nullopt;
                   return 0xFF0000;  // pure blue, blue in the high byte
               },
               CellBrushDelegate::Text::Shown, this));
}

}  // namespace vantrel
