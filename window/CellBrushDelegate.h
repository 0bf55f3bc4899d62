#pragma once
// The owner-drawn cells of the grids as one item delegate: a rule names the
// colour a cell is filled with (or none, for a plain cell). The track list's
// colour column shows only its swatch; the plan list's titles keep their
// text, drawn in white over the fill.

#include <QStyledItemDelegate>
#include <cstdint>
#include <functional>
#include <optional>

namespace vantrel {

class CellBrushDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    // The fill of the cell at (column, grid row), as 0x00BBGGRR, or none.
    using FillRule = std::function<std::optional<std::uint32_t>(int col, int gridRow)>;
    enum class Text { Covered, Shown };

    CellBrushDelegate(FillRule rule, Text text, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    FillRule rule_;
    Text text_;
};

// A colour value as the grids keep it (red in the low byte) as a QColor.
QColor ColorFromBgr(std::uint32_t value);
std::uint32_t BgrFromColor(const QColor& color);

}  // namespace vantrel
