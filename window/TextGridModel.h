#pragma once
// The model of a core TextGrid (the plan and POI lists): the grid as it
// stands, row 0 as the column headings.

#include "base/TextGrid.h"
#include "window/CellTableModel.h"

namespace vantrel {

class TextGridModel : public CellTableModel {
    Q_OBJECT
  public:
    explicit TextGridModel(const TextGrid& grid, QObject* parent = nullptr);

    const TextGrid& Grid() const { return grid_; }

  protected:
    int Rows() const override { return grid_.RowCount() - 1; }
    int Columns() const override { return grid_.ColCount(); }
    std::string Cell(int column, int gridRow) const override { return grid_.Cell(column, gridRow); }
    std::string Heading(int column) const override { return grid_.Cell(column, 0); }
    std::uint64_t Version() const override { return grid_.Revision(); }

  private:
    const TextGrid& grid_;
};

}  // namespace vantrel
