// The Data page's profile and the Map page: the tracks it plots, and the
// point under its cursor and the range picked on it shown on the map.

#include <QItemSelectionModel>
#include <QTableView>

#include "map/ProfileMarks.h"
#include "window/CellTableModel.h"
#include "window/MainWindow.h"
#include "window/chart/ProfileView.h"
#include "window/web/WebMapView.h"

namespace vantrel {

// The shown track, or every track whose Select box is ticked.
std::vector<PlottedTrack> TfmMain::ChartTracks() const {
    const TrackStore& tracks = core_->tracks;
    std::vector<PlottedTrack> plotted;
    if (!profileView->EverySelected()) {
        if (const Track* shown = tracks.Shown()) plotted.push_back({tracks.ShownIndex(), *shown});
        return plotted;
    }
    for (std::size_t i = 0; i < tracks.List().size(); ++i)
        if (tracks.List()[i].selected) plotted.push_back({static_cast<int>(i), tracks.List()[i]});
    return plotted;
}

// A track the profile names: a list entry, or (-1) the points shown.
const Track* TfmMain::ChartTrack(int track) const {
    const TrackStore& tracks = core_->tracks;
    if (track < 0) return tracks.Shown();
    const auto index = static_cast<std::size_t>(track);
    return index < tracks.List().size() ? &tracks.List()[index] : nullptr;
}

void TfmMain::ConnectProfile() {
    connect(profileView, &ProfileView::choicesChanged, this, [this] { Render(); });
    connect(profileView, &ProfileView::pointHovered, this, [this](int track, int point) {
        const Track* shown = ChartTrack(track);
        const bool within = shown && point >= 0 && std::size_t(point) < shown->points.size();
        if (webMap->Ready())
            ShowProfileCursor(*webMap, within ? &shown->points[std::size_t(point)] : nullptr);
    });
    connect(profileView, &ProfileView::rangePicked, this, [this](int track, int first, int last) {
        const Track* shown = ChartTrack(track);
        if (!shown || last < first || std::size_t(last) >= shown->points.size()) return;
        // A range of the track the point grid shows is also chosen there, so
        // Trim, Delete Points and Split act on what was dragged.
        if (track == core_->tracks.ShownIndex()) ChoosePoints(first, last);
        ShowPointRange(*shown, PointRange{std::size_t(first), std::size_t(last)});
    });
    connect(profileView, &ProfileView::rangeCleared, this, [this] {
        if (webMap->Ready()) ShowProfileRange(*webMap, {});
    });
}

void TfmMain::ChoosePoints(int first, int last) {
    QAbstractItemModel* model = gridTrack->model();
    if (last >= model->rowCount()) return;
    gridTrack->selectionModel()->select(
        QItemSelection(model->index(CellTableModel::ViewRow(first + 1), 0),
                       model->index(CellTableModel::ViewRow(last + 1), model->columnCount() - 1)),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    gridTrack->scrollTo(model->index(CellTableModel::ViewRow(first + 1), 0),
                        QAbstractItemView::PositionAtTop);
}

void TfmMain::ShowPointRange(const Track& track, std::optional<PointRange> range) {
    if (!webMap->Ready()) return;
    if (!range || range->last >= track.points.size() || range->last < range->first) {
        ShowProfileRange(*webMap, {});
        return;
    }
    ShowProfileRange(*webMap, std::span(track.points)
                                  .subspan(range->first, range->last - range->first + 1));
}

}  // namespace vantrel
