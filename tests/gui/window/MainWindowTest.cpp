// The window over the real core and the simulated device: start-up, the
// device buttons filling the grids, the track, plan and POI commands, the
// language change and the error paths.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "locale/UiComponents.h"
#include "map/TrackDrawing.h"
#include "map/PageFiles.h"
#include "sim/Routes.h"
#include "sim/TrackMemory.h"
#include "support/MbtilesMaker.h"
#include "support/PictureColours.h"
#include "tests/gui/window/WindowFixture.h"
#include "tracks/Geodesy.h"
#include "tracks/TrackText.h"
#include "window/CellTableModel.h"
#include "window/chart/ProfileChart.h"

namespace vantrel::testing {
namespace {

QString HeaderText(QTableView* view, int column) {
    return view->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString CellText(QTableView* view, int row, int column) {
    return view->model()->index(row, column).data().toString();
}

TEST_F(WindowTest, StartsUpInTheCoresOrderAndProbesTheDevice) {
    TfmMain& window = Open();
    std::vector<std::string> names;
    AppValues values;
    UiTexts texts;
    SettingsStore settings{config / "unused.ini"};
    LanguageFiles languages{values, texts, settings, messages, CodePage(), {}};
    class NoHost : public StartupHost {
        PromptAnswer AskCancelTryAgainContinue(std::string_view, std::string_view) override {
            return PromptAnswer::Continue;
        }
    } host;
    StartupContext context{values, texts, languages, settings, {}, host, data.Path()};
    for (const auto& step : StartupSequence(context))
        names.emplace_back(step.name);
    EXPECT_EQ(window.StepsRun(), names);
    EXPECT_TRUE(messages.shown.empty());

    EXPECT_EQ(window.size(), QSize(853, 572));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vantrel Application Ver1.2.25"));
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.pgctlMain->currentWidget(), window.sheetMap);
    EXPECT_FALSE(window.pgctlMain->isTabVisible(window.pgctlMain->indexOf(window.sheetStatus)));
    EXPECT_EQ(window.comboTimeZone->currentText(), QStringLiteral("8"));
    EXPECT_EQ(window.Core().values.LocalZoneOffset, ZoneOffset::Hours(8));
    EXPECT_EQ(HeaderText(window.gridTrack, 1), QStringLiteral("Latitude"));
    EXPECT_EQ(HeaderText(window.gridTrack, 3), QStringLiteral("Altitude (m)"));

    // Draw waits for the track page.
    EXPECT_FALSE(window.btnDrawMap->isEnabled());
    ASSERT_TRUE(PagesReady());
    EXPECT_TRUE(window.btnDrawMap->isEnabled());

    window.timerShowLogoTimer();
    const std::vector<std::string> probe(window.StepsRun().end() - 4, window.StepsRun().end());
    EXPECT_EQ(probe, (std::vector<std::string>{"DisableLogoTimer", "ShowSplash", "FindDevicePort",
                                               "OpenPortOnce"}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(window.comboPort->currentText().isEmpty());
}

TEST_F(WindowTest, CancelAtAStartUpPromptClosesTheWindowOnceItsLoopRuns) {
    std::vector<std::string> prompts;
    options.probes.hasInternet = [] { return false; };
    options.prompt = [&](std::string_view text, std::string_view) {
        prompts.emplace_back(text);
        return PromptAnswer::Cancel;
    };
    TfmMain& window = OpenWith(nullptr);
    EXPECT_EQ(prompts, std::vector<std::string>{std::string(kNoInternetText)});
    EXPECT_TRUE(window.TerminateRequested());
    EXPECT_EQ(window.StepsRun().back(), "ComputeLocalZoneOffset");  // the steps ran to the end
    window.show();
    EXPECT_TRUE(WaitFor([&] { return !window.isVisible(); }, kPageMs));
}

TEST_F(WindowTest, ADownloadListsTheTracksAndAClickShowsOne) {
    TfmMain& window = Open();
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    EXPECT_TRUE(window.btnDownloadFrGuider->isEnabled());
    EXPECT_FALSE(window.pbarLoading->isVisible());
    EXPECT_EQ(CellText(window.gridTrackName, 0, 0), QStringLiteral("Track0"));
    EXPECT_EQ(CellText(window.gridTrackName, 1, 0), QStringLiteral("Track1"));
    EXPECT_TRUE(CellText(window.gridTrackName, 2, 0).isEmpty());
    EXPECT_TRUE(window.btnSaveTrackFile->isEnabled());

    window.gridTrackNameClick(2);
    const TrackStore& tracks = window.Core().tracks;
    const Track& shown = *tracks.Shown();
    const AppValues& values = window.Core().values;
    auto cell = [&](PointColumn column) {
        return QString::fromStdString(ShownPointCell(shown.points[0], column,
                                                     values.LocalZoneOffset,
                                                     values.Numbers.Separator(),
                                                     ProfileUnits::Metric));
    };
    EXPECT_EQ(shown.name, "Track1");
    EXPECT_EQ(window.gridTrack->model()->rowCount(), static_cast<int>(shown.points.size()));
    EXPECT_EQ(CellText(window.gridTrack, 0, 1), cell(PointColumn::Latitude));
    EXPECT_EQ(window.edPoints->text(), QString::number(shown.points.size()));
    EXPECT_EQ(window.edStartTime->text(), cell(PointColumn::Time));

    // A zone change shows the points and the summary at the new offset at once.
    window.comboTimeZoneChange(QStringLiteral("5:45"));
    ASSERT_EQ(values.LocalZoneOffset, ZoneOffset{345});
    EXPECT_EQ(CellText(window.gridTrack, 0, 0), cell(PointColumn::Time));
    EXPECT_EQ(window.edStartTime->text(), cell(PointColumn::Time));
    EXPECT_EQ(window.edEndTime->text(),
              QString::fromStdString(ShownTimeText(shown.points.back().time,
                                                   values.LocalZoneOffset)));

    // A click on an empty row changes nothing.
    const QString time = CellText(window.gridTrack, 0, 0);
    window.gridTrackNameClick(10);
    EXPECT_EQ(CellText(window.gridTrack, 0, 0), time);
    EXPECT_TRUE(messages.shown.empty());
}

// The chart's last point lies at the track's distance, in the units chosen.
double LastX(const ProfileChart& chart) {
    return chart.Series().at(chart.Series().count() - 1).x();
}

// The track page's lines as (name, colour, highlighted) and its legend.
struct MapLine {
    QString name, colour;
    bool highlighted;
    bool operator==(const MapLine&) const = default;
};
std::vector<MapLine> MapLines(WebMapView& view) {
    std::vector<MapLine> lines;
    for (const QJsonValue& line : PageState(view)["lines"].toArray())
        lines.push_back({line["name"].toString(), line["colour"].toString(),
                         line["highlighted"].toBool()});
    return lines;
}

TEST_F(WindowTest, DrawShowsEverySelectedTrackAndTheMapFollowsTheList) {
    TfmMain& window = Open();
    window.show();
    ASSERT_TRUE(PagesReady());
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    const TrackStore& tracks = window.Core().tracks;
    ASSERT_EQ(tracks.List().size(), 2u);
    auto swatch = [&](int row) { return QString::fromStdString(TrackColourText(*tracks.SwatchColor(1, row))); };

    // The first Draw after the download: both tracks in the colours the list
    // shows, named in the legend, the shown one above the other.
    window.btnDrawMap->click();
    EXPECT_EQ(window.pgctlMain->currentWidget(), window.sheetMap);
    EXPECT_TRUE(window.btnDrawMap->isEnabled());
    EXPECT_EQ(swatch(1), QStringLiteral("#ff0000"));
    EXPECT_EQ(MapLines(*window.webMap),
              (std::vector<MapLine>{{"Track0", swatch(1), true}, {"Track1", swatch(2), false}}));
    QJsonObject map = PageState(*window.webMap);
    EXPECT_EQ(map["legend"].toArray(), (QJsonArray{"Track0", "Track1"}));
    for (int k = 0; k < 2; ++k) {
        const Track& track = tracks.List()[std::size_t(k)];
        const QJsonArray drawn = map["lines"][k]["points"].toArray();
        ASSERT_EQ(drawn.size(), static_cast<int>(track.points.size()));
        EXPECT_EQ(drawn.first()[0].toDouble(), track.points.front().latitude);
        EXPECT_EQ(drawn.last()[1].toDouble(), track.points.back().longitude);
    }
    EXPECT_EQ(window.webMap->EvaluateNumber(QStringLiteral(
                  "document.querySelectorAll('path.leaflet-interactive').length")),
              6);  // two lines, each with a start and an end marker

    // The highlight moves by keyboard and by a right click; the point grid
    // and the map follow it.
    window.pgctlMain->setCurrentWidget(window.sheetTrack);
    window.gridTrackName->setFocus();
    QTest::keyClick(window.gridTrackName, Qt::Key_Down);
    ASSERT_EQ(tracks.ShownIndex(), 1);
    EXPECT_EQ(window.gridTrack->model()->rowCount(),
              static_cast<int>(tracks.List()[1].points.size()));
    EXPECT_EQ(MapLines(*window.webMap)[1].highlighted, true);
    EXPECT_EQ(MapLines(*window.webMap)[0].highlighted, false);
    const QModelIndex first = window.gridTrackName->model()->index(0, 0);
    emit window.gridTrackName->customContextMenuRequested(
        window.gridTrackName->visualRect(first).center());
    window.menuTrack->close();
    ASSERT_EQ(tracks.ShownIndex(), 0);
    EXPECT_EQ(window.gridTrack->model()->rowCount(),
              static_cast<int>(tracks.List()[0].points.size()));
    EXPECT_EQ(MapLines(*window.webMap)[0].highlighted, true);

    // A track unticked in the Select column leaves the map at once.
    const QModelIndex select =
        window.gridTrackName->model()->index(1, static_cast<int>(ListColumn::Select));
    QTest::mouseClick(window.gridTrackName->viewport(), Qt::LeftButton, Qt::NoModifier,
                      window.gridTrackName->visualRect(select).center());
    EXPECT_FALSE(tracks.List()[1].selected);
    EXPECT_EQ(MapLines(*window.webMap), (std::vector<MapLine>{{"Track0", swatch(1), false}}));
    EXPECT_EQ(PageState(*window.webMap)["legend"].toArray(), (QJsonArray{"Track0"}));
    window.gridTrackNameClick(1);

    ProfileChart& chart = *window.chartAltitude;
    EXPECT_EQ(chart.LeftAxisTitle(), QStringLiteral("Altitude (m)"));
    EXPECT_EQ(chart.BottomAxisTitle(), QStringLiteral("Distance (km)"));
    EXPECT_EQ(LastX(chart), TrackKm(tracks.List()[0]));

    // Another profile, other units, another track: each shows at once.
    window.rbPathSpeed->click();
    EXPECT_EQ(chart.LeftAxisTitle(), QStringLiteral("Speed (km/h)"));
    window.rbImperial->click();
    EXPECT_EQ(chart.LeftAxisTitle(), QStringLiteral("Speed (mph)"));
    EXPECT_EQ(chart.BottomAxisTitle(), QStringLiteral("Distance (mi)"));
    EXPECT_EQ(LastX(chart), TrackKm(tracks.List()[0]) * KmToMile);
    window.gridTrackNameClick(2);
    EXPECT_EQ(LastX(chart), TrackKm(tracks.List()[1]) * KmToMile);
    window.rbMetric->click();
    window.rbPathAltitude->click();
    EXPECT_EQ(LastX(chart), TrackKm(tracks.List()[1]));
    EXPECT_TRUE(messages.shown.empty());
}

// While a (paced, so slow) track download runs, every download and upload
// button is off and the bar is up; afterwards each is back as the core says.
TEST_F(WindowTest, TransferButtonsAreAllOffWhileADownloadRuns) {
    TfmMain& window = Open({.pace = true});
    ASSERT_TRUE(Download(window.btnLoadPOI));
    ASSERT_TRUE(window.btnStorePoi->isEnabled());
    window.btnDownloadFrGuider->click();
    ASSERT_TRUE(WaitFor([&] { return window.Core().link().Progress().BlocksReceived >= 1; }));
    for (QAbstractButton* button :
         {window.btnDownloadFrGuider, window.btnLoadTrack, window.btnLoadPlan, window.btnLoadPOI,
          window.btnStorePlan, window.btnStorePoi})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_FALSE(window.pbarLoading->isHidden());
    ASSERT_TRUE(WaitFor([&] { return !window.Core().link().TransferRunning(); }));
    EXPECT_TRUE(window.btnDownloadFrGuider->isEnabled() && window.btnLoadTrack->isEnabled() &&
                window.btnLoadPlan->isEnabled() && window.btnLoadPOI->isEnabled());
    EXPECT_TRUE(window.btnStorePoi->isEnabled());
    EXPECT_FALSE(window.btnStorePlan->isEnabled());  // no plan to send
    EXPECT_TRUE(window.pbarLoading->isHidden());
    EXPECT_TRUE(messages.shown.empty());
}

// A transfer under way shows its bytes, its rate and an upload's size; the
// Cancel button and Escape end a download on the line (CAN, then the link
// reset) with nothing kept, and the device answers the next request.
TEST_F(WindowTest, ATransferShowsItsProgressAndCancelEndsItWithNothingKept) {
    struct Way {
        const char* name;
        std::function<void(TfmMain&)> cancel;
    };
    const Way ways[] = {
        {"the button", [](TfmMain& w) { w.btnCancelTransfer->click(); }},
        {"Escape", [](TfmMain& w) { QTest::keyClick(&w, Qt::Key_Escape); }}};
    TfmMain& window = Open({.pace = true});
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::string can(1, static_cast<char>(kCan));
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        window.btnDownloadFrGuider->click();
        ASSERT_TRUE(WaitFor([&] { return window.Core().link().Progress().BlocksReceived >= 2; }));
        QTest::qWait(600);
        EXPECT_TRUE(window.btnCancelTransfer->isVisible());
        const QString shown = window.lblTransfer->text();
        EXPECT_TRUE(shown.startsWith(QStringLiteral("Downloading: ")) && shown.contains("KiB received, ") &&
                    shown.endsWith(QStringLiteral("/s")))
            << shown.toStdString();
        Device().TakeReceived();
        way.cancel(window);
        EXPECT_FALSE(window.Core().link().TransferRunning());
        EXPECT_TRUE(window.Core().tracks.List().empty());
        EXPECT_FALSE(window.btnCancelTransfer->isVisible());
        EXPECT_TRUE(window.statusBar()->currentMessage().contains(QStringLiteral("cancelled")));
        const std::vector<std::uint8_t> sent = Device().TakeReceived();
        EXPECT_NE(std::string(sent.begin(), sent.end()).find(can), std::string::npos);
    }
    Device().SetLineOptions({});
    ASSERT_TRUE(Download(window.btnLoadPOI));
    EXPECT_TRUE(window.Core().tracks.List().empty());
    window.btnStorePoi->click();
    EXPECT_TRUE(window.lblTransfer->text().startsWith(QStringLiteral("Uploading: 0 bytes of ")))
        << window.lblTransfer->text().toStdString();
    EXPECT_TRUE(WaitFor([&] { return !window.Core().link().TransferRunning(); }));
    EXPECT_TRUE(messages.shown.empty());
}

// The device unplugged mid-download: the window says which port was lost
// and is idle again, without a restart.
TEST_F(WindowTest, UnplugDuringADownloadIsToldAndTheWindowIsIdleAgain) {
    TfmMain& window = Open({.hangUpAfter = 2});
    window.btnDownloadFrGuider->click();
    ASSERT_TRUE(WaitFor([&] { return window.Core().link().Progress().PortFailures == 1; }));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("the connection to the device on /dev/pts/"),
              std::string::npos);
    EXPECT_TRUE(window.btnDownloadFrGuider->isEnabled());
    EXPECT_TRUE(window.pbarLoading->isHidden());
}

TEST_F(WindowTest, PlanAndPoiDownloadsFillTheListsAndTheirCommandsReachThePages) {
    TfmMain& window = Open();
    ASSERT_TRUE(PagesReady());
    ASSERT_TRUE(Download(window.btnLoadPOI));
    ASSERT_GT(window.Core().pois.PoiCount, 0);
    EXPECT_TRUE(window.btnSavePoi->isEnabled());
    EXPECT_TRUE(window.btnStorePoi->isEnabled());

    window.gridPoiClick(1);
    window.gridPoiDblClick();
    const TextGrid& poi = window.Core().pois.gridPoi;
    const QJsonObject shown = PageState(*window.webPoi);
    ASSERT_EQ(shown["markers"].toArray().size(), 1);
    EXPECT_DOUBLE_EQ(shown["markers"].toArray()[0].toArray()[0].toDouble(),
                     std::stod(poi.Cell(1, 1)));
    EXPECT_EQ(shown["info"].toString(), QString::fromStdString(poi.Cell(0, 1)));
    EXPECT_EQ(shown["pois"].toArray().size(), window.Core().pois.PoiCount);  // all at once

    ASSERT_TRUE(Download(window.btnLoadPlan));
    PlanList& plans = window.Core().plans;
    ASSERT_GT(plans.PlanCount, 1);
    const std::string second = plans.gridPlan.Cell(0, 2);

    // The title dialog: Cancel keeps the title, OK replaces it.
    window.gridPlanClick(1);
    const std::string first = plans.gridPlan.Cell(0, 1);
    QTimer::singleShot(0, &window, [&] { window.dlgPlanName->CancelBtn->click(); });
    window.Modify2Click();
    EXPECT_EQ(plans.gridPlan.Cell(0, 1), first);
    QTimer::singleShot(0, &window, [&] {
        window.dlgPlanName->edPlanTitle->setText(QStringLiteral("Gate"));
        window.dlgPlanName->OKBtn->click();
    });
    window.Modify2Click();
    EXPECT_EQ(CellText(window.gridPlan, 0, 0), QStringLiteral("Gate"));

    const int count = plans.PlanCount;
    window.Delete1Click();
    EXPECT_EQ(plans.PlanCount, count - 1);
    EXPECT_EQ(CellText(window.gridPlan, 0, 0), QString::fromStdString(second));

    window.menuClearAllClick();
    EXPECT_EQ(window.Core().pois.PoiCount, 0);
    EXPECT_TRUE(CellText(window.gridPoi, 0, 0).isEmpty());
    EXPECT_TRUE(PageState(*window.webPoi)["markers"].toArray().isEmpty());
    EXPECT_TRUE(PageState(*window.webPoi)["pois"].toArray().isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowTest, MarkersPlacedOnThePlanPageComeBackIntoThePlanList) {
    TfmMain& window = Open();
    window.show();
    ASSERT_TRUE(PagesReady());
    ASSERT_TRUE(Download(window.btnLoadPlan));
    PlanList& plans = window.Core().plans;
    const int before = plans.PlanCount;
    ASSERT_GT(before, 0);
    const std::string firstTitle = plans.gridPlan.Cell(0, 1);
    window.pgctlMain->setCurrentWidget(window.sheetPlan);
    EXPECT_EQ(PageState(*window.webPlan)["highlighted"].toInt(), 0);  // as the list selects

    // A click beside the first marker places a new one at the end of the plan.
    const QString at = QStringLiteral("map.leaflet.latLngToContainerPoint([%1,%2])")
                           .arg(QString::fromStdString(plans.gridPlan.Cell(1, 1)),
                                QString::fromStdString(plans.gridPlan.Cell(2, 1)));
    const QPoint point(static_cast<int>(window.webPlan->EvaluateNumber(at + ".x")) + 40,
                       static_cast<int>(window.webPlan->EvaluateNumber(at + ".y")) + 40);
    QWidget* target = window.webPlan->focusProxy() ? window.webPlan->focusProxy() : window.webPlan;
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, point);
    ASSERT_TRUE(WaitFor([&] { return plans.PlanCount == before + 1; }, kPageMs));
    EXPECT_EQ(CellText(window.gridPlan, before, 0), QString::number(before));
    EXPECT_FALSE(CellText(window.gridPlan, before, 1).isEmpty());
    EXPECT_EQ(plans.gridPlan.Cell(0, 1), firstTitle);
    EXPECT_TRUE(window.btnSavePlan->isEnabled());

    // The new marker, numbered as its row, is the one picked in the list and
    // on the map; a click on the first marker picks the first row.
    EXPECT_EQ(window.gridPlan->currentIndex().row(), before);
    const QJsonObject page = PageState(*window.webPlan);
    EXPECT_EQ(page["highlighted"].toInt(), before);
    EXPECT_EQ(page["numbers"][0].toString(), QStringLiteral("1"));
    EXPECT_EQ(page["numbers"][before].toString(), QString::number(before + 1));
    const QPoint first(static_cast<int>(window.webPlan->EvaluateNumber(at + ".x")),
                       static_cast<int>(window.webPlan->EvaluateNumber(at + ".y")) - 16);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, first);
    ASSERT_TRUE(WaitFor([&] { return plans.Row == 1; }, kPageMs));
    EXPECT_EQ(window.gridPlan->currentIndex().row(), 0);
    EXPECT_EQ(PageState(*window.webPlan)["highlighted"].toInt(), 0);
    EXPECT_EQ(plans.PlanCount, before + 1);
}

TEST_F(WindowTest, ALanguageChangeReplacesTheTextsOfNamedComponents) {
    TfmMain& window = Open();
    window.comboLangChange(QStringLiteral("GERMAN"));
    EXPECT_TRUE(messages.shown.empty());
    const QTabWidget* tabs = window.pgctlMain;
    EXPECT_EQ(tabs->tabText(tabs->indexOf(window.sheetMap)), QStringLiteral("Karte"));
    EXPECT_EQ(window.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(),
              QStringLiteral("Maßeinheiten"));
    EXPECT_EQ(HeaderText(window.gridTrackName, 0), QStringLiteral("Trackname"));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("1.2.25")));
    EXPECT_EQ(window.comboLang->currentText(), QStringLiteral("Deutsch"));
    EXPECT_FALSE(window.memoLanguage->toPlainText().isEmpty());

    window.comboLangChange(QStringLiteral("ENGLISH"));
    EXPECT_EQ(tabs->tabText(tabs->indexOf(window.sheetMap)), QStringLiteral("Map"));
    EXPECT_EQ(window.btnOpenPlan->toolTip(), QStringLiteral("Open Plan File"));
    EXPECT_EQ(window.btnLoadPlan->toolTip(), QStringLiteral("Download Data From Vantrel"));
}

