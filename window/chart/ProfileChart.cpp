#include "window/chart/ProfileChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsEllipseItem>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QMouseEvent>
#include <QPen>
#include <QScopedValueRollback>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <numeric>

#include "tracks/ProfileAxes.h"

namespace vantrel {

namespace {

constexpr int kSmallestPlotWidth = 50;
constexpr int kUnlaidColumns = 2048;
constexpr int kPixelsPerTick = 90;
constexpr int kLeftTicks = 6;
constexpr double kClickPixels = 3;

QPen DottedGridPen() {
    QPen pen(QColor(0x80, 0x80, 0x80));
    pen.setStyle(Qt::DotLine);
    return pen;
}

// A track colour kept as 0x00BBGGRR.
QColor TrackColour(std::uint32_t color) {
    return QColor(color & 0xFFu, (color >> 8) & 0xFFu, (color >> 16) & 0xFFu);
}

// The indices of the points whose x lies in [from, to], widened by one on
// each side so the line runs on to the edges: [first, last), empty if none.
std::pair<std::size_t, std::size_t> IndicesWithin(const std::vector<ProfilePoint>& points,
                                                  double from, double to) {
    std::size_t first = points.size(), last = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].x < from || points[i].x > to) continue;
        first = std::min(first, i);
        last = i + 1;
    }
    if (first >= last) return {0, 0};
    return {first > 0 ? first - 1 : 0, std::min(points.size(), last + 1)};
}

}  // namespace

ProfileChart::ProfileChart(QWidget* parent)
    : QChartView(parent), bottomAxis_(new QCategoryAxis), leftAxis_(new QValueAxis) {
    auto* chart = new QChart;
    chart->setTitle(QString());
    chart->legend()->hide();
    chart->setDropShadowEnabled(false);
    for (QValueAxis* axis : {static_cast<QValueAxis*>(bottomAxis_), leftAxis_}) {
        axis->setRange(0, 1);
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setGridLinePen(DottedGridPen());
        axis->setMinorGridLinePen(DottedGridPen());
    }
    bottomAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(bottomAxis_, Qt::AlignBottom);
    chart->addAxis(leftAxis_, Qt::AlignLeft);
    band_ = new QGraphicsRectItem(chart);
    band_->setBrush(QColor(255, 213, 0, 90));
    band_->setPen(Qt::NoPen);
    dot_ = new QGraphicsEllipseItem(-4, -4, 8, 8, chart);
    dot_->setBrush(Qt::white);
    dot_->setPen(QPen(Qt::black, 2));
    reading_ = new QGraphicsSimpleTextItem(chart);
    for (QGraphicsItem* item : std::initializer_list<QGraphicsItem*>{band_, dot_, reading_}) {
        item->setZValue(100);
        item->hide();
    }
    setChart(chart);
    // Once the chart is laid out at a new size: its labels, points and
    // overlays for that size.
    connect(
        chart, &QChart::plotAreaChanged, this,
        [this](const QRectF& area) {
            if (area == laidOut_) return;
            laidOut_ = area;
            ShowSpan(shownFrom_, shownTo_);
        },
        Qt::QueuedConnection);
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing);
    viewport()->setMouseTracking(true);
    Show(ProfilePlot{"Distance (km)", "Altitude (m)", {}});
}

void ProfileChart::Show(const ProfilePlot& plot) {
    Show(std::vector<ProfilePlot>{plot});
}

void ProfileChart::Show(std::vector<ProfilePlot> plots, std::vector<int> tracks) {
    if (plots.empty()) plots.emplace_back();
    if (tracks.size() != plots.size()) {
        tracks.resize(plots.size());
        std::iota(tracks.begin(), tracks.end(), 0);
    }
    ClearSeries();
    plots_ = std::move(plots);
    tracks_ = std::move(tracks);
    QStringList names;
    for (const ProfilePlot& plot : plots_) {
        series_.push_back(AddSeries(plot));
        if (!plot.name.empty()) names << QString::fromStdString(plot.name);
    }
    // Titles are read as rich text: escaped, they show as written.
    chart()->setTitle(names.join(QStringLiteral(", ")).toHtmlEscaped());
    chart()->legend()->setVisible(plots_.size() > 1);
    bottomAxis_->setTitleText(TitleText(plots_[0].bottomAxisTitle).toHtmlEscaped());
    leftAxis_->setTitleText(TitleText(plots_[0].leftAxisTitle).toHtmlEscaped());
    range_.reset();
    hovered_.reset();
    zoomed_ = false;
    const auto [from, to] = DataSpan();
    ShowSpan(from, to);
}

