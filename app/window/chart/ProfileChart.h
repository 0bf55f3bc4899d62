#pragma once
// The Data page's line chart of the point grid's altitude or speed profile:
// one red line series over a point-numbered horizontal axis.

#include <QChartView>

#include "tracks/ProfileSamples.h"

namespace vantrel {

class ProfileChart : public QChartView {
    Q_OBJECT
  public:
    explicit ProfileChart(QWidget* parent = nullptr);

    // Replaces the series with the plot's points and sets the left axis title.
    void Show(const ProfilePlot& plot);

    // What is plotted now, for tests and the screenshot check.
    int PointCount() const;
    QString LeftAxisTitle() const;
};

}  // namespace vantrel
