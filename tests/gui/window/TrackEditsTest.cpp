// The track edits in the window: points chosen in the point grid, tracks
// chosen in the list, the buttons, the Edit menu's Undo and Redo, and what
// a save then writes.

#include <QDoubleSpinBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>

#include "tests/gui/window/WindowFixture.h"
#include "tracks/Track.h"
#include "window/chart/ProfileChart.h"

namespace vantrel::testing {
namespace {

constexpr int kPoints = 300;  // each of the two downloaded tracks

// Selects view rows `first` to `last` whole, as a drag over them does.
void SelectRows(QTableView* view, int first, int last) {
    QAbstractItemModel* model = view->model();
    view->selectionModel()->select(
        QItemSelection(model->index(first, 0), model->index(last, model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

std::vector<std::size_t> PointCounts(const Tracks& tracks) {
    std::vector<std::size_t> counts;
    for (const Track& track : tracks)
        counts.push_back(track.points.size());
    return counts;
}

class TrackEditsTest : public WindowTest {
  protected:
    TfmMain& Downloaded() {
        TfmMain& window = Open();
        EXPECT_TRUE(Download(window.btnDownloadFrGuider));
        window.pgctlMain->setCurrentWidget(window.sheetTrack);
        return window;
    }
};

TEST_F(TrackEditsTest, ATrimUndoneAndRedoneIsWhatTheSavedFileHolds) {
    TfmMain& window = Downloaded();
    TrackStore& tracks = window.Core().tracks;
    const Track before = tracks.List()[0];
    EXPECT_FALSE(window.actUndo->isEnabled());
    EXPECT_FALSE(window.btnTrim->isEnabled());

    // Points 100 to 149 dragged on the profile, against the distance: from
    // just past the one before to just short of the one after.
    window.pgctlMain->setCurrentWidget(window.sheetData);
    ProfileChart& chart = *window.chartAltitude;
    const std::vector<double> along = DistancesAlong(before.points);
    const double y = chart.LeftAxis().min() + 1;
    const QPoint from = chart.PositionOf((along[99] + along[100]) / 2, y);
    const QPoint to = chart.PositionOf((along[149] + along[150]) / 2, y);
    QTest::mousePress(chart.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(chart.viewport(), to);
    QTest::mouseRelease(chart.viewport(), Qt::LeftButton, {}, to);
    ASSERT_EQ(chart.PickedRange(), (ProfileChart::Range{0, 100, 149}));
    ASSERT_EQ(window.ChosenRange(), (PointRange{100, 149}));
    window.pgctlMain->setCurrentWidget(window.sheetTrack);
    ASSERT_TRUE(window.btnTrim->isEnabled());
    if (const char* out = std::getenv("VANTREL_OUT"))
        window.grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/9-Track-points-chosen.png"));
    window.btnTrim->click();
    ASSERT_EQ(tracks.List()[0].points.size(), 50u);
    EXPECT_EQ(tracks.List()[0].points.front(), before.points[100]);
    EXPECT_EQ(window.gridTrack->model()->rowCount(), 50);
    EXPECT_EQ(window.edPoints->text(), QStringLiteral("50"));
    EXPECT_EQ(window.actUndo->text(), QStringLiteral("Undo Trim Track0"));

    window.actUndo->trigger();
    EXPECT_EQ(tracks.List()[0].points, before.points);
    EXPECT_EQ(window.gridTrack->model()->rowCount(), kPoints);
    EXPECT_EQ(window.edPoints->text(), QString::number(kPoints));
    EXPECT_EQ(window.actRedo->text(), QStringLiteral("Redo Trim Track0"));
    EXPECT_FALSE(window.actUndo->isEnabled());

    window.actRedo->trigger();
    ASSERT_EQ(tracks.List()[0].points.size(), 50u);
    const std::string file = data.File("trimmed.trk");
    fileAnswers = {{file}};
    ASSERT_TRUE(window.SaveListFile(ListKind::Track));
    TrackStore reread(window.Core().values);
    const FileResult read = reread.Open(file);
    ASSERT_EQ(read.outcome, FileResult::Outcome::Done) << read.message;
    ASSERT_EQ(PointCounts(reread.List()), (std::vector<std::size_t>{50, kPoints}));
    for (std::size_t i = 0; i < 50; ++i)
        EXPECT_EQ(reread.List()[0].points[i].time, before.points[100 + i].time) << i;
    EXPECT_TRUE(messages.shown.empty());
}

// Each edit from its button, on the points chosen in the grid or the
// tracks chosen in the list: the tracks it leaves, or the refusal shown
// with nothing changed.
TEST_F(TrackEditsTest, EachEditActsOnWhatIsChosenOrSaysWhyNot) {
    struct Case {
        const char* what;
        QTableView* TfmMain::*grid;
        int first, last;
        QPushButton* TfmMain::*button;
        std::vector<std::size_t> counts;
        std::string refusal;
    };
    const Case cases[] = {
        {"trim", &TfmMain::gridTrack, 0, 9, &TfmMain::btnTrim, {10, kPoints}, ""},
        {"delete", &TfmMain::gridTrack, 0, 99, &TfmMain::btnDeletePoints, {200, kPoints}, ""},
        {"split", &TfmMain::gridTrack, 120, 130, &TfmMain::btnSplit, {120, 180, kPoints}, ""},
        {"merge", &TfmMain::gridTrackName, 0, 1, &TfmMain::btnMerge, {2 * kPoints}, ""},
        {"trim all", &TfmMain::gridTrack, 0, kPoints - 1, &TfmMain::btnTrim, {kPoints, kPoints},
         "The range holds every point of Track0: nothing to trim."},
        {"split at the first", &TfmMain::gridTrack, 0, 5, &TfmMain::btnSplit, {kPoints, kPoints},
         "A track is split between two of its points: choose a point after the first of "
         "Track0."},
        {"no outliers", nullptr, 0, 0, &TfmMain::btnDropOutliers, {kPoints, kPoints},
         "No point of Track0 implies a speed above 250 km/h."},
    };
    TfmMain& window = Downloaded();
    TrackStore& tracks = window.Core().tracks;
    for (const Case& c : cases) {
        messages.shown.clear();
        if (c.grid) SelectRows(window.*c.grid, c.first, c.last);
        // Drop Outliers asks for its limit: one typed, then OK.
        if (!c.grid)
            QTimer::singleShot(0, &window, [&] {
                window.dlgMaxSpeed->edMaxSpeed->setValue(250);
                window.dlgMaxSpeed->OKBtn->click();
            });
        (window.*c.button)->click();
        EXPECT_EQ(PointCounts(tracks.List()), c.counts) << c.what;
        if (c.refusal.empty()) {
            EXPECT_TRUE(messages.shown.empty()) << c.what;
            window.UndoClick();
        } else {
            ASSERT_EQ(messages.shown.size(), 1u) << c.what;
            EXPECT_EQ(messages.shown[0].text, c.refusal) << c.what;
        }
        EXPECT_EQ(PointCounts(tracks.List()), (std::vector<std::size_t>{kPoints, kPoints}))
            << c.what;
        tracks.ShowTrack(0);
    }
}

}  // namespace
}  // namespace vantrel::testing
