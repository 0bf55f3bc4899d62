#include "window/CellTableModel.h"

#include "window/PlainText.h"

namespace vantrel {

namespace {

QString Text(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void CellTableModel::Start() {
    version_ = Version();
    rows_ = Rows();
    cols_ = Columns();
}

int CellTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CellTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

QVariant CellTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role == Qt::CheckStateRole) {
        const auto checked = Checked(index.column(), GridRow(index.row()));
        return checked ? QVariant(*checked ? Qt::Checked : Qt::Unchecked) : QVariant();
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const QString text = Text(Cell(index.column(), GridRow(index.row())));
    return role == Qt::ToolTipRole ? PlainToolTip(text) : text;
}

QVariant CellTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return Text(Heading(section));
}

void CellTableModel::Refresh() {
    const std::uint64_t version = Version();
    if (version == version_) return;
    version_ = version;
    const int rows = Rows();
    const int cols = Columns();
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
