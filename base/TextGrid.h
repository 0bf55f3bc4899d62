#pragma once
// A rectangle of text cells, rows by columns: the model behind every string
// grid of the window (the hidden scratch grid, the track, point, plan and POI
// lists). Cells hold UTF-8 text; reads outside the grid give empty text and
// writes outside it are ignored, so no caller can write past a table.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

class TextGrid {
public:
    TextGrid(int colCount, int rowCount);

    int ColCount() const { return colCount_; }
    int RowCount() const { return rowCount_; }

    // Grows or shrinks the grid; kept rows keep their cells, new rows are empty.
    void SetRowCount(int rowCount);

    const std::string& Cell(int col, int row) const;
    void SetCell(int col, int row, std::string text);
    // The same, copied into the cell's own room: nothing is allocated once
    // the cell has held a text this long.
    void AssignCell(int col, int row, std::string_view text);
    bool IsEmpty(int col, int row) const { return Cell(col, row).empty(); }

    // Empties every cell (the row count stays).
    void Clear();
    // Empties every cell of one row.
    void ClearRow(int row);
    // Takes every cell of a grid of the same shape (a grid of another shape
    // is ignored).
    void CopyCellsOf(const TextGrid& other);
    // Copies all cells of row `from` over row `to`.
    void CopyRow(int from, int to);
    // Removes `count` rows starting at `first`: the rows below move up and the
    // rows freed at the end are emptied.
    void RemoveRows(int first, int count);

    // Changes on every modification, so a view can tell when to refresh.
    std::uint64_t Revision() const { return revision_; }

private:
    bool Contains(int col, int row) const;
    std::size_t Index(int col, int row) const;

    int colCount_;
    int rowCount_;
    std::vector<std::string> cells_;  // row-major
    std::uint64_t revision_ = 0;
};

}  // namespace vantrel
