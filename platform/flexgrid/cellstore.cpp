#include "platform/flexgrid/cellstore.h"

#include <algorithm>
#include <cmath>

namespace flexgrid {

// ---- shape

bool CellStore::setRows(int rows) {
    if (rows == rows_ || rows < fixedRows_ || rows > kMaxRows || static_cast<long long>(rows) * cols_ > kMaxCells)
        return false;
    reshape(rows, cols_);
    return true;
}

bool CellStore::setCols(int cols) {
    if (cols == cols_ || cols < fixedCols_ || cols > kMaxCols || static_cast<long long>(cols) * rows_ > kMaxCells)
        return false;
    reshape(rows_, cols);
    return true;
}

// A heading count must leave at least one row or column below or beside it.
bool CellStore::setFixedRows(int rows) {
    if (rows < 0 || rows >= rows_ || rows == fixedRows_) return false;
    fixedRows_ = rows;
    return true;
}

bool CellStore::setFixedCols(int cols) {
    if (cols < 0 || cols >= cols_ || cols == fixedCols_) return false;
    fixedCols_ = cols;
    return true;
}

// Cells that still fit keep their place and contents.
void CellStore::reshape(int rows, int cols) {
    std::vector<Cell> next(static_cast<std::size_t>(rows) * cols);
    for (int r = 0; r < std::min(rows, rows_); ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c)
            next[static_cast<std::size_t>(r) * cols + c] = std::move(cells_[at(r, c)]);
    cells_ = std::move(next);
    rows_ = rows;
    cols_ = cols;
    columns_.resize(static_cast<std::size_t>(cols));
    rowMerges_.resize(static_cast<std::size_t>(rows), 0);
}

// ---- cells

QString CellStore::text(int row, int col) const {
    return inRange(row, col) ? cells_[at(row, col)].text : QString();
}

bool CellStore::setText(int row, int col, const QString& text) {
    if (!inRange(row, col)) return false;
    cells_[at(row, col)].text = text;
    return true;
}

int CellStore::back(int row, int col) const {
    if (!inRange(row, col)) return 0;
    const Cell& x = cells_[at(row, col)];
    return x.hasBack ? x.back : (isFixed(row, col) ? kFixedBack : kNormalBack);
}

bool CellStore::setBack(int row, int col, int bgr) {
    if (!inRange(row, col)) return false;
    cells_[at(row, col)].back = bgr;
    cells_[at(row, col)].hasBack = true;
    return true;
}

int CellStore::fore(int row, int col) const {
    if (!inRange(row, col)) return 0;
    const Cell& x = cells_[at(row, col)];
    return x.hasFore ? x.fore : kDefaultFore;
}

bool CellStore::setFore(int row, int col, int bgr) {
    if (!inRange(row, col)) return false;
    cells_[at(row, col)].fore = bgr;
    cells_[at(row, col)].hasFore = true;
    return true;
}

float CellStore::points(int row, int col) const {
    return inRange(row, col) ? cells_[at(row, col)].points : 0;
}

bool CellStore::setPoints(int row, int col, double points) {
    if (!inRange(row, col) || !std::isfinite(points) || points <= 0) return false;
    cells_[at(row, col)].points = static_cast<float>(std::clamp(points, kMinPoints, kMaxPoints));
    return true;
}

void CellStore::clear() {
    std::fill(cells_.begin(), cells_.end(), Cell());
}

// ---- rows and columns

bool CellStore::rowMerges(int row) const {
    return row >= 0 && row < rows_ && rowMerges_[row];
}

bool CellStore::setRowMerges(int row, bool allowed) {
    if (row < 0 || row >= rows_) return false;
    rowMerges_[row] = allowed;
    return true;
}

bool CellStore::colMerges(int col) const {
    return colInRange(col) && columns_[col].merge;
}

bool CellStore::setColMerges(int col, bool allowed) {
    if (!colInRange(col)) return false;
    columns_[col].merge = allowed;
    return true;
}

int CellStore::alignment(int col) const {
    return colInRange(col) ? columns_[col].alignment : kGeneralAlignment;
}

bool CellStore::setAlignment(int col, int alignment) {
    if (!colInRange(col) || alignment < 0 || alignment > kGeneralAlignment) return false;
    columns_[col].alignment = alignment;
    return true;
}

int CellStore::widthTwips(int col) const {
    if (!colInRange(col)) return 0;
    return columns_[col].widthTwips < 0 ? kDefaultColWidthTwips : columns_[col].widthTwips;
}

bool CellStore::setWidthTwips(int col, int twips) {
    if (!colInRange(col)) return false;
    columns_[col].widthTwips = twips < 0 ? -1 : std::min(twips, kMaxColWidthTwips);
    return true;
}

MergeInput CellStore::mergeInput(bool freeMerge) const {
    MergeInput in{rows_, cols_, fixedRows_, fixedCols_, freeMerge, {}, {}, {}};
    if (!freeMerge) return in;
    in.texts.reserve(cells_.size());
    for (const Cell& x : cells_) in.texts.push_back(x.text);
    in.mergeRows.assign(rowMerges_.begin(), rowMerges_.end());
    in.mergeCols.reserve(columns_.size());
    for (const Column& column : columns_) in.mergeCols.push_back(column.merge);
    return in;
}

}  // namespace flexgrid
