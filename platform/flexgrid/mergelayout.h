#pragma once

#include <vector>

#include <QRect>
#include <QString>

namespace flexgrid {

// What the merge layout needs to know of a grid.
struct MergeInput {
    int rows = 0;
    int cols = 0;
    int fixedRows = 0;
    int fixedCols = 0;
    bool freeMerge = false;
    std::vector<QString> texts;      // rows * cols, row-major
    std::vector<bool> mergeRows;     // per row: may merge across the row
    std::vector<bool> mergeCols;     // per column: may merge down the column

    const QString& text(int r, int c) const { return texts[static_cast<std::size_t>(r) * cols + c]; }
};

// Lays out merged blocks: for every cell, the block (as a QRect whose x is
// the first column, y the first row, width the number of columns, height
// the number of rows) that it is drawn in. Adjacent cells of equal,
// non-empty text share a block: along a row when the row may merge, down a
// column when the column may merge; blocks never cross the line between
// fixed and scrolling cells. A pure function of its input.
std::vector<QRect> layoutMerges(const MergeInput& input);

}  // namespace flexgrid
