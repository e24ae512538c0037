#pragma once

#include <utility>
#include <vector>

#include <QFont>
#include <QPoint>
#include <QRect>

#include "platform/flexgrid/cellstore.h"

namespace flexgrid {

// Where the cells of a CellStore lie in content pixels: column widths from
// the store, stretched to fill the viewport, and row heights from the
// fonts of their cells and the minimum row height. Laid out on demand,
// never by setters, so batches of changes stay cheap.
class GridGeometry {
public:
    static constexpr int kMaxRowHeightMinTwips = 15000;

    int rowHeightMinTwips() const { return rowHeightMinTwips_; }
    bool setRowHeightMinTwips(int twips);  // clamped; false when that changes nothing
    void invalidate() { dirty_ = true; }
    void ensure(const CellStore& store, const QFont& font, int viewportWidth);

    // Content edges: left(col) .. left(col + 1) and top(row) .. top(row + 1).
    int left(int col) const { return colX_[col]; }
    int top(int row) const { return rowY_[row]; }
    int width() const { return colX_.back(); }
    int height() const { return rowY_.back(); }
    int fixedWidth() const { return colX_[fixedCols_]; }
    int fixedHeight() const { return rowY_[fixedRows_]; }

    // A block of cells (x first column, y first row) in a pane scrolled by
    // offset, as viewport pixels.
    QRect area(const QRect& block, const QPoint& offset) const;
    // The column or row under a viewport position, or -1: headings stay
    // put, the rest moves with the scroll position.
    int colAt(int x, int scrollX) const;
    int rowAt(int y, int scrollY) const;
    // The scroll position nearest to scroll that shows a whole column or
    // row beside the headings in a view that many pixels long.
    int scrollToShowCol(int col, int scroll, int viewWidth) const;
    int scrollToShowRow(int row, int scroll, int viewHeight) const;
    // Index range [first, last) of the columns or rows among [lo, hi) that
    // overlap content positions [from, to).
    std::pair<int, int> colsIn(int lo, int hi, int from, int to) const;
    std::pair<int, int> rowsIn(int lo, int hi, int from, int to) const;

private:
    bool isCurrent(const CellStore& store, const QFont& font, int viewportWidth) const;
    void layOutCols(const CellStore& store, int viewportWidth);
    void layOutRows(const CellStore& store, const QFont& font);

    int rowHeightMinTwips_ = 0;
    bool dirty_ = true;
    int laidOutForWidth_ = -1;
    QFont laidOutForFont_;
    int fixedRows_ = 0;
    int fixedCols_ = 0;
    std::vector<int> colX_{0};  // cols + 1 edges
    std::vector<int> rowY_{0};  // rows + 1 edges
};

}  // namespace flexgrid
