// The profile chart: axes fitted to the data, titles with their units, a
// long track thinned to the plot's width without losing its peaks, and
// sideways panning without zoom.

#include <gtest/gtest.h>

#include <QChart>
#include <QtTest/QTest>
#include <algorithm>
#include <array>

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

// The bottom axis ends where the data ends, on round labels: distances in
// either unit, times of day.
TEST(ProfileChart, TheBottomAxisFitsTheDataOnRoundLabels) {
    ProfilePlot miles = Climb(2, 0, 1);
    miles.points.back().x = 5.26;  // a 5.26 mi track
    ProfilePlot day = Climb(3, 0, 1);
    day.axis = ProfileAxis::TimeOfDay;
    for (int i = 0; i < 3; ++i)
        day.points[i].x = 1296000000.0 + 3600 * 14 + 600 * i;  // 14:00
    struct Case {
        const char* name;
        ProfilePlot plot;
        double min, max;
        const char* firstLabel;
        const char* lastLabel;
    };
    const Case cases[] = {
        {"a distance in miles", miles, 0, 5.26, "0", "5"},
        {"times of day", day, 1296000000.0 + 50400, 1296000000.0 + 51600, "14:00", "14:20"},
    };
    ProfileChart chart;
    chart.resize(800, 400);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chart.Show(c.plot);
        QTest::qWait(20);
        EXPECT_DOUBLE_EQ(chart.BottomAxis().min(), c.min);
        EXPECT_DOUBLE_EQ(chart.BottomAxis().max(), c.max);
        const QStringList labels = chart.BottomLabels();
        ASSERT_GE(labels.size(), 2);
        EXPECT_EQ(labels.front(), c.firstLabel);
        EXPECT_EQ(labels.back(), c.lastLabel);
    }
}

// A left drag picks a range of points and a click clears it; the chart
// zooms to the range and back; the right button pans a zoomed chart, never
// past the data's ends; the wheel does nothing.
TEST(ProfileChart, DragPicksARangeZoomsToItAndPansWithinTheEnds) {
    ProfileChart chart;
    chart.resize(600, 300);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    chart.Show({Climb(50, 12.5, 1)}, {7});
    QTest::qWait(20);
    std::vector<std::array<int, 3>> picked;
    int cleared = 0;
    QObject::connect(&chart, &ProfileChart::rangePicked, [&](int track, int first, int last) {
        picked.push_back({track, first, last});
    });
    QObject::connect(&chart, &ProfileChart::rangeCleared, [&] { ++cleared; });
    auto drag = [&](Qt::MouseButton button, double fromX, double toX) {
        const QPoint from = chart.PositionOf(fromX, 30), to = chart.PositionOf(toX, 30);
        QTest::mousePress(chart.viewport(), button, {}, from);
        QTest::mouseMove(chart.viewport(), to);
        QTest::mouseRelease(chart.viewport(), button, {}, to);
    };
    auto span = [&] { return std::pair(chart.BottomAxis().min(), chart.BottomAxis().max()); };
    const auto whole = span();

    QWheelEvent wheel(QPointF(300, 150), chart.mapToGlobal(QPointF(300, 150)), {}, {0, 120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(chart.viewport(), &wheel);
    drag(Qt::RightButton, 0.030, 0.010);  // the whole track shown: nothing to pan to
    EXPECT_EQ(span(), whole);

    drag(Qt::LeftButton, 0.0095, 0.0205);  // points 10 to 20, a metre apart
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0], (std::array<int, 3>{7, 10, 20}));
    chart.ZoomToRange();
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_DOUBLE_EQ(chart.BottomAxis().min(), 0.010);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().max(), 0.020);
    drag(Qt::RightButton, 0.012, 0.018);  // the view moves 6 m back
    EXPECT_NEAR(chart.BottomAxis().min(), 0.004, 1e-4);
    drag(Qt::RightButton, 0.011, 0.019);  // and stops at the start
    EXPECT_DOUBLE_EQ(chart.BottomAxis().min(), 0);
    EXPECT_NEAR(chart.BottomAxis().max(), 0.010, 1e-9);
    for (int i = 0; i < 8; ++i)
        drag(Qt::RightButton, 0.009, 0.001);  // on past the end
    EXPECT_NEAR(chart.BottomAxis().max(), 0.049, 1e-9);
    chart.ZoomOut();
    EXPECT_EQ(span(), whole);

    const QPoint at = chart.PositionOf(0.025, 30);
    QTest::mouseClick(chart.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(cleared, 1);
    EXPECT_FALSE(chart.PickedRange().has_value());
    chart.Show(Climb(50, 12.5, 1));  // a new plot: whole, nothing picked
    EXPECT_EQ(chart.BottomAxis().min(), 0);
    EXPECT_FALSE(chart.Zoomed());
}

}  // namespace
}  // namespace vantrel