// Texts from a language file are shown as written, never read as markup.
TEST_F(WindowTest, LanguageTextsThatLookLikeMarkupShowTheirAngleBrackets) {
    const QString markup = QStringLiteral("<b>x</b>");
    std::string file;
    for (int line = 0; line < kLanguageLineCount; ++line)
        file += markup.toStdString() + "\r\n";
    WriteFile(data / "language" / "TAGS.man", file);
    TfmMain& window = Open();
    window.comboLangChange(QStringLiteral("TAGS"));
    EXPECT_TRUE(messages.shown.empty());
    const auto labels = window.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^Label")));
    ASSERT_FALSE(labels.isEmpty());
    for (QLabel* label : labels) {
        ASSERT_EQ(label->text(), markup) << label->objectName().toStdString();
        // Shown as the eight characters it holds, not as a bold "x".
        QLabel bold;
        bold.setText(markup);
        EXPECT_GT(label->sizeHint().width(), 2 * bold.sizeHint().width())
            << label->objectName().toStdString();
    }
    const QString tip = window.btnOpenPlan->toolTip();
    EXPECT_NE(tip.indexOf(QStringLiteral("&lt;b&gt;x&lt;/b&gt;")), -1) << tip.toStdString();
}

TEST_F(WindowTest, APoiDownloadALanguageChangeAndAnUploadLeaveTheDevicesBytes) {
    // Times that a shift by the window's +8 carries over a leap day, a month
    // end and a year end.
    sim::DeviceMemory memory = sim::DemoMemory(1, 20);
    const sim::PoiEntry entries[] = {{2012, 2, 29, 23, 30, 0, 22.3, 114.2},
                                     {2010, 12, 31, 23, 59, 59, -33.8568, 151.2153},
                                     {2012, 2, 28, 16, 0, 1, 1.5, -2.5},
                                     {2011, 1, 1, 0, 10, 0, 47.3769, 8.5417}};
    memory.poi = sim::PoiImage(entries);
    const std::vector<std::uint8_t> device = memory.poi;
    TfmMain& window = Open({}, std::move(memory));
    window.show();  // as the program shows it: a hidden page draws nothing
    ASSERT_TRUE(Download(window.btnLoadPOI));
    ASSERT_EQ(window.Core().pois.PoiCount, 4);
    EXPECT_EQ(CellText(window.gridPoi, 0, 0), QStringLiteral("2012/03/01 07:30:00"));
    EXPECT_EQ(CellText(window.gridPoi, 2, 0), QStringLiteral("2012/02/29 00:00:01"));

    // The language box is a list: a language comes only from a pick, and a
    // language leaves the zone as it was.
    EXPECT_FALSE(window.comboLang->isEditable());
    emit window.comboLang->textActivated(QStringLiteral("GERMAN"));
    EXPECT_EQ(window.pgctlMain->tabText(0), QStringLiteral("Karte"));
    EXPECT_EQ(window.comboTimeZone->currentText(), QStringLiteral("8"));
    EXPECT_EQ(window.comboTimeZoneTrk->currentText(), QStringLiteral("8"));
    EXPECT_EQ(window.Core().values.LocalZoneOffset, ZoneOffset::Hours(8));

    ASSERT_TRUE(Upload(window.btnStorePoi));
    // The device keeps what it got once the PC's end of transfer arrives.
    ASSERT_TRUE(WaitFor([&] { return Device().Uploaded(sim::Payload::Poi).has_value(); }));
    EXPECT_TRUE(messages.shown.empty());
    // The records come back byte for byte; the rest of the last block is the
    // 0xFF of erased memory, which ends the list.
    const std::vector<std::uint8_t> kept = Device().Memory().poi;
    ASSERT_GE(kept.size(), device.size());
    EXPECT_EQ(std::vector<std::uint8_t>(kept.begin(), kept.begin() + device.size()), device);
    EXPECT_TRUE(std::all_of(kept.begin() + device.size(), kept.end(),
                            [](std::uint8_t b) { return b == 0xFF; }));
}

