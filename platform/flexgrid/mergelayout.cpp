#include "platform/flexgrid/mergelayout.h"

#include <algorithm>

namespace flexgrid {

namespace {

// Tolerates a caller whose vectors are shorter than the shape says: missing
// texts count as empty and missing flags as "may not merge".
struct View {
    const MergeInput& in;
    int rows;
    int cols;

    std::size_t at(int r, int c) const { return static_cast<std::size_t>(r) * cols + c; }
    const QString& text(int r, int c) const {
        static const QString empty;
        return at(r, c) < in.texts.size() ? in.texts[at(r, c)] : empty;
    }
    bool rowMayMerge(int r) const { return static_cast<std::size_t>(r) < in.mergeRows.size() && in.mergeRows[r]; }
    bool colMayMerge(int c) const { return static_cast<std::size_t>(c) < in.mergeCols.size() && in.mergeCols[c]; }
};

// For every cell, the first and last column of the run of equal text that
// it belongs to within its own row.
struct Runs {
    std::vector<int> first;
    std::vector<int> last;
};

void findRunsOfRow(const View& v, int r, Runs& runs) {
    const bool rowMerges = v.rowMayMerge(r);
    for (int c = 0; c < v.cols; ++c) {
        const QString& t = v.text(r, c);
        const bool joinsLeft = rowMerges && c > 0 && c != v.in.fixedCols && !t.isEmpty() && t == v.text(r, c - 1);
        runs.first[v.at(r, c)] = joinsLeft ? runs.first[v.at(r, c - 1)] : c;
    }
    for (int c = v.cols - 1; c >= 0; --c) {
        const bool sameRunAsRight = c + 1 < v.cols && runs.first[v.at(r, c + 1)] == runs.first[v.at(r, c)];
        runs.last[v.at(r, c)] = sameRunAsRight ? runs.last[v.at(r, c + 1)] : c;
    }
}

Runs findRuns(const View& v) {
    const std::size_t n = v.at(v.rows, 0);
    Runs runs{std::vector<int>(n), std::vector<int>(n)};
    for (int r = 0; r < v.rows; ++r) findRunsOfRow(v, r, runs);
    return runs;
}

bool columnsMayMerge(const View& v, int first, int last) {
    for (int c = first; c <= last; ++c)
        if (!v.colMayMerge(c)) return false;
    return true;
}

// The last row of the block that the run starting at (r, c) heads: it grows
// down over runs of identical span and text, so blocks stay rectangles.
int bottomOfBlock(const View& v, const Runs& runs, const std::vector<char>& placed, int r, int c) {
    const QString& t = v.text(r, c);
    const int last = runs.last[v.at(r, c)];
    if (t.isEmpty() || !columnsMayMerge(v, c, last)) return r;
    int bottom = r;
    while (bottom + 1 < v.rows && bottom + 1 != v.in.fixedRows) {
        const std::size_t below = v.at(bottom + 1, c);
        if (placed[below] || runs.first[below] != c || runs.last[below] != last || v.text(bottom + 1, c) != t) break;
        ++bottom;
    }
    return bottom;
}

}  // namespace

MergeLayout::MergeLayout(const MergeInput& input)
    : rows_(std::max(0, input.rows)), cols_(std::max(0, input.cols)), blocks_(at(rows_, 0)) {
    if (blocks_.empty()) return;
    if (input.freeMerge) layoutFree(input);
    else layoutSingles();
}

QRect MergeLayout::block(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return QRect();
    return blocks_[at(row, col)];
}

void MergeLayout::layoutSingles() {
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) blocks_[at(r, c)] = QRect(c, r, 1, 1);
}

// Row runs first, then each run grows downward.
void MergeLayout::layoutFree(const MergeInput& input) {
    const View v{input, rows_, cols_};
    const Runs runs = findRuns(v);
    std::vector<char> placed(blocks_.size(), 0);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_;) {
            const int last = runs.last[at(r, c)];
            if (!placed[at(r, c)]) {
                const int bottom = bottomOfBlock(v, runs, placed, r, c);
                place(QRect(QPoint(c, r), QPoint(last, bottom)), placed);
            }
            c = last + 1;
        }
    }
}

void MergeLayout::place(const QRect& block, std::vector<char>& placed) {
    for (int r = block.top(); r <= block.bottom(); ++r) {
        for (int c = block.left(); c <= block.right(); ++c) {
            blocks_[at(r, c)] = block;
            placed[at(r, c)] = 1;
        }
    }
}

}  // namespace flexgrid
