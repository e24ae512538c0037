#include <gtest/gtest.h>

#include <initializer_list>

#include "platform/flexgrid/mergelayout.h"

namespace {

using flexgrid::MergeInput;
using flexgrid::MergeLayout;

// Texts given row by row; every row and column may merge unless a case
// takes the flag away.
MergeInput grid(std::initializer_list<std::initializer_list<const char*>> texts, int fixedRows = 0, int fixedCols = 0) {
    MergeInput in{static_cast<int>(texts.size()), static_cast<int>(texts.begin()->size()), fixedRows, fixedCols, true,
                  {}, {}, {}};
    for (const auto& row : texts)
        for (const char* t : row) in.texts.push_back(QString::fromUtf8(t));
    in.mergeRows.assign(in.rows, true);
    in.mergeCols.assign(in.cols, true);
    return in;
}

MergeInput with(MergeInput in, void (*change)(MergeInput&)) {
    change(in);
    return in;
}

void expectEveryCellOfABlockNamesIt(const MergeLayout& layout) {
    for (int r = 0; r < layout.rows(); ++r) {
        for (int c = 0; c < layout.cols(); ++c) {
            const QRect b = layout.block(r, c);
            ASSERT_TRUE(b.contains(c, r)) << r << "," << c;
            for (int rr = b.top(); rr <= b.bottom(); ++rr)
                for (int cc = b.left(); cc <= b.right(); ++cc) EXPECT_EQ(layout.block(rr, cc), b) << rr << "," << cc;
        }
    }
}

struct BlockCase {
    const char* name;
    MergeInput input;
    int row, col;
    QRect expected;  // x = first column, y = first row; null outside the grid
};

TEST(MergeLayout, BlocksFollowTextsFlagsAndFixedLinesAndCoverEveryCellOfThem) {
    const MergeInput rowBlocked = with(grid({{"a", "a"}, {"b", "c"}}), [](MergeInput& in) { in.mergeRows[0] = false; });
    const MergeInput colBlocked = with(grid({{"a", "b"}, {"a", "c"}}), [](MergeInput& in) { in.mergeCols[0] = false; });
    const MergeInput partlyBlocked =
        with(grid({{"x", "x"}, {"x", "x"}}), [](MergeInput& in) { in.mergeCols[1] = false; });
    const MergeInput never = with(grid({{"a", "a"}, {"a", "a"}}), [](MergeInput& in) { in.freeMerge = false; });
    const MergeInput shortVectors = with(grid({{"a", "a", "a"}, {"b", "b", "b"}}), [](MergeInput& in) {
        in.texts.resize(2);  // the rest count as empty
        in.mergeRows.resize(1);
        in.mergeCols.clear();  // missing flags forbid merging down
    });
    const MergeInput fixedRow = grid({{"k"}, {"k"}, {"k"}, {"K"}}, 1, 0);
    const MergeInput fixedCol = grid({{"k", "k", "k"}}, 0, 1);

    const BlockCase cases[] = {
        {"row run", grid({{"a", "a", "a", "b"}}), 0, 1, QRect(0, 0, 3, 1)},
        {"rectangle", grid({{"x", "x", "y"}, {"x", "x", "y"}, {"z", "z", "z"}}), 1, 1, QRect(0, 0, 2, 2)},
        {"run below is wider", grid({{"x", "x", "y"}, {"x", "x", "x"}}), 1, 2, QRect(0, 1, 3, 1)},
        {"row may not merge", rowBlocked, 0, 1, QRect(1, 0, 1, 1)},
        {"column may not merge", colBlocked, 1, 0, QRect(0, 1, 1, 1)},
        {"a column of the run may not merge", partlyBlocked, 1, 1, QRect(0, 1, 2, 1)},
        {"empty cells stay single", grid({{"", ""}, {"", ""}}), 1, 1, QRect(1, 1, 1, 1)},
        {"a blank is text", grid({{" "}, {" "}, {"9"}}, 2, 1), 1, 0, QRect(0, 0, 1, 2)},
        {"not across fixed rows", fixedRow, 0, 0, QRect(0, 0, 1, 1)},
        {"scrolling rows merge while the case matches", fixedRow, 2, 0, QRect(0, 1, 1, 2)},
        {"not across fixed columns", fixedCol, 0, 0, QRect(0, 0, 1, 1)},
        {"scrolling columns still merge", fixedCol, 0, 2, QRect(1, 0, 2, 1)},
        {"never merging", never, 1, 1, QRect(1, 1, 1, 1)},
        {"short vectors", shortVectors, 0, 0, QRect(0, 0, 2, 1)},
        {"short vectors, missing texts", shortVectors, 1, 1, QRect(1, 1, 1, 1)},
        {"outside", never, 2, 0, QRect()},
        {"no rows", with(grid({{"a"}}), [](MergeInput& in) { in.rows = -3; }), 0, 0, QRect()},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        const MergeLayout layout(c.input);
        EXPECT_EQ(layout.block(c.row, c.col), c.expected);
        expectEveryCellOfABlockNamesIt(layout);
    }
}

}  // namespace
