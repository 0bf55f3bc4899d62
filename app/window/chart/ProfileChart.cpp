#include "app/window/chart/ProfileChart.h"

namespace vantrel {

ProfileChart::ProfileChart(QWidget* parent) : QChartView(parent) {}

void ProfileChart::Show(const ProfilePlot&) {}

int ProfileChart::PointCount() const {
    return 0;
}

QString ProfileChart::LeftAxisTitle() const {
    return {};
}

}  // namespace vantrel
