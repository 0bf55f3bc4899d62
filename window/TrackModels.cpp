#include "window/TrackModels.h"

#include <QCoreApplication>
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
                               const ProfileUnits& units, QObject* parent)
    : CellTableModel(parent), grid_(grid), store_(store), values_(values), units_(units) {
    Start();
}

int TrackGridModel::Rows() const {
    if (grid_ == Grid::List) return store_.ListRows();
    const Track* shown = store_.Shown();
    return shown ? static_cast<int>(shown->points.size()) : 0;
}

int TrackGridModel::Columns() const {
    return grid_ == Grid::List ? kDistanceColumn + 1 : kPointColumns;
}

std::string TrackGridModel::Cell(int column, int gridRow) const {
    const std::size_t row = static_cast<std::size_t>(gridRow - 1);
    const char separator = values_.Numbers.Separator();
    if (grid_ == Grid::List) {
        const Tracks& tracks = store_.List();
        if (row >= tracks.size()) return {};
        if (column == kDistanceColumn) return DistanceText(ListedKm(row), units_, separator);
        const auto cell = static_cast<ListColumn>(column);
        return cell == ListColumn::Select ? std::string() : ListCell(tracks[row], cell);
    }
    const Track* shown = store_.Shown();
    if (!shown || row >= shown->points.size()) return {};
    return ShownPointCell(shown->points[row], static_cast<PointColumn>(column),
                          values_.LocalZoneOffset, separator, units_);
}

double TrackGridModel::ListedKm(std::size_t row) const {
    if (kmsRevision_ != store_.Revision()) {
        kmsRevision_ = store_.Revision();
        kms_.assign(store_.List().size(), std::nullopt);
    }
    std::optional<double>& km = kms_[row];
    if (!km) km = TrackKm(store_.List()[row]);
    return *km;
}

std::optional<bool> TrackGridModel::Checked(int column, int gridRow) const {
    const std::size_t row = static_cast<std::size_t>(gridRow - 1);
    if (grid_ != Grid::List || static_cast<ListColumn>(column) != ListColumn::Select ||
        row >= store_.List().size())
        return std::nullopt;
    return store_.List()[row].selected;
}

std::string TrackGridModel::Heading(int column) const {
    if (grid_ == Grid::List) {
        if (column == kDistanceColumn)
            return QCoreApplication::translate("vantrel", "Distance").toStdString() + " (" +
                   DistanceUnit(units_) + ")";
        return HeadingOf(HeadedGrid::TrackName, column, values_.ColumnTitles);
    }
    const auto cell = static_cast<PointColumn>(column);
    std::string title = HeadingOf(HeadedGrid::Track, column, values_.ColumnTitles);
    if (cell == PointColumn::Altitude && store_.Heights() == HeightReference::Ellipsoid)
        title += " " + QCoreApplication::translate("vantrel", "above the ellipsoid").toStdString();
    return title + PointColumnUnit(cell, units_);
}

std::uint64_t TrackGridModel::Version() const {
    std::uint64_t version = store_.Revision();
    for (int column = 0; column < Columns(); ++column)
        version = Combine(version, std::hash<std::string>{}(Heading(column)));
    version = Combine(version, static_cast<std::uint64_t>(values_.Numbers.Separator()));
    if (grid_ == Grid::List) return version;
    return Combine(version, static_cast<std::uint64_t>(values_.LocalZoneOffset.minutes + 100000));
}

}  // namespace vantrel