QLineSeries* ProfileChart::AddSeries(const ProfilePlot& plot) {
    auto* series = new QLineSeries;
    series->setName(plot.name.empty() ? QStringLiteral("seriesAlt")
                                      : QString::fromStdString(plot.name).toHtmlEscaped());
    series->setPen(QPen(TrackColour(plot.color)));
    series->setPointsVisible(false);
    series->setPointLabelsVisible(false);
    chart()->addSeries(series);
    series->attachAxis(bottomAxis_);
    series->attachAxis(leftAxis_);
    return series;
}

void ProfileChart::ClearSeries() {
    for (QLineSeries* series : series_) {
        chart()->removeSeries(series);
        delete series;
    }
    series_.clear();
}

std::pair<double, double> ProfileChart::DataSpan() const {
    double low = INFINITY, high = -INFINITY;
    for (const ProfilePlot& plot : plots_)
        for (const ProfilePoint& p : plot.points) {
            low = std::min(low, p.x);
            high = std::max(high, p.x);
        }
    if (!(low <= high)) return {0, 1};
    if (plots_[0].axis == ProfileAxis::Distance) low = std::min(low, 0.0);
    return {low, high > low ? high : low + 1};
}

void ProfileChart::ShowSpan(double from, double to) {
    if (showing_) return;  // the labels below may lay the chart out again
    const QScopedValueRollback<bool> guard(showing_, true);
    shownFrom_ = from;
    shownTo_ = to > from ? to : from + 1;
    bottomAxis_->setRange(shownFrom_, shownTo_);
    LabelBottomAxis();
    Draw();
    FitLeftAxis();
    PlaceOverlays();
}

// The points the plot area's width can show of the span shown (before the
// chart is first laid out, as many as a wide screen can).
void ProfileChart::Draw() {
    const int width = static_cast<int>(chart()->plotArea().width());
    const int columns = width >= kSmallestPlotWidth ? width : kUnlaidColumns;
    for (std::size_t line = 0; line < plots_.size(); ++line) {
        const auto& all = plots_[line].points;
        const auto [first, last] = IndicesWithin(all, shownFrom_, shownTo_);
        const std::span<const ProfilePoint> within(all.data() + first, last - first);
        QList<QPointF> points;
        for (const ProfilePoint& point : ThinToColumns(within, columns))
            points.append({point.x, point.y});
        series_[line]->replace(points);
    }
}

// The values shown, from their lowest to their highest, below 0 included,
// on round numbers.
void ProfileChart::FitLeftAxis() {
    std::vector<ProfilePoint> shown;
    for (const ProfilePlot& plot : plots_) {
        const auto [first, last] = IndicesWithin(plot.points, shownFrom_, shownTo_);
        for (std::size_t i = first; i < last; ++i)
            if (std::isfinite(plot.points[i].y)) shown.push_back(plot.points[i]);
    }
    const ValueRange values = ProfileValueRange(shown);
    const RoundRange round = RoundOut(values.min, values.max, kLeftTicks - 1);
    // Set only when it changes: every change lays the chart out again.
    if (leftAxis_->min() == round.min && leftAxis_->max() == round.max) return;
    leftAxis_->setTickCount(static_cast<int>(std::lround((round.max - round.min) / round.step)) +
                            1);
    leftAxis_->setRange(round.min, round.max);
}

// Labels on round distances or times of day, as many as the width holds.
void ProfileChart::LabelBottomAxis() {
    // By the widget's width: the plot area's moves with the labels.
    const int count = std::max(2, width() / kPixelsPerTick);
    const std::vector<AxisTick> ticks = plots_[0].axis == ProfileAxis::Distance
                                            ? NumberTicks(shownFrom_, shownTo_, count, '.')
                                            : TimeTicks(shownFrom_, shownTo_, count);
    QStringList labels;
    for (const AxisTick& tick : ticks)
        labels << QString::fromStdString(tick.label);
    if (labels == bottomAxis_->categoriesLabels()) return;  // laying out again changes nothing
    for (const QString& label : bottomAxis_->categoriesLabels())
        bottomAxis_->remove(label);
    // The first category starts a hair before the first tick, so a tick at
    // the axis's start is labelled too.
    bottomAxis_->setStartValue(shownFrom_ - (shownTo_ - shownFrom_) * 1e-9);
    for (const AxisTick& tick : ticks)
        bottomAxis_->append(QString::fromStdString(tick.label), tick.at);
    bottomAxis_->setRange(shownFrom_, shownTo_);
}

