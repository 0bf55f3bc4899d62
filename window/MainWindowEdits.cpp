// TfmMain (MainWindow.h), continued: the track edits. The point grid's
// selected rows are the points Trim, Delete Points and Split act on (from a
// button or the grid's context menu); Merge joins the tracks selected in
// the list; Drop Outliers asks for its speed limit. Undo and Redo in the
// Edit menu say what they would undo or redo.

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "window/CellTableModel.h"
#include "window/CoreTexts.h"
#include "window/MainWindow.h"

namespace vantrel {

namespace {

QPushButton* EditButton(const QString& text, const char* name) {
    auto* button = new QPushButton(text);
    button->setObjectName(QString::fromLatin1(name));
    button->setEnabled(false);
    return button;
}

void SetTextIfChanged(QAction* action, const QString& text) {
    if (action->text() != text) action->setText(text);
}

// The first and last view rows of a selection, from its ranges: a grid may
// have 65,536 rows selected, and this runs on every render.
std::optional<std::pair<int, int>> SelectedSpan(const QTableView* view) {
    const QItemSelection selection = view->selectionModel()->selection();
    if (selection.isEmpty()) return std::nullopt;
    std::pair<int, int> span{selection.front().top(), selection.front().bottom()};
    for (const QItemSelectionRange& range : selection) {
        span.first = std::min(span.first, range.top());
        span.second = std::max(span.second, range.bottom());
    }
    return span;
}

// The view rows selected whole, in order (of the track list: a few).
std::vector<int> SelectedViewRows(const QTableView* view) {
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

QWidget* TfmMain::BuildEditBar() {
    btnTrim = EditButton(tr("Trim"), "btnTrim");
    btnDeletePoints = EditButton(tr("Delete Points"), "btnDeletePoints");
    btnSplit = EditButton(tr("Split"), "btnSplit");
    btnMerge = EditButton(tr("Merge"), "btnMerge");
    btnDropOutliers = EditButton(tr("Drop Outliers..."), "btnDropOutliers");
    btnTrim->setToolTip(tr("Keep only the points selected in the grid"));
    btnSplit->setToolTip(tr("Cut the track before the first point selected in the grid"));
    btnMerge->setToolTip(tr("Join the tracks selected in the list in time order"));
    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("editBar"));
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {btnTrim, btnDeletePoints, btnSplit, btnMerge, btnDropOutliers})
        layout->addWidget(button);
    layout->addStretch(1);
    return bar;
}

void TfmMain::BuildEditMenus(QMenu* edit) {
    // Their texts name the step: RenderEdits() sets them.
    actUndo = AddAction(edit, {}, QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { UndoClick(); });
    actRedo = AddAction(edit, {}, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        [this] { RedoClick(); });
    edit->addSeparator();
    menuPoints = new QMenu(this);
    menuPoints->setObjectName(QStringLiteral("menuPoints"));
    AddAction(menuPoints, tr("&Trim to the Selected Points"), {}, [this] { TrimClick(); });
    AddAction(menuPoints, tr("&Delete the Selected Points"), {}, [this] { DeletePointsClick(); });
    AddAction(menuPoints, tr("&Split Before the Selected Points"), {}, [this] { SplitClick(); });
    menuPoints->addSeparator();
    AddAction(menuPoints, tr("Drop &Outliers..."), {}, [this] { DropOutliersClick(); });
}

void TfmMain::ConnectEditHandlers() {
    // The list's menu merges the tracks selected there.
    menuTrack->addSeparator();
    AddAction(menuTrack, tr("Mer&ge the Selected Tracks"), {}, [this] { MergeClick(); });
    connect(gridTrack, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const QModelIndex index = gridTrack->indexAt(at);
        if (index.isValid() && !gridTrack->selectionModel()->isSelected(index))
            gridTrack->selectRow(index.row());
        menuPoints->popup(gridTrack->viewport()->mapToGlobal(at));
    });
    for (QTableView* view : {gridTrack, gridTrackName})
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this] { RenderEdits(); });
    // The points chosen in the grid are shown on the map, as a range
    // dragged on the profile is.
    connect(gridTrack->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (const Track* shown = core_->tracks.Shown()) ShowPointRange(*shown, ChosenRange());
    });
}

