#pragma once
// The Track page's grids as views of the track model: the track list
// (name, colour, select, distance) and the point grid of the shown track.
// Cells are formatted when shown, at the display offset, with the user's
// decimal separator and in the units chosen, so a change of any redraws
// them at once. The Select column shows a check box.

#include <QString>
#include <optional>
#include <vector>

#include "base/AppValues.h"
#include "tracks/ProfilePlot.h"
#include "tracks/TrackStore.h"
#include "tracks/TrackText.h"
#include "window/CellTableModel.h"

namespace vantrel {

class TrackGridModel : public CellTableModel {
    Q_OBJECT
  public:
    enum class Grid { List, Points };
    // The list's columns after the three the language files title.
    static constexpr int kDistanceColumn = kTrackListColumns;

    TrackGridModel(Grid grid, const TrackStore& store, const AppValues& values,
                   const ProfileUnits& units, QObject* parent = nullptr);

  protected:
    int Rows() const override;
    int Columns() const override;
    std::string Cell(int column, int gridRow) const override;
    std::string Heading(int column) const override;
    std::optional<bool> Checked(int column, int gridRow) const override;
    std::uint64_t Version() const override;

  private:
    // Track `row`'s distance in km, measured once per revision of the store:
    // a paint asks for the same cells many times.
    double ListedKm(std::size_t row) const;

    Grid grid_;
    const TrackStore& store_;
    const AppValues& values_;
    const ProfileUnits& units_;
    mutable std::vector<std::optional<double>> kms_;
    mutable std::uint64_t kmsRevision_ = ~std::uint64_t{0};
};

}  // namespace vantrel