void ProfileChart::PlaceOverlays() {
    const QRectF area = chart()->plotArea();
    band_->hide();
    if (range_) {
        const auto& points = plots_[range_->line].points;
        double low = INFINITY, high = -INFINITY;
        for (std::size_t i = range_->first; i <= range_->last; ++i) {
            low = std::min(low, points[i].x);
            high = std::max(high, points[i].x);
        }
        QLineSeries* series = series_[range_->line];
        const double left = chart()->mapToPosition({std::max(low, shownFrom_), 0}, series).x();
        const double right = chart()->mapToPosition({std::min(high, shownTo_), 0}, series).x();
        if (right >= left) {
            band_->setRect(left, area.top(), std::max(right - left, 1.0), area.height());
            band_->show();
        }
    }
    dot_->hide();
    if (hovered_) {
        const ProfilePoint& p = plots_[hovered_->line].points[hovered_->index];
        const QPointF at = chart()->mapToPosition({p.x, p.y}, series_[hovered_->line]);
        if (std::isfinite(at.y()) && area.adjusted(-1, -1, 1, 1).contains(at)) {
            dot_->setPos(at);
            dot_->show();
        }
    }
    reading_->setPos(area.topLeft() + QPointF(6, 4));
}

void ProfileChart::SetReading(const QString& text) {
    reading_->setText(text);
    reading_->setVisible(!text.isEmpty());
}

QString ProfileChart::Reading() const {
    return reading_->isVisible() ? reading_->text() : QString();
}

double ProfileChart::ValueAt(double widgetX) const {
    const QPointF scene = mapToScene(QPoint(static_cast<int>(widgetX), 0));
    return chart()->mapToValue(chart()->mapFromScene(scene), series_[0]).x();
}

QPoint ProfileChart::PositionOf(double x, double y) const {
    const QPointF inChart = chart()->mapToPosition({x, y}, series_[0]);
    return mapFromScene(chart()->mapToScene(inChart));
}

// The point nearest the cursor's x on each line, and of those the line
// nearest the cursor's height.
std::optional<ProfileChart::Nearest> ProfileChart::NearestPoint(QPointF at) const {
    const double x = ValueAt(at.x());
    const QPointF inChart = chart()->mapFromScene(mapToScene(at.toPoint()));
    std::optional<Nearest> best;
    double bestHeight = INFINITY;
    for (std::size_t line = 0; line < plots_.size(); ++line) {
        const auto& points = plots_[line].points;
        if (points.empty()) continue;
        std::size_t index = 0;
        for (std::size_t i = 1; i < points.size(); ++i)
            if (std::abs(points[i].x - x) < std::abs(points[index].x - x)) index = i;
        const QPointF p = chart()->mapToPosition({points[index].x, points[index].y}, series_[line]);
        const double height = std::isfinite(p.y()) ? std::abs(p.y() - inChart.y()) : 1e9;
        if (!best || height < bestHeight) {
            best = Nearest{static_cast<int>(line), index};
            bestHeight = height;
        }
    }
    return best;
}

void ProfileChart::Hover(QPointF at) {
    const QPointF inChart = chart()->mapFromScene(mapToScene(at.toPoint()));
    const std::optional<Nearest> nearest =
        chart()->plotArea().contains(inChart) ? NearestPoint(at) : std::nullopt;
    const bool same =
        nearest.has_value() == hovered_.has_value() &&
        (!nearest || (nearest->line == hovered_->line && nearest->index == hovered_->index));
    if (same) return;
    hovered_ = nearest;
    PlaceOverlays();
    if (hovered_)
        emit pointHovered(tracks_[hovered_->line], static_cast<int>(hovered_->index));
    else
        emit pointHovered(-1, -1);
}

