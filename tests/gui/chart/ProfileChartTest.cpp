// The profile chart: axes fitted to the data, titles with their units, a
// long track thinned to the plot's width without losing its peaks, and
// sideways panning without zoom.

#include <gtest/gtest.h>

#include <QChart>
#include <QtTest/QTest>
#include <algorithm>

#include "window/chart/ProfileChart.h"

namespace vantrel {
namespace {

// `count` points a metre apart whose values climb from `low` by `step`.
ProfilePlot Climb(int count, double low, double step,
                  const char* leftTitle = "Altitude (m)") {
    ProfilePlot plot{"Distance (km)", leftTitle, {}};
    for (int i = 0; i < count; ++i)
        plot.points.push_back({i * 0.001, low + step * i});
    return plot;
}

TEST(ProfileChart, AxesFitTheDataBelowZeroIncluded) {
    ProfileChart chart;
    chart.resize(800, 400);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    chart.Show(Climb(300, -35.5, 0.5));
    EXPECT_EQ(chart.PointCount(), 300);
    EXPECT_EQ(chart.Series().at(0), QPointF(0, -35.5));
    EXPECT_EQ(chart.BottomAxis().min(), 0);
    EXPECT_GE(chart.BottomAxis().max(), 0.299);
    EXPECT_LT(chart.BottomAxis().max(), 0.4);
    EXPECT_LE(chart.LeftAxis().min(), -35.5);
    EXPECT_GT(chart.LeftAxis().min(), -60);
    EXPECT_GE(chart.LeftAxis().max(), 114);
    EXPECT_LE(chart.LeftAxis().max(), 150);
    EXPECT_EQ(chart.LeftAxisTitle(), "Altitude (m)");
    EXPECT_EQ(chart.BottomAxisTitle(), "Distance (km)");

    // Another plot replaces it whole: its titles, its points, its ranges.
    ProfilePlot speed = Climb(20, 3, 0.25, "Speed (mph)");
    speed.bottomAxisTitle = "Distance (mi)";
    chart.Show(speed);
    EXPECT_EQ(chart.PointCount(), 20);
    EXPECT_EQ(chart.LeftAxisTitle(), "Speed (mph)");
    EXPECT_EQ(chart.BottomAxisTitle(), "Distance (mi)");
    EXPECT_GE(chart.LeftAxis().min(), 0);
    EXPECT_LT(chart.LeftAxis().max(), 10);
}

TEST(ProfileChart, ALongTrackIsThinnedToThePlotWidthKeepingItsPeaks) {
    ProfileChart chart;
    chart.resize(700, 300);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    ProfilePlot plot = Climb(60000, 0, 0);
    plot.points[12345].y = 2500;
    plot.points[54321].y = -80;
    chart.Show(plot);
    const int width = static_cast<int>(chart.chart()->plotArea().width());
    ASSERT_GT(width, 100);
    EXPECT_LE(chart.PointCount(), 2 * width + 2);
    double highest = 0, lowest = 0;
    for (int i = 0; i < chart.PointCount(); ++i) {
        highest = std::max(highest, chart.Series().at(i).y());
        lowest = std::min(lowest, chart.Series().at(i).y());
    }
    EXPECT_EQ(highest, 2500);
    EXPECT_EQ(lowest, -80);
    EXPECT_EQ(chart.Series().at(chart.PointCount() - 1).x(), plot.points.back().x);
    // A wider chart shows more of the same points.
    const int before = chart.PointCount();
    chart.resize(1400, 300);
    QTest::qWait(50);
    EXPECT_GT(chart.PointCount(), before);
}

TEST(ProfileChart, AnEmptyPlotClearsTheSeriesAndKeepsItsTitles) {
    ProfileChart chart;
    chart.Show(Climb(20, 12.5, 0));
    chart.Show(ProfilePlot{"Distance (km)", "Speed (km/h)", {}});
    EXPECT_EQ(chart.PointCount(), 0);
    EXPECT_EQ(chart.LeftAxisTitle(), "Speed (km/h)");
    // A flat profile still gets a range around its value.
    chart.Show(Climb(20, 12.5, 0));
    EXPECT_LT(chart.LeftAxis().min(), 12.5);
    EXPECT_GT(chart.LeftAxis().max(), 12.5);
}

TEST(ProfileChart, SeriesAsTheDataPageLaysItOut) {
    ProfileChart chart;
    EXPECT_EQ(chart.BottomAxis().gridLinePen().style(), Qt::DotLine);
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
    chart.Show(Climb(50, 12.5, 1));
    const double span = chart.BottomAxis().max() - chart.BottomAxis().min();
    const double leftMax = chart.LeftAxis().max();
    QWheelEvent wheel(QPointF(300, 150), chart.mapToGlobal(QPointF(300, 150)), {}, {0, 120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(chart.viewport(), &wheel);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().max() - chart.BottomAxis().min(), span);

    QTest::mousePress(chart.viewport(), Qt::LeftButton, {}, QPoint(400, 150));
    QTest::mouseMove(chart.viewport(), QPoint(300, 100));
    QTest::mouseRelease(chart.viewport(), Qt::LeftButton, {}, QPoint(300, 100));
    EXPECT_GT(chart.BottomAxis().min(), 0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().max() - chart.BottomAxis().min(), span);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().max(), leftMax);

    chart.Show(Climb(50, 12.5, 1));  // a new plot starts at 0 again
    EXPECT_EQ(chart.BottomAxis().min(), 0);
}

}  // namespace
}  // namespace vantrel