TEST_F(WindowTest, TheLanguageChosenComesBackAtTheNextStart) {
    TfmMain& first = Open();
    emit first.comboLang->textActivated(QStringLiteral("GERMAN"));
    ASSERT_EQ(first.pgctlMain->tabText(0), QStringLiteral("Karte"));
    TfmMain& second = OpenWith(nullptr);
    EXPECT_EQ(second.pgctlMain->tabText(0), QStringLiteral("Karte"));
    EXPECT_EQ(second.comboLang->currentText(), QStringLiteral("Deutsch"));
    EXPECT_EQ(HeaderText(second.gridTrackName, 0), QStringLiteral("Trackname"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WindowTest, AZoneWithMinutesShowsTheLocalTimeOfEveryPoi) {
    options.probes.readZone = [] { return ZoneBias{-330, false, 0}; };  // India
    TfmMain& window = Open();
    EXPECT_EQ(window.comboTimeZone->currentText(), QStringLiteral("5:30"));
    EXPECT_EQ(window.comboTimeZoneTrk->currentText(), QStringLiteral("5:30"));
    ASSERT_TRUE(Download(window.btnLoadPOI));
    // The device's first POI is 2010/05/03 14:05:09.
    EXPECT_EQ(CellText(window.gridPoi, 0, 0), QStringLiteral("2010/05/03 19:35:09"));
    ASSERT_TRUE(PagesReady());
    window.gridPoiClick(1);
    window.gridPoiDblClick();

    // Newfoundland, picked on the Track page, shows on the POI page too, and
    // the list is shown again in it, on the map as in the grid.
    window.comboTimeZoneChange(QStringLiteral("-3:30"));
    EXPECT_EQ(window.comboTimeZone->currentText(), QStringLiteral("-3:30"));
    EXPECT_EQ(window.Core().values.LocalZoneOffset, ZoneOffset{-210});
    EXPECT_EQ(CellText(window.gridPoi, 0, 0), QStringLiteral("2010/05/03 10:35:09"));
    const QJsonObject page = PageState(*window.webPoi);
    EXPECT_EQ(page["pois"].toArray().size(), window.Core().pois.PoiCount);
    EXPECT_EQ(page["pois"][0]["title"].toString(), QStringLiteral("2010/05/03 10:35:09"));
    EXPECT_EQ(page["info"].toString(), QStringLiteral("2010/05/03 10:35:09"));
    ASSERT_TRUE(Download(window.btnLoadPOI));
    EXPECT_EQ(CellText(window.gridPoi, 0, 0), QStringLiteral("2010/05/03 10:35:09"));
    EXPECT_NE(window.comboTimeZone->findText(QStringLiteral("+5:45")), -1);
    EXPECT_TRUE(messages.shown.empty());
}

// Titles and names the device or the track file cannot hold are refused in
// their dialogs, which stay open; a late plan page is told and changes
// nothing.
TEST_F(WindowTest, RefusedTitlesAndALatePlanPageChangeNothingAndAreReported) {
    TfmMain& window = Open();
    ASSERT_TRUE(PagesReady());
    ASSERT_TRUE(Download(window.btnLoadPlan));
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    PlanList& plans = window.Core().plans;
    const TextGrid before = plans.gridPlan;
    const int count = plans.PlanCount;
    window.gridPlanClick(1);
    window.gridTrackName->selectRow(0);

    TdlgPlanName& plan = *window.dlgPlanName;
    TdlgModifyTrackName& track = *window.dlgModifyTrackName;
    struct Case {
        QDialog* dialog;
        QLineEdit* edit;
        QPushButton* ok;
        QPushButton* cancel;
        void (TfmMain::*open)();
        QString text;
        std::string refusal;
    };
    const Case cases[] = {
        {&plan, plan.edPlanTitle, plan.OKBtn, plan.CancelBtn, &TfmMain::Modify2Click, {},
         "A plan point needs a title"},
        {&plan, plan.edPlanTitle, plan.OKBtn, plan.CancelBtn, &TfmMain::Modify2Click,
         QString(32, QLatin1Char('x')),
         "The title '" + std::string(32, 'x') + "' has 32 characters, more than the 31 a plan "
                                                "title holds"},
        {&track, track.edTrackName, track.OKBtn, track.CancelBtn, &TfmMain::Modify1Click,
         QString(21, QLatin1Char('y')), "A track name holds at most 20 characters; this one has 21."}};
    for (const Case& c : cases) {
        messages.shown.clear();
        bool stayedOpen = false;
        QTimer::singleShot(0, &window, [&] {
            c.edit->setText(c.text);
            c.ok->click();
            stayedOpen = c.dialog->isVisible();
            c.cancel->click();
        });
        (window.*c.open)();
        EXPECT_TRUE(stayedOpen) << c.refusal;
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{c.refusal, "Warning"}}));
    }
    EXPECT_EQ(plans.gridPlan.Cell(0, 1), before.Cell(0, 1));
    EXPECT_EQ(window.Core().tracks.List()[0].name, "Track0");

    // A plan page that answers after the bounded wait: the user is told and
    // the list stays as it was.
    messages.shown.clear();
    window.webPlan->RunPageScript(
        QStringLiteral("getMarkersNumber = function () { var t = Date.now();"
                       " while (Date.now() - t < %1) {} return 0; };")
            .arg(WebMapView::kCallTimeoutMs + 500)
            .toStdString());
    window.webPlanBodyClicked();
    EXPECT_EQ(messages.shown,
              (std::vector<ShownMessage>{{std::string(kPlanPageSilentText), "Error"}}));
    EXPECT_EQ(plans.PlanCount, count);
    for (int row = 1; row <= count + 1; ++row)
        for (int col = 0; col < kListColumns; ++col)
            EXPECT_EQ(plans.gridPlan.Cell(col, row), before.Cell(col, row)) << row << "," << col;
}

