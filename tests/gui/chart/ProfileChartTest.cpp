// The profile chart: what it plots from sampled grids, its axes and series
// settings, and that it pans sideways without zooming.

#include <gtest/gtest.h>

#include <QChart>
#include <QtTest/QTest>

#include "app/window/chart/ProfileChart.h"
#include "support/PointGrid.h"

namespace vantrel {
namespace {

using testing::PointGrid;

ProfilePlot AltitudeOf(const TextGrid& grid, const NumberFormat& numbers = {}) {
    return PlotProfile(ProfileKind::Altitude, SampleAltitude(grid, ProfileUnits::Metric, numbers),
                       numbers);
}

TEST(ProfileChart, PlotsTheFirst332PointsOfALongTrack) {
    ProfileChart chart;
    chart.Show(AltitudeOf(PointGrid(500, "12.5", "40")));
    ASSERT_EQ(chart.PointCount(), 332);
    EXPECT_EQ(chart.Series().at(0), QPointF(0, 12.5));
    EXPECT_EQ(chart.Series().at(331).x(), 331);
    EXPECT_EQ(chart.LeftAxisTitle(), "Altitude");
    EXPECT_EQ(chart.LeftAxis().min(), 0);
    EXPECT_GE(chart.LeftAxis().max(), 12.5);
    EXPECT_EQ(chart.Series().pointConfiguration(100).value(QXYSeries::PointConfiguration::Color),
              QColor(0x00, 0x80, 0x00));
}

TEST(ProfileChart, EmptyGridClearsTheSeriesAndStillTitlesTheAxis) {
    ProfileChart chart;
    chart.Show(AltitudeOf(PointGrid(20, "12.5", "40")));
    const ProfilePlot speeds =
        PlotProfile(ProfileKind::Speed, SampleSpeed(TextGrid(10, 1), ProfileUnits::Metric, {}), {});
    chart.Show(speeds);
    EXPECT_EQ(chart.PointCount(), 0);
    EXPECT_EQ(chart.LeftAxisTitle(), "Speed");
    EXPECT_EQ(chart.LeftAxis().min(), 0);
}

TEST(ProfileChart, SpeedAfterAltitudeReplacesTheSeries) {
    ProfileChart chart;
    const TextGrid grid = PointGrid(30, "100", "7.5");
    chart.Show(AltitudeOf(grid));
    chart.Show(PlotProfile(ProfileKind::Speed, SampleSpeed(grid, ProfileUnits::Metric, {}), {}));
    ASSERT_EQ(chart.PointCount(), 30);
    EXPECT_EQ(chart.Series().at(0).y(), 7.5);
    EXPECT_EQ(chart.LeftAxisTitle(), "Speed");
    EXPECT_LT(chart.LeftAxis().max(), 100);
}

TEST(ProfileChart, DecimalCommaHeightsPlotAsNumbers) {
    NumberFormat comma;
    comma.DecimalSeparatorText = ",";
    ProfileChart chart;
    chart.Show(AltitudeOf(PointGrid(3, "35,0", "1"), comma));
    ASSERT_EQ(chart.PointCount(), 3);
    EXPECT_EQ(chart.Series().at(2).y(), 35);
}

TEST(ProfileChart, AxesAndSeriesAsTheDataPageLaysThemOut) {
    ProfileChart chart;
    const QValueAxis& bottom = chart.BottomAxis();
    EXPECT_EQ(bottom.min(), 0);
    EXPECT_EQ(bottom.max(), 500);
    EXPECT_EQ(bottom.minorTickCount(), 5);
    EXPECT_EQ(bottom.tickInterval(), ProfileChart::LabelSpacing);
    EXPECT_EQ(bottom.gridLinePen().style(), Qt::DotLine);
    EXPECT_EQ(bottom.titleText(), "Distance(KM)");
    EXPECT_EQ(chart.Series().name(), "seriesAlt");
    EXPECT_EQ(chart.Series().pen().color(), QColor(Qt::red));
    EXPECT_FALSE(chart.Series().pointsVisible());
    EXPECT_FALSE(chart.Series().pointLabelsVisible());
    EXPECT_FALSE(chart.chart()->legend()->isVisible());
    EXPECT_TRUE(chart.chart()->title().isEmpty());
    EXPECT_EQ(chart.rubberBand(), QChartView::NoRubberBand);
}

TEST(ProfileChart, DragPansSidewaysAndTheWheelDoesNotZoom) {
    ProfileChart chart;
    chart.resize(600, 300);
    chart.show();
    chart.Show(AltitudeOf(PointGrid(50, "12.5", "40")));
    const double leftMax = chart.LeftAxis().max();
    QWheelEvent wheel(QPointF(300, 150), chart.mapToGlobal(QPointF(300, 150)), {}, {0, 120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(chart.viewport(), &wheel);
    EXPECT_EQ(chart.BottomAxis().max() - chart.BottomAxis().min(), 500);

    QTest::mousePress(chart.viewport(), Qt::LeftButton, {}, QPoint(400, 150));
    QTest::mouseMove(chart.viewport(), QPoint(300, 100));
    QTest::mouseRelease(chart.viewport(), Qt::LeftButton, {}, QPoint(300, 100));
    EXPECT_GT(chart.BottomAxis().min(), 0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().max() - chart.BottomAxis().min(), 500);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().max(), leftMax);

    chart.Show(AltitudeOf(PointGrid(50, "12.5", "40")));  // a new plot starts at 0 again
    EXPECT_EQ(chart.BottomAxis().min(), 0);
}

}  // namespace
}  // namespace vantrel
