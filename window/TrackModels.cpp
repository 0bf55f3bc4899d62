#include "window/TrackModels.h"

#include <functional>

namespace vantrel {

namespace {

// A version of what a grid shows: the model's revision and everything else
// its cells and headings are made from.
std::uint64_t Combine(std::uint64_t seed, std::uint64_t value) {
    return seed ^ (value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2));
}

std::uint64_t HeadingsVersion(HeadedGrid grid, int columns, const ColumnTitleSet& titles) {
    std::uint64_t version = 0;
    for (int c = 0; c < columns; ++c)
        version = Combine(version, std::hash<std::string>{}(HeadingOf(grid, c, titles)));
    return version;
}

}  // namespace

TrackListModel::TrackListModel(const TrackStore& store, const AppValues& values, QObject* parent)
    : CellTableModel(parent), store_(store), values_(values) {
    Start();
}

std::string TrackListModel::Cell(int column, int gridRow) const {
    const Tracks& tracks = store_.List();
    if (gridRow < 1 || gridRow > static_cast<int>(tracks.size())) return {};
    return ListCell(tracks[static_cast<std::size_t>(gridRow - 1)], static_cast<ListColumn>(column));
}

std::string TrackListModel::Heading(int column) const {
    return HeadingOf(HeadedGrid::TrackName, column, values_.ColumnTitles);
}

std::uint64_t TrackListModel::Version() const {
    return Combine(store_.Revision(),
                   HeadingsVersion(HeadedGrid::TrackName, kTrackListColumns, values_.ColumnTitles));
}

TrackPointsModel::TrackPointsModel(const TrackStore& store, const AppValues& values,
                                   QObject* parent)
    : CellTableModel(parent), store_(store), values_(values) {
    Start();
}

int TrackPointsModel::Rows() const {
    const Track* shown = store_.Shown();
    return shown ? static_cast<int>(shown->points.size()) : 0;
}

std::string TrackPointsModel::Cell(int column, int gridRow) const {
    const Track* shown = store_.Shown();
    if (!shown || gridRow < 1 || gridRow > static_cast<int>(shown->points.size())) return {};
    return PointCell(shown->points[static_cast<std::size_t>(gridRow - 1)],
                     static_cast<PointColumn>(column), values_.LocalZoneOffset,
                     values_.Numbers.Separator());
}

std::string TrackPointsModel::Heading(int column) const {
    const std::string& title = HeadingOf(HeadedGrid::Track, column, values_.ColumnTitles);
    const bool ellipsoid = store_.Heights() == HeightReference::Ellipsoid;
    if (ellipsoid && static_cast<PointColumn>(column) == PointColumn::Altitude)
        return title + " (ellipsoid)";
    return title;
}

std::uint64_t TrackPointsModel::Version() const {
    std::uint64_t version = Combine(store_.Revision(), HeadingsVersion(HeadedGrid::Track, kPointColumns,
                                                                      values_.ColumnTitles));
    version = Combine(version, static_cast<std::uint64_t>(values_.LocalZoneOffset.minutes + 100000));
    version = Combine(version, static_cast<std::uint64_t>(values_.Numbers.Separator()));
    return Combine(version, static_cast<std::uint64_t>(store_.Heights()));
}

}  // namespace vantrel
