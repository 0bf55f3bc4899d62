#pragma once
// The table model of every grid of the window: a subclass says what a cell
// and a heading show and when anything shown has changed; cells are made on
// demand, never copied, so tens of thousands of rows cost the view only what
// it paints. Grid row 0 is the headings; the view's rows are grid rows 1..

#include <QAbstractTableModel>
#include <cstdint>
#include <optional>
#include <string>

namespace vantrel {

class CellTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // The grid row a view row shows, and back.
    static int GridRow(int viewRow) { return viewRow + 1; }
    static int ViewRow(int gridRow) { return gridRow - 1; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views what changed since the last refresh: a new shape resets
    // them, changed cells repaint them, nothing changed costs nothing.
    void Refresh();

  protected:
    // Call at the end of the subclass's constructor.
    void Start();
    virtual int Rows() const = 0;
    virtual int Columns() const = 0;
    virtual std::string Cell(int column, int gridRow) const = 0;
    virtual std::string Heading(int column) const = 0;
    // A cell shown as a check box: ticked or not; nothing for a plain cell.
    virtual std::optional<bool> Checked(int /*column*/, int /*gridRow*/) const {
        return std::nullopt;
    }
    // Changes whenever any cell or heading shown changes.
    virtual std::uint64_t Version() const = 0;

  private:
    std::uint64_t version_ = 0;
    int rows_ = 0;
    int cols_ = 0;
};

}  // namespace vantrel
