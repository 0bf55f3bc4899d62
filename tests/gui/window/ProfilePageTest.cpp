// The profile on the Data page with a downloaded track: the Track page's
// statistics, a range dragged on the chart against the time of day with its
// statistics beside it and its stretch on the map, and the cursor's reading
// and marker.

#include <QCheckBox>
#include <QJsonArray>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <QToolButton>

#include "tests/gui/window/WindowFixture.h"
#include "tracks/TrackText.h"
#include "window/chart/ProfileChart.h"
#include "window/chart/ProfileView.h"
#include "window/chart/StatisticsPanel.h"

namespace vantrel::testing {
namespace {

QJsonObject ProfileState(WebMapView& view) {
    const QVariant state = view.Evaluate(QStringLiteral("vantrelProfileState()"));
    return QJsonDocument::fromJson(state.toString().toUtf8()).object();
}

// The chart's x of a point against the time of day, at the display offset.
double ShownSeconds(const TrackPoint& point, ZoneOffset zone) {
    return double((point.time + zone.Duration()).time_since_epoch().count());
}

TEST_F(WindowTest, ARangeDraggedOnTheChartShowsItsStatisticsAndItsStretchOnTheMap) {
    TfmMain& window = Open();
    window.resize(1200, 800);
    window.show();
    ASSERT_TRUE(PagesReady());
    ASSERT_TRUE(Download(window.btnDownloadFrGuider));
    window.gridTrackNameClick(1);
    const Track& track = window.Core().tracks.List()[0];
    const ZoneOffset zone = window.Core().values.LocalZoneOffset;

    // The Track page's statistics, in the units chosen.
    EXPECT_TRUE(window.panelStatistics->Value("Ascent").endsWith(" m"));
    EXPECT_TRUE(window.panelStatistics->Value("Top speed").endsWith(" km/h"));
    window.rbImperial->click();
    EXPECT_TRUE(window.panelStatistics->Value("Ascent").endsWith(" ft"));
    window.rbMetric->click();

    window.pgctlMain->setCurrentWidget(window.sheetData);
    QTest::qWait(300);
    ProfileView& view = *window.profileView;
    view.rbAgainstTime->click();
    ProfileChart& chart = *window.chartAltitude;
    QTest::qWait(50);
    EXPECT_EQ(chart.Title(), QString::fromStdString(track.name));
    EXPECT_TRUE(chart.BottomAxisTitle().startsWith("Time of day"));
    EXPECT_DOUBLE_EQ(chart.BottomAxis().min(), ShownSeconds(track.points.front(), zone));
    EXPECT_DOUBLE_EQ(chart.BottomAxis().max(), ShownSeconds(track.points.back(), zone));

    // Points 10 to 40, dragged from just before the one to just after the other.
    const double before = ShownSeconds(track.points[10], zone) - 0.5;
    const double after = ShownSeconds(track.points[40], zone) + 0.5;
    const double y = chart.LeftAxis().min() + 1;
    QTest::mousePress(chart.viewport(), Qt::LeftButton, {}, chart.PositionOf(before, y));
    QTest::mouseMove(chart.viewport(), chart.PositionOf(after, y));
    QTest::mouseRelease(chart.viewport(), Qt::LeftButton, {}, chart.PositionOf(after, y));
    ASSERT_EQ(chart.PickedRange(), (ProfileChart::Range{0, 10, 40}));
    const std::span<const TrackPoint> stretch = std::span(track.points).subspan(10, 31);
    EXPECT_EQ(
        view.panelRange->Value("Time"),
        QString::fromStdString(DurationText((stretch.back().time - stretch.front().time).count())));
    EXPECT_EQ(
        view.panelRange->Value("Distance"),
        QString::fromStdString(DistanceText(PathKm(stretch), ProfileUnits::Metric, '.') + " km"));
    EXPECT_FALSE(view.panelRange->Value("Moving speed").isEmpty());

    // Zoomed to the range and back.
    view.btnZoomRange->click();
    EXPECT_DOUBLE_EQ(chart.BottomAxis().min(), ShownSeconds(stretch.front(), zone));
    view.btnZoomOut->click();
    EXPECT_DOUBLE_EQ(chart.BottomAxis().min(), ShownSeconds(track.points.front(), zone));

    // The cursor over point 20 reads it.
    const TrackPoint& point = track.points[20];
    QTest::mouseMove(chart.viewport(), chart.PositionOf(ShownSeconds(point, zone), point.altitude));
    EXPECT_TRUE(chart.Reading().endsWith(
        QString::fromStdString(ShownTimeText(point.time, zone).substr(11))))
        << chart.Reading().toStdString();

    // The Map page marks the range and the cursor's point.
    window.pgctlMain->setCurrentWidget(window.sheetMap);
    const QJsonObject marks = ProfileState(*window.webMap);
    const QJsonArray marked = marks["range"].toArray();
    ASSERT_EQ(marked.size(), 31);
    EXPECT_EQ(marked[0].toArray()[0].toDouble(), stretch.front().latitude);
    EXPECT_EQ(marked[30].toArray()[1].toDouble(), stretch.back().longitude);
    const QJsonArray cursor = marks["cursor"].toArray();
    ASSERT_EQ(cursor.size(), 2);
    EXPECT_EQ(cursor[0].toDouble(), point.latitude);
    EXPECT_EQ(cursor[1].toDouble(), point.longitude);
    window.pgctlMain->setCurrentWidget(window.sheetData);
    // A picture of the page as it is now, where one is asked for.
    if (const char* picture = std::getenv("VANTREL_PROFILE_PICTURE"))
        window.grab().save(QString::fromLocal8Bit(picture));

    // Every selected track, each in its colour; a click clears the range.
    view.cbEverySelected->click();
    EXPECT_EQ(chart.LineCount(), 2);
    EXPECT_EQ(chart.Series(1).pen().color(), QColor(0x00, 0x60, 0xC0));
    EXPECT_FALSE(chart.PickedRange().has_value());
    EXPECT_TRUE(ProfileState(*window.webMap)["range"].toArray().isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace vantrel::testing
