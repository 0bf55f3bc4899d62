#include "base/TextGrid.h"

#include <algorithm>

namespace vantrel {

namespace {
const std::string kEmpty;
}

TextGrid::TextGrid(int colCount, int rowCount)
    : colCount_(std::max(colCount, 0)),
      rowCount_(std::max(rowCount, 0)),
      cells_(static_cast<std::size_t>(colCount_) * rowCount_) {}

void TextGrid::SetRowCount(int rowCount) {
    rowCount_ = std::max(rowCount, 0);
    cells_.resize(static_cast<std::size_t>(colCount_) * rowCount_);
    ++revision_;
}

bool TextGrid::Contains(int col, int row) const {
    return col >= 0 && col < colCount_ && row >= 0 && row < rowCount_;
}

std::size_t TextGrid::Index(int col, int row) const {
    return static_cast<std::size_t>(row) * colCount_ + col;
}

const std::string& TextGrid::Cell(int col, int row) const {
    return Contains(col, row) ? cells_[Index(col, row)] : kEmpty;
}

void TextGrid::SetCell(int col, int row, std::string text) {
    if (!Contains(col, row)) return;
    cells_[Index(col, row)] = std::move(text);
    ++revision_;
}

void TextGrid::AssignCell(int col, int row, std::string_view text) {
    if (!Contains(col, row)) return;
    cells_[Index(col, row)].assign(text);
    ++revision_;
}

void TextGrid::Clear() {
    for (auto& cell : cells_) cell.clear();
    ++revision_;
}

void TextGrid::ClearRow(int row) {
    if (row < 0 || row >= rowCount_) return;
    for (int col = 0; col < colCount_; ++col) cells_[Index(col, row)].clear();
    ++revision_;
}

void TextGrid::CopyCellsOf(const TextGrid& other) {
    if (other.colCount_ != colCount_ || other.rowCount_ != rowCount_) return;
    cells_ = other.cells_;
    ++revision_;
}

void TextGrid::CopyRow(int from, int to) {
    if (from < 0 || from >= rowCount_ || to < 0 || to >= rowCount_ || from == to) return;
    for (int col = 0; col < colCount_; ++col) cells_[Index(col, to)] = cells_[Index(col, from)];
    ++revision_;
}

void TextGrid::RemoveRows(int first, int count) {
    if (first < 0 || first >= rowCount_ || count <= 0) return;
    count = std::min(count, rowCount_ - first);
    auto begin = cells_.begin() + static_cast<std::ptrdiff_t>(Index(0, first));
    auto middle = begin + static_cast<std::ptrdiff_t>(count) * colCount_;
    std::rotate(begin, middle, cells_.end());
    for (auto it = cells_.end() - static_cast<std::ptrdiff_t>(count) * colCount_; it != cells_.end();
         ++it)
        it->clear();
    ++revision_;
}

}  // namespace vantrel
