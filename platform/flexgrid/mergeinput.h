#pragma once

#include <cstddef>
#include <vector>

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

}  // namespace flexgrid
