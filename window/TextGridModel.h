#pragma once
// One table model for every string grid of the window: it shows a core
// TextGrid as it stands, row 0 as the column headings and rows 1.. as the
// view's rows. Cells are read on demand, never copied, so a grid of tens of
// thousands of rows costs the view only what it paints.

#include <QAbstractTableModel>
#include <cstdint>

#include "base/TextGrid.h"

namespace vantrel {

class TextGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit TextGridModel(const TextGrid& grid, QObject* parent = nullptr);

    // The grid row a view row shows, and back.
    static int GridRow(int viewRow) { return viewRow + 1; }
    static int ViewRow(int gridRow) { return gridRow - 1; }

    const TextGrid& Grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views what changed since the last refresh: a new shape resets
    // them, changed cells repaint them, an untouched grid costs nothing.
    void Refresh();

  private:
    const TextGrid& grid_;
    std::uint64_t revision_;
    int rows_;
    int cols_;
};

}  // namespace vantrel
