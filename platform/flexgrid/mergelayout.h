#pragma once

#include <cstddef>
#include <vector>

#include <QRect>

#include "platform/flexgrid/mergeinput.h"

namespace flexgrid {

// The merged blocks of a grid: for every cell, the block (as a QRect whose x
// is the first column, y the first row, width the number of columns, height
// the number of rows) that it is drawn in. Adjacent cells of equal,
// non-empty text share a block: along a row when the row may merge, down a
// column when the column may merge; blocks never cross the line between
// fixed and scrolling cells. Laid out once, from its input alone.
class MergeLayout {
public:
    explicit MergeLayout(const MergeInput& input);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    // A null rect outside the grid.
    QRect block(int row, int col) const;

private:
    std::size_t at(int row, int col) const { return static_cast<std::size_t>(row) * cols_ + col; }
    void layoutSingles();
    void layoutFree(const MergeInput& input);
    void place(const QRect& block, std::vector<char>& placed);

    int rows_;
    int cols_;
    std::vector<QRect> blocks_;
};

}  // namespace flexgrid
