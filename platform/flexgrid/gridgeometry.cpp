#include "platform/flexgrid/gridgeometry.h"

#include <algorithm>
#include <map>

#include <QFontMetrics>

#include "platform/core/units.h"

namespace flexgrid {

namespace {

constexpr int kRowPadding = 4;

// A short grid fills the width: the spare pixels go evenly to the scrolling
// columns, so a week of day columns spans the screen.
void stretch(std::vector<int>& widths, int fixedCols, int viewportWidth) {
    int used = 0;
    int stretchable = 0;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        used += widths[c];
        if (static_cast<int>(c) >= fixedCols && widths[c] > 0) ++stretchable;
    }
    const int spare = viewportWidth - used;
    if (spare <= 0 || stretchable == 0) return;
    int leftover = spare % stretchable;
    for (std::size_t c = static_cast<std::size_t>(fixedCols); c < widths.size(); ++c) {
        if (widths[c] == 0) continue;
        widths[c] += spare / stretchable + (leftover > 0 ? 1 : 0);
        if (leftover > 0) --leftover;
    }
}

// Text height of a font size, measured once per size and layout.
int textHeight(std::map<float, int>& measured, const QFont& font, float points) {
    const auto it = measured.find(points);
    if (it != measured.end()) return it->second;
    QFont sized = font;
    if (points > 0) sized.setPointSizeF(points);
    return measured.emplace(points, QFontMetrics(sized).height()).first->second;
}

std::pair<int, int> bandsIn(const std::vector<int>& edges, int lo, int hi, int from, int to) {
    if (lo >= hi || from >= to) return {lo, lo};
    const auto begin = edges.begin();
    const int first = static_cast<int>(std::upper_bound(begin + lo + 1, begin + hi + 1, from) - begin) - 1;
    if (first >= hi) return {hi, hi};
    const int last = static_cast<int>(std::lower_bound(begin + first, begin + hi, to) - begin);
    return {first, last};
}

// The band holding content position pos among bands [lo, hi), or -1.
int bandAt(const std::vector<int>& edges, int lo, int hi, int pos) {
    if (lo >= hi || pos < edges[lo] || pos >= edges[hi]) return -1;
    const auto begin = edges.begin();
    return static_cast<int>(std::upper_bound(begin + lo + 1, begin + hi + 1, pos) - begin) - 1;
}

// Content [from, to) shown beside headings head pixels long in a view view
// pixels long.
int scrollToShow(int from, int to, int head, int view, int scroll) {
    const int low = from - head;
    const int high = to - view;
    if (scroll > low) return low;
    if (scroll < high) return std::min(high, low);
    return scroll;
}

}  // namespace

bool GridGeometry::setRowHeightMinTwips(int twips) {
    twips = std::clamp(twips, 0, kMaxRowHeightMinTwips);
    if (twips == rowHeightMinTwips_) return false;
    rowHeightMinTwips_ = twips;
    return true;
}

void GridGeometry::ensure(const CellStore& store, const QFont& font, int viewportWidth) {
    if (isCurrent(store, font, viewportWidth)) return;
    fixedRows_ = store.fixedRows();
    fixedCols_ = store.fixedCols();
    layOutCols(store, viewportWidth);
    layOutRows(store, font);
    dirty_ = false;
    laidOutForWidth_ = viewportWidth;
    laidOutForFont_ = font;
}

bool GridGeometry::isCurrent(const CellStore& store, const QFont& font, int viewportWidth) const {
    return !dirty_ && laidOutForWidth_ == viewportWidth && laidOutForFont_ == font &&
           colX_.size() == static_cast<std::size_t>(store.cols()) + 1 &&
           rowY_.size() == static_cast<std::size_t>(store.rows()) + 1;
}

void GridGeometry::layOutCols(const CellStore& store, int viewportWidth) {
    std::vector<int> widths(static_cast<std::size_t>(store.cols()));
    for (int c = 0; c < store.cols(); ++c) widths[c] = core::twipsToPixels(store.widthTwips(c));
    stretch(widths, store.fixedCols(), viewportWidth);
    colX_.assign(widths.size() + 1, 0);
    for (std::size_t c = 0; c < widths.size(); ++c) colX_[c + 1] = colX_[c] + widths[c];
}

// A row is as tall as its largest cell font needs, and at least the minimum.
void GridGeometry::layOutRows(const CellStore& store, const QFont& font) {
    std::map<float, int> measured;
    const int minHeight = core::twipsToPixels(rowHeightMinTwips_);
    const int plainHeight = textHeight(measured, font, 0) + kRowPadding;
    rowY_.assign(static_cast<std::size_t>(store.rows()) + 1, 0);
    for (int r = 0; r < store.rows(); ++r) {
        int height = plainHeight;
        for (int c = 0; c < store.cols(); ++c) {
            const float points = store.points(r, c);
            if (points > 0) height = std::max(height, textHeight(measured, font, points) + kRowPadding);
        }
        rowY_[r + 1] = rowY_[r] + std::max(minHeight, height);
    }
}

QRect GridGeometry::area(const QRect& block, const QPoint& offset) const {
    const QPoint topLeft(colX_[block.left()], rowY_[block.top()]);
    const QPoint bottomRight(colX_[block.left() + block.width()] - 1, rowY_[block.top() + block.height()] - 1);
    return QRect(topLeft - offset, bottomRight - offset);
}

int GridGeometry::colAt(int x, int scrollX) const {
    const int cols = static_cast<int>(colX_.size()) - 1;
    return x < fixedWidth() ? bandAt(colX_, 0, fixedCols_, x) : bandAt(colX_, fixedCols_, cols, x + scrollX);
}

int GridGeometry::rowAt(int y, int scrollY) const {
    const int rows = static_cast<int>(rowY_.size()) - 1;
    return y < fixedHeight() ? bandAt(rowY_, 0, fixedRows_, y) : bandAt(rowY_, fixedRows_, rows, y + scrollY);
}

int GridGeometry::scrollToShowCol(int col, int scroll, int viewWidth) const {
    return scrollToShow(colX_[col], colX_[col + 1], fixedWidth(), viewWidth, scroll);
}

int GridGeometry::scrollToShowRow(int row, int scroll, int viewHeight) const {
    return scrollToShow(rowY_[row], rowY_[row + 1], fixedHeight(), viewHeight, scroll);
}

std::pair<int, int> GridGeometry::colsIn(int lo, int hi, int from, int to) const {
    return bandsIn(colX_, lo, hi, from, to);
}

std::pair<int, int> GridGeometry::rowsIn(int lo, int hi, int from, int to) const {
    return bandsIn(rowY_, lo, hi, from, to);
}

}  // namespace flexgrid