TEST_F(WindowTest, ModifyChangesTheColourOnlyWhenOnePicksOne) {
    TfmMain& window = Open();
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    TrackStore& tracks = window.Core().tracks;
    window.gridTrackName->selectRow(0);
    const std::uint32_t chosen = 0xFF8000;  // blue 255, green 128, red 0

    // A colour picked and then Cancel: nothing changes.
    QTimer::singleShot(0, &window, [&] {
        window.dlgModifyTrackName->edTrackName->setText(QStringLiteral("Lost"));
        window.dlgModifyTrackName->btnColor->click();
        window.dlgModifyTrackName->CancelBtn->click();
    });
    window.Modify1Click();
    EXPECT_EQ(tracks.List()[0].name, "Track0");
    EXPECT_EQ(tracks.List()[0].color, 255u);

    // A new name alone keeps the colour.
    QTimer::singleShot(0, &window, [&] {
        window.dlgModifyTrackName->edTrackName->setText(QStringLiteral("Hill"));
        window.dlgModifyTrackName->OKBtn->click();
    });
    window.Modify1Click();
    EXPECT_EQ(CellText(window.gridTrackName, 0, 0), QStringLiteral("Hill"));
    EXPECT_EQ(CellText(window.gridTrackName, 0, 1), QStringLiteral("255"));

    // A colour picked and OK: the colour changes.
    QTimer::singleShot(0, &window, [&] {
        window.dlgModifyTrackName->btnColor->click();
        window.dlgModifyTrackName->OKBtn->click();
    });
    window.Modify1Click();
    EXPECT_EQ(CellText(window.gridTrackName, 0, 1), QString::number(chosen));
    EXPECT_EQ(tracks.CurrentTrackColor, chosen);

    window.menuDeleteClick();
    EXPECT_EQ(CellText(window.gridTrackName, 0, 0), QStringLiteral("Track1"));
    // The changes are not saved: Clear All asks first.
    questionAnswers = {QuestionAnswer::No};
    window.ClearAll1Click();
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(CellText(window.gridTrackName, 0, 0).isEmpty());
    EXPECT_FALSE(window.btnSaveTrackFile->isEnabled());  // nothing is left to save
}

