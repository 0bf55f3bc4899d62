#pragma once
// The Data page's line chart of altitude or speed profiles: one line per
// track in the track's colour, against the distance or the time of day,
// titled with the tracks' names. Both axes fit the data shown; a long track
// is thinned to the plot's pixel width, keeping its peaks.
//
// The mouse: resting over the chart, it reads the nearest point (the
// pointHovered signal); dragging with the left button picks a range of one
// track's points (rangePicked; a click clears it); dragging with the right
// button pans a zoomed chart sideways, never past the ends of the data. The
// wheel does not zoom: ZoomToRange() and ZoomOut() do.

#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "tracks/ProfilePlot.h"

class QCategoryAxis;
class QGraphicsEllipseItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;

namespace vantrel {

class ProfileChart : public QChartView {
    Q_OBJECT
  public:
    // The points of one line picked by dragging, first to last.
    struct Range {
        int line;
        std::size_t first, last;
        bool operator==(const Range&) const = default;
    };

    explicit ProfileChart(QWidget* parent = nullptr);

    // Shows the plots, one line each (the axis titles are the first's),
    // clearing the picked range and the zoom. `tracks` names each line's
    // track in the signals (by default its place among the plots).
    // How the axis titles the core writes in English are shown (as they
    // stand unless a translation is set).
    void SetTitleText(std::function<QString(std::string_view)> text) { titleText_ = std::move(text); }
    void Show(const ProfilePlot& plot);
    void Show(std::vector<ProfilePlot> plots, std::vector<int> tracks = {});

    // Picks the points of `line` whose x lies between the two values, as a
    // drag across them does; none there clears the range.
    void PickRange(int line, double fromX, double toX);
    void ClearRange();
    const std::optional<Range>& PickedRange() const { return range_; }
    // Shows only the picked range; ZoomOut() shows everything again.
    void ZoomToRange();
    void ZoomOut();
    bool Zoomed() const { return zoomed_; }
    // The text shown at the top of the plot area (the cursor's reading).
    void SetReading(const QString& text);
    QString Reading() const;

    // What is plotted now, for tests and the screenshot check.
    int LineCount() const { return static_cast<int>(series_.size()); }
    int PointCount() const;  // of the first line
    QString LeftAxisTitle() const;
    QString BottomAxisTitle() const;
    QString Title() const;
    const QLineSeries& Series(int line = 0) const { return *series_.at(line); }
    const QValueAxis& BottomAxis() const;
    const QValueAxis& LeftAxis() const { return *leftAxis_; }
    // The bottom axis's labels, left to right.
    QStringList BottomLabels() const;
    // The widget position of a data value, for tests that drag.
    QPoint PositionOf(double x, double y) const;

  signals:
    // The point under the cursor: its track and its index, or -1, -1 when
    // the cursor left the chart.
    void pointHovered(int track, int point);
    void rangePicked(int track, int first, int last);
    void rangeCleared();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString TitleText(const std::string& english) const;
    struct Nearest {
        int line;
        std::size_t index;
    };
    QLineSeries* AddSeries(const ProfilePlot& plot);
    void ClearSeries();
    // The data's x extent, and the x the view shows.
    std::pair<double, double> DataSpan() const;
    void ShowSpan(double from, double to);
    void Draw();
    void FitLeftAxis();
    void LabelBottomAxis();
    void PlaceOverlays();
    double ValueAt(double widgetX) const;
    std::optional<Nearest> NearestPoint(QPointF at) const;
    void Hover(QPointF at);
    void Pan(double pixels);

    std::vector<ProfilePlot> plots_;
    std::vector<int> tracks_;
    std::vector<QLineSeries*> series_;
    QCategoryAxis* bottomAxis_;
    QValueAxis* leftAxis_;
    QGraphicsRectItem* band_;
    QGraphicsEllipseItem* dot_;
    QGraphicsSimpleTextItem* reading_;
    std::optional<Range> range_;
    std::function<QString(std::string_view)> titleText_;
    std::optional<Nearest> hovered_;
    bool zoomed_ = false;
    bool showing_ = false;  // ShowSpan() is under way
    QRectF laidOut_;        // the plot area ShowSpan() last fitted
    double shownFrom_ = 0, shownTo_ = 1;
    std::optional<double> pickFrom_;  // the widget x where a left drag began
    std::optional<int> pickLine_;
    std::optional<double> panFrom_;  // the widget x of a right drag
};

}  // namespace vantrel