// Undo and Redo name the step they would take back or take again; the
// edits are offered when there is something for them to act on.
void TfmMain::RenderEdits() {
    const TrackStore& tracks = core_->tracks;
    SetTextIfChanged(actUndo, HistoryText(tracks.UndoText()));
    SetTextIfChanged(actRedo, HistoryText(tracks.RedoText()));
    actUndo->setEnabled(tracks.CanUndo());
    actRedo->setEnabled(tracks.CanRedo());
    const bool listed = tracks.ShownIndex() >= 0;
    const bool chosen = listed && ChosenRange().has_value();
    for (QPushButton* button : {btnTrim, btnDeletePoints, btnSplit})
        button->setEnabled(chosen);
    const QList<QAction*> pointItems = menuPoints->actions();
    for (int i = 0; i < 3; ++i)
        pointItems[i]->setEnabled(chosen);
    btnMerge->setEnabled(SelectedViewRows(gridTrackName).size() >= 2);
    btnDropOutliers->setEnabled(listed);
}

std::optional<PointRange> TfmMain::ChosenRange() const {
    const auto span = SelectedSpan(gridTrack);
    if (!span) return std::nullopt;
    const auto point = [](int viewRow) {
        return static_cast<std::size_t>(CellTableModel::GridRow(viewRow) - 1);
    };
    return PointRange{point(span->first), point(span->second)};
}

void TfmMain::Edit(const std::function<TrackEditResult(TrackStore&)>& edit) {
    Handle([this, &edit] {
        const TrackEditResult result = edit(core_->tracks);
        if (!result.done && !result.message.empty())
            messages_.ShowMessage(result.message, "Warning");
    });
}

void TfmMain::UndoClick() {
    Handle([this] { core_->tracks.Undo(); });
}

void TfmMain::RedoClick() {
    Handle([this] { core_->tracks.Redo(); });
}

void TfmMain::RangeEdit(const QString& unchosen,
                        const std::function<TrackEditResult(TrackStore&, PointRange)>& edit) {
    Edit([&](TrackStore& tracks) {
        const auto range = ChosenRange();
        if (!range) return TrackEditResult{false, unchosen.toStdString()};
        return edit(tracks, *range);
    });
}

void TfmMain::TrimClick() {
    RangeEdit(tr("Select the points to keep in the point grid first."),
              [](TrackStore& tracks, PointRange range) {
                  return tracks.Trim(tracks.ShownIndex(), range);
              });
}

void TfmMain::DeletePointsClick() {
    RangeEdit(tr("Select the points to delete in the point grid first."),
              [](TrackStore& tracks, PointRange range) {
                  return tracks.DeletePoints(tracks.ShownIndex(), range);
              });
}

void TfmMain::SplitClick() {
    RangeEdit(tr("Select the point to split before in the point grid first."),
              [](TrackStore& tracks, PointRange range) {
                  return tracks.Split(tracks.ShownIndex(), range.first);
              });
}

void TfmMain::MergeClick() {
    Edit([this](TrackStore& tracks) {
        std::vector<int> indices;
        for (int row : SelectedViewRows(gridTrackName))
            if (row < static_cast<int>(tracks.List().size())) indices.push_back(row);
        return tracks.Merge(indices);
    });
}

void TfmMain::DropOutliersClick() {
    const int shown = core_->tracks.ShownIndex();
    // Without a listed track there is nothing to ask about: the store says so.
    const std::optional<double> limit =
        shown >= 0 ? dlgMaxSpeed->Run() : std::optional<double>(kDefaultMaxSpeedKmh);
    if (!limit) return;
    Edit([shown, &limit](TrackStore& tracks) { return tracks.DropOutliers(shown, *limit); });
}

}  // namespace vantrel
