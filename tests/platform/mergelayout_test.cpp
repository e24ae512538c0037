#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/flexgrid/mergelayout.h"

namespace {

using flexgrid::MergeInput;
using flexgrid::MergeLayout;

// Texts row by row; every row and column may merge unless `change` says otherwise.
MergeInput grid(std::initializer_list<std::initializer_list<const char*>> texts, int fixedRows = 0, int fixedCols = 0,
                const std::function<void(MergeInput&)>& change = {}) {
    MergeInput in{static_cast<int>(texts.size()), static_cast<int>(texts.begin()->size()), fixedRows, fixedCols, true,
                  {}, {}, {}};
    for (const auto& row : texts)
        for (const char* t : row) in.texts.push_back(QString::fromUtf8(t));
    in.mergeRows.assign(in.rows, true);
    in.mergeCols.assign(in.cols, true);
    if (change) change(in);
    return in;
}

TEST(MergeLayout, BlocksFollowTextsFlagsAndFixedLinesAndCoverEveryCellOfThem) {
    const struct {
        const char* name;
        MergeInput input;
        std::vector<std::pair<QPoint, QRect>> blocks;  // QPoint(col, row): QRect(col, row, cols, rows), null outside
    } cases[] = {
        {"row run, down run, empty cells stay single", grid({{"a", "a", "a", "b"}, {"", "", "", "b"}}),
         {{{1, 0}, {0, 0, 3, 1}}, {{3, 1}, {3, 0, 1, 2}}, {{1, 1}, {1, 1, 1, 1}}}},
        {"rectangles; a wider run below stays apart", grid({{"x", "x", "y"}, {"x", "x", "y"}, {"x", "x", "x"}}),
         {{{1, 1}, {0, 0, 2, 2}}, {{2, 1}, {2, 0, 1, 2}}, {{2, 2}, {0, 2, 3, 1}}}},
        {"row may not merge", grid({{"a", "a"}, {"b", "c"}}, 0, 0, [](MergeInput& in) { in.mergeRows[0] = false; }),
         {{{1, 0}, {1, 0, 1, 1}}}},
        {"a column, or one column of a run, may not merge",
         grid({{"a", "x", "x"}, {"a", "x", "x"}}, 0, 0, [](MergeInput& in) { in.mergeCols = {false, true, false}; }),
         {{{0, 1}, {0, 1, 1, 1}}, {{2, 1}, {1, 1, 2, 1}}}},
        {"a blank is text", grid({{" "}, {" "}, {"9"}}, 2, 1), {{{0, 1}, {0, 0, 1, 2}}}},
        {"not across fixed rows; below them only while the case matches", grid({{"k"}, {"k"}, {"k"}, {"K"}}, 1, 0),
         {{{0, 0}, {0, 0, 1, 1}}, {{0, 2}, {0, 1, 1, 2}}}},
        {"not across fixed columns", grid({{"k", "k", "k"}}, 0, 1), {{{0, 0}, {0, 0, 1, 1}}, {{2, 0}, {1, 0, 2, 1}}}},
        {"no merging", grid({{"a", "a"}, {"a", "a"}}, 0, 0, [](MergeInput& in) { in.freeMerge = false; }),
         {{{1, 1}, {1, 1, 1, 1}}, {{0, 2}, {}}}},
        {"no rows", grid({{"a"}}, 0, 0, [](MergeInput& in) { in.rows = -3; }), {{{0, 0}, {}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MergeLayout layout(c.input);
        for (const auto& [cell, block] : c.blocks) EXPECT_EQ(layout.block(cell.y(), cell.x()), block);
        // Every cell lies in its block, and every cell of a block names that same block.
        for (int r = 0; r < layout.rows(); ++r)
            for (int col = 0; col < layout.cols(); ++col) {
                const QRect b = layout.block(r, col);
                ASSERT_TRUE(b.contains(col, r)) << r << "," << col;
                for (int y = b.top(); y <= b.bottom(); ++y)
                    for (int x = b.left(); x <= b.right(); ++x) EXPECT_EQ(layout.block(y, x), b) << y << ',' << x;
            }
    }
}

}  // namespace