TEST_F(WindowTest, APortThatCannotBeOpenedIsReportedAndTheWindowGoesOn) {
    FixedLocator nowhere((data / "no-such-tty").string());
    TfmMain& window = OpenWith(&nowhere);
    window.btnDownloadFrGuider->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("no-such-tty"), std::string::npos);
    EXPECT_TRUE(window.btnDownloadFrGuider->isEnabled());

    messages.shown.clear();
    window.timerShowLogoTimer();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("There is no serial port ", 0), 0u) << messages.shown[0].text;

    // The window still works.
    window.comboTimeZoneChange(QStringLiteral("+3"));
    EXPECT_EQ(window.Core().values.LocalZoneOffset, ZoneOffset::Hours(3));
    EXPECT_EQ(window.comboTimeZoneTrk->currentText(), QStringLiteral("+3"));
}

TEST_F(WindowTest, AMissingPageFileIsReportedOnceAndTheWindowOpens) {
    std::filesystem::remove_all(data / "map");
    TfmMain& window = OpenWith(nullptr);
    EXPECT_EQ(messages.shown,
              (std::vector<ShownMessage>{{std::string(kPageFileMissingText), "Error"}}));
    EXPECT_TRUE(PagesReady());
    EXPECT_TRUE(window.isEnabled());
}

