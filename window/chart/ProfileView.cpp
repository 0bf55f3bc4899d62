#include "window/chart/ProfileView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tracks/ProfileAxes.h"
#include "tracks/TrackStatisticsText.h"
#include "window/Named.h"
#include "window/chart/ProfileChart.h"
#include "window/chart/StatisticsPanel.h"

namespace vantrel {

ProfileView::ProfileView(QWidget* parent)
    : QWidget(parent),
      chartProfile(Named(new ProfileChart, "chartAltitude")),
      panelRange(Named(new StatisticsPanel(tr("Range"), 1), "panelRange")),
      rbAgainstDistance(Named(new QRadioButton(tr("&Distance")), "rbAgainstDistance")),
      rbAgainstTime(Named(new QRadioButton(tr("Time of &day")), "rbAgainstTime")),
      cbEverySelected(Named(new QCheckBox(tr("&Every selected track")), "cbEverySelected")),
      btnZoomRange(Named(new QPushButton(tr("&Zoom to Range")), "btnZoomRange")),
      btnZoomOut(Named(new QPushButton(tr("&Whole Track")), "btnZoomOut")) {
    rbAgainstDistance->setChecked(true);
    auto* controls = new QHBoxLayout;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             rbAgainstDistance, rbAgainstTime, cbEverySelected, btnZoomRange, btnZoomOut})
        controls->addWidget(widget);
    controls->addStretch(1);
    panelRange->setFixedWidth(230);
    auto* body = new QHBoxLayout;
    body->addWidget(chartProfile, 1);
    body->addWidget(panelRange, 0, Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(controls);
    layout->addLayout(body, 1);

    for (QAbstractButton* choice : {static_cast<QAbstractButton*>(rbAgainstTime),
                                    static_cast<QAbstractButton*>(cbEverySelected)})
        connect(choice, &QAbstractButton::toggled, this, &ProfileView::choicesChanged);
    connect(btnZoomRange, &QPushButton::clicked, this, [this] {
        chartProfile->ZoomToRange();
        RenderButtons();
    });
    connect(btnZoomOut, &QPushButton::clicked, this, [this] {
        chartProfile->ZoomOut();
        RenderButtons();
    });
    // The map keeps its marker when the cursor leaves the chart (to look at
    // the map, on its own page).
    connect(chartProfile, &ProfileChart::pointHovered, this, [this](int track, int point) {
        ShowReading(track, point);
        if (point >= 0) emit pointHovered(track, point);
    });
    connect(chartProfile, &ProfileChart::rangePicked, this, [this](int track, int first, int last) {
        ShowRange(track, first, last);
        emit rangePicked(track, first, last);
    });
    connect(chartProfile, &ProfileChart::rangeCleared, this, [this] {
        panelRange->Clear();
        RenderButtons();
        emit rangeCleared();
    });
    panelRange->Show(StatisticsLines(StatisticsOf(std::span<const TrackPoint>()),
                                     ProfileUnits::Metric, '.', true));
    panelRange->Clear();
    RenderButtons();
}

ProfileAxis ProfileView::Axis() const {
    return rbAgainstTime->isChecked() ? ProfileAxis::TimeOfDay : ProfileAxis::Distance;
}

bool ProfileView::EverySelected() const {
    return cbEverySelected->isChecked();
}

void ProfileView::Show(std::vector<PlottedTrack> tracks, ProfileOptions options, char separator) {
    options.axis = Axis();
    tracks_ = std::move(tracks);
    options_ = options;
    separator_ = separator;
    std::vector<ProfilePlot> plots;
    std::vector<int> indices;
    along_.clear();
    for (const PlottedTrack& plotted : tracks_) {
        plots.push_back(PlotProfile(&plotted.track, options));
        indices.push_back(plotted.index);
        along_.push_back(DistancesAlong(plotted.track.points));
    }
    if (plots.empty()) plots.push_back(PlotProfile(nullptr, options));
    const bool hadRange = chartProfile->PickedRange().has_value();
    chartProfile->Show(std::move(plots), std::move(indices));
    chartProfile->SetReading({});
    panelRange->Clear();
    emit pointHovered(-1, -1);
    if (hadRange) emit rangeCleared();
    RenderButtons();
}

const PlottedTrack* ProfileView::Plotted(int track) const {
    for (const PlottedTrack& plotted : tracks_)
        if (plotted.index == track) return &plotted;
    return nullptr;
}

void ProfileView::ShowReading(int track, int point) {
    const PlottedTrack* plotted = Plotted(track);
    if (plotted == nullptr || point < 0) return chartProfile->SetReading({});
    const auto line = static_cast<std::size_t>(plotted - tracks_.data());
    const auto at = static_cast<std::size_t>(point);
    QString text = QString::fromStdString(
        ProfileReading(plotted->track.points[at], along_[line][at], options_, separator_));
    if (tracks_.size() > 1) text = QString::fromStdString(plotted->track.name) + ": " + text;
    chartProfile->SetReading(text);
}

void ProfileView::ShowRange(int track, int first, int last) {
    const PlottedTrack* plotted = Plotted(track);
    if (plotted == nullptr) return;
    const std::span<const TrackPoint> points(plotted->track.points);
    const auto stretch =
        points.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1));
    panelRange->Show(StatisticsLines(StatisticsOf(stretch), options_.units, separator_, true));
    panelRange->setTitle(tr("Range: %1, points %2 to %3")
                             .arg(QString::fromStdString(plotted->track.name))
                             .arg(first + 1)
                             .arg(last + 1));
    RenderButtons();
}

void ProfileView::RenderButtons() {
    btnZoomRange->setEnabled(chartProfile->PickedRange().has_value());
    btnZoomOut->setEnabled(chartProfile->Zoomed());
    if (!chartProfile->PickedRange()) panelRange->setTitle(tr("Range"));
}

}  // namespace vantrel
