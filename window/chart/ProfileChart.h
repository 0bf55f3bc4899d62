#pragma once
// The Data page's line chart of the point grid's altitude or speed profile:
// one red line over the distance along the track. Both axes fit the data;
// a long track is thinned to the plot's pixel width, keeping its peaks.
// The chart pans sideways with the mouse and never zooms.

#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <optional>

#include "tracks/ProfilePlot.h"

namespace vantrel {

class ProfileChart : public QChartView {
    Q_OBJECT
  public:
    static constexpr int MinorTicks = 4;

    explicit ProfileChart(QWidget* parent = nullptr);

    // Shows the plot: its axis titles, its points (thinned to the plot
    // area's width when there are more than it can show) and both axes
    // fitted to them.
    void Show(const ProfilePlot& plot);

    // What is plotted now, for tests and the screenshot check.
    int PointCount() const;
    QString LeftAxisTitle() const;
    QString BottomAxisTitle() const;
    const QLineSeries& Series() const { return *series_; }
    const QValueAxis& BottomAxis() const { return *bottomAxis_; }
    const QValueAxis& LeftAxis() const { return *leftAxis_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void SetUpAxis(QValueAxis* axis);
    void Draw();
    void FitAxes();

    ProfilePlot plot_;
    QLineSeries* series_;
    QValueAxis* bottomAxis_;
    QValueAxis* leftAxis_;
    std::optional<QPointF> dragFrom_;
};

}  // namespace vantrel
