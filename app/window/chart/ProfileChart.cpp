#include "app/window/chart/ProfileChart.h"

#include <QChart>
#include <QMouseEvent>
#include <QPen>
#include <QWheelEvent>
#include <algorithm>

namespace vantrel {

namespace {

const QColor kLineColor(Qt::red);

QPen DottedGridPen() {
    QPen pen(QColor(0x80, 0x80, 0x80));
    pen.setStyle(Qt::DotLine);
    return pen;
}

}  // namespace

ProfileChart::ProfileChart(QWidget* parent)
    : QChartView(parent),
      series_(new QLineSeries),
      bottomAxis_(new QValueAxis),
      leftAxis_(new QValueAxis) {
    auto* chart = new QChart;
    chart->setTitle(QString());
    chart->legend()->hide();
    chart->setDropShadowEnabled(false);
    series_->setName(QStringLiteral("seriesAlt"));
    series_->setPen(QPen(kLineColor));
    series_->setPointsVisible(false);
    series_->setPointLabelsVisible(false);
    chart->addSeries(series_);
    SetUpBottomAxis();
    SetUpLeftAxis();
    chart->addAxis(bottomAxis_, Qt::AlignBottom);
    chart->addAxis(leftAxis_, Qt::AlignLeft);
    series_->attachAxis(bottomAxis_);
    series_->attachAxis(leftAxis_);
    setChart(chart);
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing);
}

// Labels stand on whole point numbers, which read as the points' own "#.#"
// labels do; 0 is anchored so the labels fall on multiples of the spacing.
void ProfileChart::SetUpBottomAxis() {
    bottomAxis_->setRange(0, AxisMaximum);
    bottomAxis_->setTickType(QValueAxis::TicksDynamic);
    bottomAxis_->setTickAnchor(0);
    bottomAxis_->setTickInterval(LabelSpacing);
    bottomAxis_->setMinorTickCount(MinorTicks);
    bottomAxis_->setLabelFormat(QStringLiteral("%d"));
    bottomAxis_->setGridLinePen(DottedGridPen());
    bottomAxis_->setMinorGridLinePen(DottedGridPen());
    bottomAxis_->setTitleText(QStringLiteral("Distance(KM)"));
}

void ProfileChart::SetUpLeftAxis() {
    leftAxis_->setRange(0, 1);
    leftAxis_->setLabelFormat(QStringLiteral("%g"));
    leftAxis_->setGridLinePen(DottedGridPen());
}

void ProfileChart::Show(const ProfilePlot& plot) {
    chart()->setTitle(QString());
    leftAxis_->setTitleText(QString::fromStdString(plot.leftAxisTitle));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(plot.points.size()));
    for (const auto& point : plot.points)
        points.append({point.x, point.y});
    series_->replace(points);
    // Each point carries the profile's point colour; the line keeps the red pen.
    const QHash<QXYSeries::PointConfiguration, QVariant> colour = {
        {QXYSeries::PointConfiguration::Color, QColor::fromRgb(kProfilePointColor)}};
    QHash<int, QHash<QXYSeries::PointConfiguration, QVariant>> configuration;
    for (int i = 0; i < series_->count(); ++i)
        configuration.insert(i, colour);
    series_->setPointsConfiguration(configuration);
    bottomAxis_->setRange(0, AxisMaximum);
    FitLeftAxis(plot);
}

// The minimum stays 0; the maximum follows the highest value.
void ProfileChart::FitLeftAxis(const ProfilePlot& plot) {
    double highest = 0;
    for (const auto& point : plot.points)
        highest = std::max(highest, point.y);
    leftAxis_->setRange(0, highest > 0 ? highest : 1);
    leftAxis_->applyNiceNumbers();
    leftAxis_->setMin(0);
}

int ProfileChart::PointCount() const {
    return static_cast<int>(series_->count());
}

QString ProfileChart::LeftAxisTitle() const {
    return leftAxis_->titleText();
}

void ProfileChart::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragFrom_ = event->position();
    event->accept();
}

// Panning: the chart follows the mouse sideways only.
void ProfileChart::mouseMoveEvent(QMouseEvent* event) {
    if (!dragFrom_) return;
    const QPointF now = event->position();
    chart()->scroll(dragFrom_->x() - now.x(), 0);
    dragFrom_ = now;
    event->accept();
}

void ProfileChart::mouseReleaseEvent(QMouseEvent* event) {
    dragFrom_.reset();
    event->accept();
}

void ProfileChart::wheelEvent(QWheelEvent* event) {
    event->ignore();  // no zoom
}

}  // namespace vantrel