void ProfileChart::PickRange(int line, double fromX, double toX) {
    if (line < 0 || line >= LineCount()) return;
    const auto& points = plots_[line].points;
    const double low = std::min(fromX, toX), high = std::max(fromX, toX);
    std::optional<Range> picked;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i].x < low || points[i].x > high) continue;
        if (!picked) picked = Range{line, i, i};
        picked->last = i;
    }
    if (!picked) return ClearRange();
    range_ = picked;
    PlaceOverlays();
    emit rangePicked(tracks_[line], static_cast<int>(range_->first),
                     static_cast<int>(range_->last));
}

void ProfileChart::ClearRange() {
    const bool had = range_.has_value();
    range_.reset();
    PlaceOverlays();
    if (had) emit rangeCleared();
}

void ProfileChart::ZoomToRange() {
    if (!range_) return;
    const auto& points = plots_[range_->line].points;
    double low = INFINITY, high = -INFINITY;
    for (std::size_t i = range_->first; i <= range_->last; ++i) {
        low = std::min(low, points[i].x);
        high = std::max(high, points[i].x);
    }
    zoomed_ = true;
    ShowSpan(low, high > low ? high : low + (shownTo_ - shownFrom_) * 1e-3);
}

void ProfileChart::ZoomOut() {
    zoomed_ = false;
    const auto [from, to] = DataSpan();
    ShowSpan(from, to);
}

// Sideways by `pixels` of the plot area, never past the data's ends.
void ProfileChart::Pan(double pixels) {
    const double width = chart()->plotArea().width();
    if (width <= 0) return;
    const double span = shownTo_ - shownFrom_;
    const auto [low, high] = DataSpan();
    const double from =
        std::clamp(shownFrom_ + pixels / width * span, low, std::max(low, high - span));
    ShowSpan(from, from + span);
}

int ProfileChart::PointCount() const {
    return static_cast<int>(series_[0]->count());
}

QString ProfileChart::TitleText(const std::string& english) const {
    return titleText_ ? titleText_(english) : QString::fromStdString(english);
}

QString ProfileChart::LeftAxisTitle() const {
    return leftAxis_->titleText();
}

QString ProfileChart::BottomAxisTitle() const {
    return bottomAxis_->titleText();
}

QString ProfileChart::Title() const {
    return chart()->title();
}

const QValueAxis& ProfileChart::BottomAxis() const {
    return *bottomAxis_;
}

QStringList ProfileChart::BottomLabels() const {
    return bottomAxis_->categoriesLabels();
}

void ProfileChart::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    ShowSpan(shownFrom_, shownTo_);
}

void ProfileChart::mousePressEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton) {
        pickFrom_ = at.x();
        const auto nearest = NearestPoint(at);
        pickLine_ = nearest ? nearest->line : 0;
    } else if (event->button() == Qt::RightButton && zoomed_) {
        panFrom_ = at.x();
    }
    event->accept();
}

void ProfileChart::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (pickFrom_) {
        const QRectF area = chart()->plotArea();
        const double from = chart()->mapFromScene(mapToScene(QPoint(int(*pickFrom_), 0))).x();
        const double to = chart()->mapFromScene(mapToScene(at.toPoint())).x();
        const double left = std::clamp(std::min(from, to), area.left(), area.right());
        const double right = std::clamp(std::max(from, to), area.left(), area.right());
        band_->setRect(left, area.top(), right - left, area.height());
        band_->show();
    } else if (panFrom_) {
        Pan(*panFrom_ - at.x());
        panFrom_ = at.x();
    }
    Hover(at);
    event->accept();
}

void ProfileChart::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    if (event->button() == Qt::LeftButton && pickFrom_) {
        if (std::abs(at.x() - *pickFrom_) < kClickPixels)
            ClearRange();
        else
            PickRange(pickLine_.value_or(0), ValueAt(*pickFrom_), ValueAt(at.x()));
        pickFrom_.reset();
        pickLine_.reset();
        PlaceOverlays();
    } else if (event->button() == Qt::RightButton) {
        panFrom_.reset();
    }
    event->accept();
}

void ProfileChart::wheelEvent(QWheelEvent* event) {
    event->ignore();  // zooming is ZoomToRange()'s
}

void ProfileChart::leaveEvent(QEvent* event) {
    QChartView::leaveEvent(event);
    if (!hovered_) return;
    hovered_.reset();
    PlaceOverlays();
    emit pointHovered(-1, -1);
}

}  // namespace vantrel
