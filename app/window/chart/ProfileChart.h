#pragma once
// The Data page's line chart of the point grid's altitude or speed profile:
// one red line series over a point-numbered horizontal axis fixed at 0 to
// 500. The chart pans sideways with the mouse and never zooms.

#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <optional>

#include "tracks/ProfileSamples.h"

namespace vantrel {

class ProfileChart : public QChartView {
    Q_OBJECT
  public:
    // The horizontal axis: one unit per point, labelled every LabelSpacing
    // points (a label on each of the 500 units could not be read), with
    // MinorTicks minor ticks between labels.
    static constexpr int AxisMaximum = 500;
    static constexpr int LabelSpacing = 50;
    static constexpr int MinorTicks = 5;

    explicit ProfileChart(QWidget* parent = nullptr);

    // Replaces the series with the plot's points, sets the left axis title
    // and brings the horizontal axis back to 0 .. 500.
    void Show(const ProfilePlot& plot);

    // What is plotted now, for tests and the screenshot check.
    int PointCount() const;
    QString LeftAxisTitle() const;
    const QLineSeries& Series() const { return *series_; }
    const QValueAxis& BottomAxis() const { return *bottomAxis_; }
    const QValueAxis& LeftAxis() const { return *leftAxis_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void SetUpBottomAxis();
    void SetUpLeftAxis();
    void FitLeftAxis(const ProfilePlot& plot);

    QLineSeries* series_;
    QValueAxis* bottomAxis_;
    QValueAxis* leftAxis_;
    std::optional<QPointF> dragFrom_;
};

}  // namespace vantrel
