#include "window/TrackModels.h"

#include <functional>

namespace vantrel {

namespace {

// A version of what a grid shows: the model's revision and everything else
// its cells and headings are made from.
std::uint64_t Combine(std::uint64_t seed, std::uint64_t value) {
    return seed ^ (value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2));
}

}  // namespace

TrackGridModel::TrackGridModel(Grid grid, const TrackStore& store, const AppValues& values,
                               QObject* parent)
    : CellTableModel(parent), grid_(grid), store_(store), values_(values) {
    Start();
}

int TrackGridModel::Rows() const {
    if (grid_ == Grid::List) return store_.ListRows();
    const Track* shown = store_.Shown();
    return shown ? static_cast<int>(shown->points.size()) : 0;
}

int TrackGridModel::Columns() const {
    return grid_ == Grid::List ? kTrackListColumns : kPointColumns;
}

std::string TrackGridModel::Cell(int column, int gridRow) const {
    const std::size_t row = static_cast<std::size_t>(gridRow - 1);
    if (grid_ == Grid::List) {
        const Tracks& tracks = store_.List();
        return row < tracks.size() ? ListCell(tracks[row], static_cast<ListColumn>(column))
                                   : std::string();
    }
    const Track* shown = store_.Shown();
    if (!shown || row >= shown->points.size()) return {};
    return PointCell(shown->points[row], static_cast<PointColumn>(column),
                     values_.LocalZoneOffset, values_.Numbers.Separator());
}

std::string TrackGridModel::Heading(int column) const {
    if (grid_ == Grid::List) return HeadingOf(HeadedGrid::TrackName, column, values_.ColumnTitles);
    const std::string& title = HeadingOf(HeadedGrid::Track, column, values_.ColumnTitles);
    const bool ellipsoid = store_.Heights() == HeightReference::Ellipsoid;
    if (ellipsoid && static_cast<PointColumn>(column) == PointColumn::Altitude)
        return title + " (ellipsoid)";
    return title;
}

std::uint64_t TrackGridModel::Version() const {
    std::uint64_t version = store_.Revision();
    for (int column = 0; column < Columns(); ++column)
        version = Combine(version, std::hash<std::string>{}(Heading(column)));
    if (grid_ == Grid::List) return version;
    version = Combine(version, static_cast<std::uint64_t>(values_.LocalZoneOffset.minutes + 100000));
    return Combine(version, static_cast<std::uint64_t>(values_.Numbers.Separator()));
}

}  // namespace vantrel