// The colour a grid shows at the middle of a cell.
QColor PaintedColour(QTableView* view, int row, int column) {
    const QImage picture = view->viewport()->grab().toImage();
    return picture.pixelColor(view->visualRect(view->model()->index(row, column)).center());
}

TEST_F(WindowTest, OwnerDrawnCellsShowTheTrackColourAndBluePlanTitles) {
    TfmMain& window = Open();
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    ASSERT_TRUE(Download(window.btnLoadPlan));
    window.show();
    window.pgctlMain->setCurrentWidget(window.sheetTrack);
    EXPECT_EQ(PaintedColour(window.gridTrackName, 0, 1), QColor(255, 0, 0));  // 255 is red
    EXPECT_NE(PaintedColour(window.gridTrackName, 5, 1), QColor(255, 0, 0));  // an empty row
    window.pgctlMain->setCurrentWidget(window.sheetPlan);
    const QColor title = PaintedColour(window.gridPlan, 0, 0);
    EXPECT_EQ(title.blue(), 255);
    EXPECT_NE(PaintedColour(window.gridPlan, 0, 1), title);
    EXPECT_NE(PaintedColour(window.gridPlan, 200, 0), title);
}

TEST_F(WindowTest, FilesAreSavedAndOpenedAtTheChosenPathsAndFailuresAreShown) {
    TfmMain& window = Open();
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    ASSERT_TRUE(Download(window.btnLoadPOI));
    const int pois = window.Core().pois.PoiCount;

    fileAnswers = {{data.File("tracks.trk")}, {data.File("points.wpt")}};
    window.btnSaveTrackFile->click();
    window.btnSavePoi->click();
    ASSERT_EQ(fileRequests.size(), 2u);
    EXPECT_TRUE(fileRequests[0].save);
    EXPECT_EQ(fileRequests[0].filters.front().format, FileFormat::Trk);
    EXPECT_EQ(fileRequests[1].filters.front().format, FileFormat::Wpt);
    EXPECT_EQ(fileRequests[1].filters.back().pattern, QStringLiteral("*"));

    window.ClearAll1Click();
    window.menuClearAllClick();
    EXPECT_TRUE(CellText(window.gridTrackName, 0, 0).isEmpty());
    fileAnswers = {{data.File("tracks.trk")}, {data.File("points.wpt")}};
    window.btnOpenTrackFile->click();
    window.btnOpenPoi->click();
    EXPECT_EQ(CellText(window.gridTrackName, 1, 0), QStringLiteral("Track1"));
    EXPECT_EQ(window.Core().pois.PoiCount, pois);
    EXPECT_TRUE(messages.shown.empty());
    // The dialogs start in the folder chosen last.
    window.btnOpenTrackFile->click();
    EXPECT_EQ(fileRequests.back().folder, QString::fromStdString(data.Path().string()));

    // A cancelled dialog does nothing; a file that cannot be written is reported.
    EXPECT_EQ(CellText(window.gridTrackName, 1, 0), QStringLiteral("Track1"));
    fileAnswers = {{data.File("missing/folder/points.wpt")}};
    window.btnSavePoi->click();
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{
                                  {"Cannot save points.wpt: No such file or directory", "Error"}}));

    // A time zone that is not a number is refused; the choosers keep theirs.
    messages.shown.clear();
    window.comboTimeZoneChange(QStringLiteral("east"));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(window.Core().values.LocalZoneOffset, ZoneOffset::Hours(8));
    EXPECT_EQ(window.comboTimeZone->currentText(), QStringLiteral("8"));
}

