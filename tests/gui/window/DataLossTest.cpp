// The window loses nothing the user has without a question: an open that
// fails keeps every list, a save writes what its filter or name says, and
// an empty upload, a download or closing over unsaved changes ask first.

#include <QAbstractButton>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

#include "base/AtomicFile.h"
#include "tests/gui/window/WindowFixture.h"
#include "window/web/WebMapView.h"

namespace vantrel::testing {
namespace {

// Every cell a grid shows, row by row.
QStringList Cells(QTableView* view) {
    QStringList cells;
    const QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        for (int column = 0; column < model->columnCount(); ++column)
            cells << model->index(row, column).data().toString();
    return cells;
}

// A page's list and its buttons.
struct Page {
    const char* name;
    ListKind kind;
    QTableView* TfmMain::*grid;
    QToolButton* TfmMain::*download;
    QPushButton* TfmMain::*open;
    QPushButton* TfmMain::*save;
    void (TfmMain::*clear)();
};
constexpr Page kTrackPage{"tracks", ListKind::Track, &TfmMain::gridTrackName,
                          &TfmMain::btnDownloadFrGuider, &TfmMain::btnOpenTrackFile,
                          &TfmMain::btnSaveTrackFile, &TfmMain::ClearAll1Click};
constexpr Page kPlanPage{"plan", ListKind::Plan, &TfmMain::gridPlan, &TfmMain::btnLoadPlan,
                         &TfmMain::btnOpenPlan, &TfmMain::btnSavePlan, &TfmMain::menuClearClick};
constexpr Page kPoiPage{"POIs", ListKind::Poi, &TfmMain::gridPoi, &TfmMain::btnLoadPOI,
                        &TfmMain::btnOpenPoi, &TfmMain::btnSavePoi, &TfmMain::menuClearAllClick};

class DataLossTest : public WindowTest {
  protected:
    // The window with every list downloaded from the device.
    TfmMain& OpenDownloaded() {
        TfmMain& window = Open();
        EXPECT_TRUE(PagesReady());
        for (const Page& page : {kTrackPage, kPlanPage, kPoiPage})
            EXPECT_TRUE(Download(window.*page.download)) << page.name;
        return window;
    }
};

TEST_F(DataLossTest, AFileThatCannotBeOpenedLeavesEveryListAsItWas) {
    TfmMain& window = OpenDownloaded();
    WriteFile(data / "day3.kml", "<?xml version=\"1.0\"?><kml><Document/></kml>");
    WriteFile(data / "plan.csv", "title,latitude,longitude\nGate,91,8\n");
    WriteFile(data / "pois.gpx", "<gpx version=\"1.1\"><trk/></gpx>");
    WriteFile(data / "cut.trk", std::string(5000, '\x01'));
    struct Case {
        Page page;
        const char* file;
        const char* reason;
    };
    for (const Case& c : {Case{kTrackPage, "day3.kml", "a KML file keeps the line of a track"},
                          Case{kTrackPage, "cut.trk", "it is no track file"},
                          Case{kPlanPage, "plan.csv", "row 1: '91' is not a valid latitude"},
                          Case{kPoiPage, "pois.gpx", "holds no route point and no waypoint"}}) {
        const QStringList before = Cells(window.*c.page.grid);
        const QStringList points = Cells(window.gridTrack);
        const QJsonArray markers = PageState(*window.webPlan)["markers"].toArray();
        messages.shown.clear();
        fileAnswers = {{data.File(c.file)}};
        (window.*c.page.open)->click();
        ASSERT_EQ(messages.shown.size(), 1u) << c.file;
        EXPECT_EQ(messages.shown[0].text.rfind("Cannot open " + std::string(c.file) + ": ", 0), 0u)
            << messages.shown[0].text;
        EXPECT_NE(messages.shown[0].text.find(c.reason), std::string::npos)
            << messages.shown[0].text;
        EXPECT_EQ(messages.shown[0].caption, "Error");
        EXPECT_EQ(Cells(window.*c.page.grid), before) << c.file;
        EXPECT_EQ(Cells(window.gridTrack), points) << c.file;
        EXPECT_EQ(PageState(*window.webPlan)["markers"].toArray(), markers) << c.file;
        EXPECT_TRUE((window.*c.page.save)->isEnabled()) << c.file;
    }
}

// A name in a format the page offers is written in it; any other name in
// the chosen filter's format, with its extension when it has none.
TEST_F(DataLossTest, EachFilterWritesItsFormat) {
    TfmMain& window = OpenDownloaded();
    using F = FileFormat;
    struct Case {
        Page page;
        std::optional<FileFormat> filter;
        const char* typed;
        const char* written;
        const char* holds;
    };
    for (const Case& c :
         {Case{kTrackPage, F::Kml, "day3kml", "day3kml.kml", "<kml"},
          Case{kTrackPage, F::Trk, "day3.gpx", "day3.gpx", "<trkpt"},
          Case{kTrackPage, F::Csv, "day3", "day3.csv", "track,time,latitude"},
          Case{kTrackPage, std::nullopt, "day3.trk", "day3.trk", "Track0"},
          Case{kPlanPage, F::Gpx, "myplan", "myplan.gpx", "<rtept"},
          Case{kPlanPage, F::Rte, "route.gpx", "route.gpx", "<rte>"},
          Case{kPlanPage, F::Csv, "myplan", "myplan.csv", "title,latitude"},
          Case{kPoiPage, F::Gpx, "mine", "mine.gpx", "<wpt"},
          Case{kPoiPage, F::Wpt, "mine", "mine.wpt", "\xff\xff"},
          Case{kPoiPage, F::Csv, "mine.csv", "mine.csv", "time,latitude"}}) {
        fileAnswers = {{data.File(c.typed), c.filter}};
        (window.*c.page.save)->click();
        const auto bytes = ReadFileBytes(data / c.written);
        ASSERT_TRUE(bytes.has_value()) << c.written;
        std::string text = *bytes;
        if (c.page.kind == ListKind::Track && std::string(c.written).ends_with(".trk"))
            text = CodePage("UTF-16LE").ToUtf8(text.substr(0, 4224));
        EXPECT_NE(text.find(c.holds), std::string::npos) << c.written;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DataLossTest, AGpxSavedOnEachPageOpensThereAgain) {
    TfmMain& window = OpenDownloaded();
    for (const Page& page : {kTrackPage, kPlanPage, kPoiPage}) {
        const QStringList before = Cells(window.*page.grid);
        const std::string file = data.File(std::string(page.name) + ".gpx");
        fileAnswers = {{file, FileFormat::Gpx}, {file}};
        (window.*page.save)->click();
        ASSERT_TRUE(std::filesystem::exists(file)) << page.name;
        (window.*page.clear)();
        EXPECT_NE(Cells(window.*page.grid), before) << page.name;
        (window.*page.open)->click();
        EXPECT_EQ(Cells(window.*page.grid), before) << page.name;
    }
    for (const ShownMessage& shown : messages.shown) ADD_FAILURE() << shown.text;
    EXPECT_TRUE(questions.empty());  // nothing unsaved was at stake
}

TEST_F(DataLossTest, AnEmptyUploadAsksFirstAndNoSendsNothing) {
    TfmMain& window = OpenDownloaded();
    window.menuClearClick();
    window.menuClearAllClick();
    struct Case {
        QToolButton* button;
        sim::Payload payload;
        const char* erased;
    };
    for (const Case& c : {Case{window.btnStorePlan, sim::Payload::Plan, "the route plan"},
                          Case{window.btnStorePoi, sim::Payload::Poi, "every POI"}}) {
        ASSERT_TRUE(c.button->isEnabled());
        const std::uint64_t written = window.Core().link().Progress().BytesWritten;
        questions.clear();
        questionAnswers = {QuestionAnswer::No};
        c.button->click();
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_NE(questions[0].find(c.erased), std::string::npos) << questions[0];
        EXPECT_FALSE(window.Core().link().TransferRunning());
        EXPECT_EQ(window.Core().link().Progress().BytesWritten, written);
        EXPECT_FALSE(Device().Uploaded(c.payload).has_value());

        questionAnswers = {QuestionAnswer::Yes};
        ASSERT_TRUE(Upload(c.button));
        EXPECT_TRUE(WaitFor([&] { return Device().Uploaded(c.payload).has_value(); }));
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DataLossTest, UnsavedChangesAskBeforeADownloadAndBeforeClosing) {
    TfmMain& window = OpenDownloaded();
    window.show();
    TrackStore& tracks = window.Core().tracks;
    auto rename = [&](const char* name) {
        window.gridTrackName->selectRow(0);
        QTimer::singleShot(0, &window, [&] {
            window.dlgModifyTrackName->edTrackName->setText(QString::fromLatin1(name));
            window.dlgModifyTrackName->OKBtn->click();
        });
        window.Modify1Click();
    };
    rename("Hill");
    ASSERT_TRUE(tracks.Modified());

    // Cancel keeps the list and sends nothing; No downloads over it.
    const unsigned downloads = window.Core().link().Progress().DownloadsFinished;
    questionAnswers = {QuestionAnswer::Cancel};
    window.btnDownloadFrGuider->click();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_NE(questions[0].find("the tracks"), std::string::npos) << questions[0];
    EXPECT_FALSE(window.Core().link().TransferRunning());
    EXPECT_EQ(tracks.List()[0].name, "Hill");
    questionAnswers = {QuestionAnswer::No};
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    EXPECT_GT(window.Core().link().Progress().DownloadsFinished, downloads);
    EXPECT_EQ(tracks.List()[0].name, "Track0");
    EXPECT_FALSE(tracks.Modified());

    // Closing: Cancel keeps the window; Yes saves and closes.
    rename("Ridge");
    window.gridPlanClick(1);
    window.Delete1Click();
    questions.clear();
    questionAnswers = {QuestionAnswer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible());
    const std::string saved = data.File("kept.gpx");
    questionAnswers = {QuestionAnswer::Yes, QuestionAnswer::No};
    fileAnswers = {{saved}};
    window.close();
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(questions.size(), 3u);  // the tracks (cancelled), the tracks, the plan
    EXPECT_NE(questions[2].find("the plan"), std::string::npos) << questions[2];
    EXPECT_NE(ReadFileBytes(saved).value_or("").find("<name>Ridge</name>"), std::string::npos);
}

TEST_F(DataLossTest, AResizedWindowGrowsItsMapAndKeepsItsPlace) {
    {
        TfmMain& window = Open();
        window.show();
        ASSERT_TRUE(PagesReady());
        EXPECT_EQ(window.size(), TfmMain::kDesignSize);
        const QSize small = window.webMap->size();
        window.resize(1600, 1000);
        ASSERT_TRUE(WaitFor([&] {
            return window.webMap->EvaluateNumber(QStringLiteral("map.leaflet.getSize().x")) >
                   1500;
        }));
        EXPECT_GT(window.webMap->width(), small.width() + 700);
        EXPECT_GT(window.webMap->height(), small.height() + 400);
        EXPECT_GT(window.webMap->EvaluateNumber(QStringLiteral("map.leaflet.getSize().y")), 850);
        // The place and page come back at the next start (on a screen of
        // this test's 800 x 800).
        window.setGeometry(40, 30, 700, 500);
        window.pgctlMain->setCurrentWidget(window.sheetPlan);
        window.close();
    }
    TfmMain& again = Open();
    EXPECT_EQ(again.geometry(), QRect(40, 30, 700, 500));
    EXPECT_EQ(again.pgctlMain->currentWidget(), again.sheetPlan);
}

}  // namespace
}  // namespace vantrel::testing
