#pragma once
// The Track page's grids as views of the track model: the track list
// (name, colour, select) and the point grid of the shown track. Cells are
// formatted when shown, at the display offset and with the user's decimal
// separator, so a change of zone redraws them at once.

#include "base/AppValues.h"
#include "tracks/TrackStore.h"
#include "tracks/TrackText.h"
#include "window/CellTableModel.h"

namespace vantrel {

class TrackGridModel : public CellTableModel {
    Q_OBJECT
  public:
    enum class Grid { List, Points };

    TrackGridModel(Grid grid, const TrackStore& store, const AppValues& values,
                   QObject* parent = nullptr);

  protected:
    int Rows() const override;
    int Columns() const override;
    std::string Cell(int column, int gridRow) const override;
    std::string Heading(int column) const override;
    std::uint64_t Version() const override;

  private:
    Grid grid_;
    const TrackStore& store_;
    const AppValues& values_;
};

}  // namespace vantrel