// The tour's device has a track at Basel, where three countries meet: with
// no tile server and an empty cache, the Map page's picture shows the track
// on land with the borders around it.
TEST_F(WindowTest, TheScreenshotTourSavesEveryTabAfterItsDownloads) {
    sim::DeviceMemory memory = sim::DemoMemory(2, 300);
    std::vector<sim::TrackPoint> basel;
    for (int i = 0; i < 40; ++i)
        basel.push_back({sim::kFirstTrackSecond + 5u * static_cast<unsigned>(i), 47.50 + 0.004 * i,
                         7.50 + 0.004 * i, 300, 1.4, i == 0});
    memory.tracks = sim::LayOutTrackMemory(basel);
    TfmMain& window = Open({}, std::move(memory));
    window.show();  // as the program shows it: a hidden page draws nothing
    ScratchFolder shots;
    ScreenshotRun tour(window, QString::fromStdString((shots / "tabs").string()));
    ASSERT_EQ(tour.Run(), 0);
    for (const char* name : {"1-Map.png", "2-Data.png", "3-Plan.png", "4-POI.png", "5-Track.png",
                             "6-Status.png", "8-Map-large.png"})
        EXPECT_GT(std::filesystem::file_size(shots / "tabs" / name), 0u) << name;
    EXPECT_EQ(QImage(QString::fromStdString((shots / "tabs" / "8-Map-large.png").string())).size(),
              QSize(1600, 1000));
    EXPECT_GT(window.Core().pois.PoiCount, 0);
    EXPECT_FALSE(window.edRoute->text().isEmpty());
    EXPECT_FALSE(window.edRecordTime->text().isEmpty());
    EXPECT_EQ(PageState(*window.webMap)["lines"].toArray().size(), 1);
    EXPECT_EQ(window.comboLang->count(), 2);  // ENGLISH and GERMAN in the data folder
    const QImage map(QString::fromStdString((shots / "tabs" / "1-Map.png").string()));
    EXPECT_GT(CountColour(map, kLandColour), map.width() * map.height() / 2);
    EXPECT_GT(CountColour(map, kBorderColour), 100);
    EXPECT_EQ(PageState(*window.webMap)["background"].toString(), "world");
}

