#pragma once
// The Data page's profile: the chart, what it is plotted against (the
// distance or the time of day), whether it shows every selected track, the
// zoom to the range picked and back, the reading under the cursor, and the
// statistics of the range picked beside the chart. It keeps the tracks it
// plots, so readings and statistics need nothing else; its signals name a
// track by its place in the list (-1 for points of no listed track).

#include <QWidget>
#include <vector>

#include "tracks/ProfilePlot.h"
#include "tracks/Track.h"

class QCheckBox;
class QPushButton;
class QRadioButton;

namespace vantrel {

class ProfileChart;
class StatisticsPanel;

struct PlottedTrack {
    int index;  // in the track list
    Track track;
};

class ProfileView : public QWidget {
    Q_OBJECT
  public:
    explicit ProfileView(QWidget* parent = nullptr);

    // Plots the tracks (options.axis is replaced by the view's own choice);
    // texts use `separator` as the decimal separator.
    void Show(std::vector<PlottedTrack> tracks, ProfileOptions options, char separator);

    ProfileAxis Axis() const;
    bool EverySelected() const;

    ProfileChart* chartProfile;
    StatisticsPanel* panelRange;
    QRadioButton* rbAgainstDistance;
    QRadioButton* rbAgainstTime;
    QCheckBox* cbEverySelected;
    QPushButton* btnZoomRange;
    QPushButton* btnZoomOut;

  signals:
    // The axis or the choice of tracks changed: Show() is due again.
    void choicesChanged();
    // The point last under the chart's cursor, or -1, -1 when the chart
    // was plotted anew.
    void pointHovered(int track, int point);
    void rangePicked(int track, int first, int last);
    void rangeCleared();

  private:
    const PlottedTrack* Plotted(int track) const;
    void ShowReading(int track, int point);
    void ShowRange(int track, int first, int last);
    void RenderButtons();

    std::vector<PlottedTrack> tracks_;
    std::vector<std::vector<double>> along_;  // km from each track's start
    ProfileOptions options_;
    char separator_ = '.';
};

}  // namespace vantrel
