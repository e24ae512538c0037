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

    const QString& text(int r, int c) const {
        static const QString empty;
        const std::size_t i = static_cast<std::size_t>(r) * cols + c;
        return i < in.texts.size() ? in.texts[i] : empty;
    }
    bool rowMayMerge(int r) const { return static_cast<std::size_t>(r) < in.mergeRows.size() && in.mergeRows[r]; }
    bool colMayMerge(int c) const { return static_cast<std::size_t>(c) < in.mergeCols.size() && in.mergeCols[c]; }
};

}  // namespace

std::vector<QRect> layoutMerges(const MergeInput& input) {
    const int rows = std::max(0, input.rows);
    const int cols = std::max(0, input.cols);
    const std::size_t n = static_cast<std::size_t>(rows) * cols;
    std::vector<QRect> blocks(n);
    if (n == 0) return blocks;

    if (!input.freeMerge) {
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) blocks[static_cast<std::size_t>(r) * cols + c] = QRect(c, r, 1, 1);
        return blocks;
    }

    const View v{input, rows, cols};

    // Horizontal runs first: runFirst/runLast give each cell the column span
    // of the run it belongs to within its own row.
    std::vector<int> runFirst(n);
    std::vector<int> runLast(n);
    for (int r = 0; r < rows; ++r) {
        const bool rowMerges = v.rowMayMerge(r);
        const std::size_t base = static_cast<std::size_t>(r) * cols;
        for (int c = 0; c < cols; ++c) {
            const QString& t = v.text(r, c);
            const bool joinsLeft = rowMerges && c > 0 && c != input.fixedCols && !t.isEmpty() && t == v.text(r, c - 1);
            runFirst[base + c] = joinsLeft ? runFirst[base + c - 1] : c;
        }
        for (int c = cols - 1; c >= 0; --c) {
            const bool sameRunAsRight = c + 1 < cols && runFirst[base + c + 1] == runFirst[base + c];
            runLast[base + c] = sameRunAsRight ? runLast[base + c + 1] : c;
        }
    }

    // Then each run grows downward over runs of identical span and text, so
    // blocks stay rectangles.
    std::vector<char> placed(n, 0);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols;) {
            const std::size_t at = static_cast<std::size_t>(r) * cols + c;
            const int last = runLast[at];
            if (placed[at]) {
                c = last + 1;
                continue;
            }
            const QString& t = v.text(r, c);
            int bottom = r;
            if (!t.isEmpty()) {
                bool columnsMerge = true;
                for (int k = c; k <= last && columnsMerge; ++k) columnsMerge = v.colMayMerge(k);
                while (columnsMerge && bottom + 1 < rows && bottom + 1 != input.fixedRows) {
                    const std::size_t below = static_cast<std::size_t>(bottom + 1) * cols + c;
                    if (placed[below] || runFirst[below] != c || runLast[below] != last || v.text(bottom + 1, c) != t)
                        break;
                    ++bottom;
                }
            }
            const QRect block(c, r, last - c + 1, bottom - r + 1);
            for (int rr = r; rr <= bottom; ++rr) {
                const std::size_t rowBase = static_cast<std::size_t>(rr) * cols;
                for (int cc = c; cc <= last; ++cc) {
                    blocks[rowBase + cc] = block;
                    placed[rowBase + cc] = 1;
                }
            }
            c = last + 1;
        }
    }
    return blocks;
}

}  // namespace flexgrid