// An offline map opened from the Maps menu shows on every map page, is
// remembered for the next start and listed; the online map comes back.
TEST_F(WindowTest, AnOfflineMapOpenedFromTheMapsMenuIsShownAndRemembered) {
    MakeMbtiles(data / "green.mbtiles", {{"name", "Green"}, {"attribution", "Test land"}}, 0, 7,
                PngTile(Qt::green).toStdString());
    testing::WriteFile(data / "text.mbtiles", "not a map");
    fileAnswers = {{data.File("text.mbtiles")}, {data.File("green.mbtiles")}};
    {
        TfmMain& window = OpenWith(nullptr);
        window.show();
        ASSERT_TRUE(PagesReady());
        window.OpenOfflineMapClick();
        EXPECT_EQ(fileRequests.back().filters.front().pattern, QStringLiteral("*.mbtiles"));
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_NE(messages.shown[0].text.find("text.mbtiles is not an MBTiles file"),
                  std::string::npos);
        window.OpenOfflineMapClick();
        window.pgctlMain->setCurrentWidget(window.sheetPlan);
        EXPECT_TRUE(WaitFor([&] {
            const QImage picture = window.webPlan->grab().toImage();
            return window.webPlan->Settled() &&
                   picture.pixelColor(picture.width() / 2, picture.height() / 2) ==
                       QColor(Qt::green);
        }));
        emit window.menuMaps->aboutToShow();
        const QList<QAction*> items = window.menuMaps->actions();
        ASSERT_GE(items.size(), 3);
        EXPECT_EQ(items[0]->text(), QStringLiteral("Online map"));
        EXPECT_EQ(items[1]->text(), QStringLiteral("green.mbtiles"));
        EXPECT_TRUE(items[1]->isChecked());
        Close();
    }
    EXPECT_EQ(SettingsStore(options.settingsFile).ReadString("base_map"),
              data.File("green.mbtiles"));
    TfmMain& again = OpenWith(nullptr);
    again.show();
    ASSERT_TRUE(PagesReady());
    EXPECT_TRUE(WaitFor(
        [&] {
            return again.webMap->Settled() &&
                   PageState(*again.webMap)["background"].toString() == "tiles";
        },
        kPageMs));
    again.ChooseMap({});
    EXPECT_EQ(SettingsStore(options.settingsFile).ReadString("base_map"), "");
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(TdlgStartLogo, ShowsTheLogoAndClosesByItsTimer) {
    TdlgStartLogo splash;
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("Vantrel Services"));
    EXPECT_EQ(splash.timerStart.interval(), 4800);
    EXPECT_TRUE(splash.LoadPicture(ProgramDataDirectory() / "images" / "logostart.bmp"));
    EXPECT_FALSE(splash.LoadPicture("/nonexistent/logostart.bmp"));
    splash.timerStart.setInterval(1);
    splash.timerStart.start();
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace vantrel::testing
