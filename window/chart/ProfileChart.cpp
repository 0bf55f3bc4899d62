#include "window/chart/ProfileChart.h"

#include <QChart>
#include <QMouseEvent>
#include <QPen>
#include <QWheelEvent>
#include <algorithm>

namespace vantrel {

namespace {

const QColor kLineColor(Qt::red);
constexpr int kSmallestPlotWidth = 50;
constexpr int kUnlaidColumns = 2048;

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
    SetUpAxis(bottomAxis_);
    SetUpAxis(leftAxis_);
    chart->addAxis(bottomAxis_, Qt::AlignBottom);
    chart->addAxis(leftAxis_, Qt::AlignLeft);
    series_->attachAxis(bottomAxis_);
    series_->attachAxis(leftAxis_);
    setChart(chart);
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing);
    Show(ProfilePlot{"Distance (km)", "Altitude (m)", {}});
}

void ProfileChart::SetUpAxis(QValueAxis* axis) {
    axis->setRange(0, 1);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorTickCount(MinorTicks);
    axis->setGridLinePen(DottedGridPen());
    axis->setMinorGridLinePen(DottedGridPen());
}

void ProfileChart::Show(const ProfilePlot& plot) {
    plot_ = plot;
    chart()->setTitle(QString());
    // Axis titles are read as rich text: escaped, they show as written.
    bottomAxis_->setTitleText(QString::fromStdString(plot_.bottomAxisTitle).toHtmlEscaped());
    leftAxis_->setTitleText(QString::fromStdString(plot_.leftAxisTitle).toHtmlEscaped());
    Draw();
    FitAxes();
}

// The points the plot area's width can show (before the chart is first laid
// out, as many as a wide screen can).
void ProfileChart::Draw() {
    const int width = static_cast<int>(chart()->plotArea().width());
    const int columns = width >= kSmallestPlotWidth ? width : kUnlaidColumns;
    const std::vector<ProfilePoint> shown = ThinToColumns(plot_.points, columns);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(shown.size()));
    for (const auto& point : shown)
        points.append({point.x, point.y});
    series_->replace(points);
}

// The distance from 0 to the track's end; the values from their lowest to
// their highest, below 0 included, on round numbers.
void ProfileChart::FitAxes() {
    const double end = plot_.points.empty() ? 0.0 : plot_.points.back().x;
    bottomAxis_->setRange(0, end > 0 ? end : 1);
    bottomAxis_->applyNiceNumbers();
    bottomAxis_->setMin(0);
    const ValueRange values = ProfileValueRange(plot_.points);
    leftAxis_->setRange(values.min, values.max);
    leftAxis_->applyNiceNumbers();
}

int ProfileChart::PointCount() const {
    return static_cast<int>(series_->count());
}

QString ProfileChart::LeftAxisTitle() const {
    return leftAxis_->titleText();
}

QString ProfileChart::BottomAxisTitle() const {
    return bottomAxis_->titleText();
}

void ProfileChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    Draw();
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
