#include "window/TextGridModel.h"

#include "window/PlainText.h"

namespace vantrel {

namespace {

QString CellText(const TextGrid& grid, int col, int row) {
    const std::string& text = grid.Cell(col, row);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TextGridModel::TextGridModel(const TextGrid& grid, QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      revision_(grid.Revision()),
      rows_(grid.RowCount() - 1),
      cols_(grid.ColCount()) {}

int TextGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int TextGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    const QString text = CellText(grid_, index.column(), GridRow(index.row()));
    return role == Qt::ToolTipRole ? PlainToolTip(text) : text;
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return CellText(grid_, section, 0);
}

void TextGridModel::Refresh() {
    if (grid_.Revision() == revision_) return;
    revision_ = grid_.Revision();
    const int rows = grid_.RowCount() - 1;
    const int cols = grid_.ColCount();
    if (rows != rows_ || cols != cols_) {
        beginResetModel();
        rows_ = rows;
        cols_ = cols;
        endResetModel();
        return;
    }
    if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
    emit headerDataChanged(Qt::Horizontal, 0, cols_ - 1);
}

}  // namespace vantrel
