#include <gtest/gtest.h>

#include <chrono>
#include <initializer_list>

#include "platform/flexgrid/mergelayout.h"

namespace {

using flexgrid::MergeInput;

// Texts given row by row; every row and column may merge unless the case
// says otherwise.
MergeInput grid(std::initializer_list<std::initializer_list<const char*>> texts, int fixedRows = 0, int fixedCols = 0) {
    MergeInput in;
    in.rows = static_cast<int>(texts.size());
    in.cols = static_cast<int>(texts.begin()->size());
    in.fixedRows = fixedRows;
    in.fixedCols = fixedCols;
    in.freeMerge = true;
    for (const auto& row : texts)
        for (const char* t : row) in.texts.push_back(QString::fromUtf8(t));
    in.mergeRows.assign(in.rows, true);
    in.mergeCols.assign(in.cols, true);
    return in;
}

QRect at(const std::vector<QRect>& blocks, const MergeInput& in, int r, int c) {
    return blocks[static_cast<std::size_t>(r) * in.cols + c];
}

struct BlockCase {
    const char* name;
    MergeInput input;
    int row, col;
    QRect expected;  // x = first column, y = first row
};

TEST(MergeLayout, BlocksFollowTextsFlagsAndFixedLines) {
    MergeInput rowBlocked = grid({{"a", "a"}, {"b", "c"}});
    rowBlocked.mergeRows[0] = false;
    MergeInput colBlocked = grid({{"a", "b"}, {"a", "c"}});
    colBlocked.mergeCols[0] = false;
    MergeInput partlyBlocked = grid({{"x", "x"}, {"x", "x"}});
    partlyBlocked.mergeCols[1] = false;  // the pair may not grow down as a rectangle
    MergeInput never = grid({{"a", "a"}, {"a", "a"}});
    never.freeMerge = false;

    const BlockCase cases[] = {
        {"row run", grid({{"a", "a", "a", "b"}}), 0, 1, QRect(0, 0, 3, 1)},
        {"lone cell after run", grid({{"a", "a", "a", "b"}}), 0, 3, QRect(3, 0, 1, 1)},
        {"column run", grid({{"f"}, {"f"}, {"f"}, {"g"}}), 1, 0, QRect(0, 0, 1, 3)},
        {"rectangle", grid({{"x", "x", "y"}, {"x", "x", "y"}, {"z", "z", "z"}}), 1, 1, QRect(0, 0, 2, 2)},
        {"rectangle beside column", grid({{"x", "x", "y"}, {"x", "x", "y"}, {"z", "z", "z"}}), 0, 2, QRect(2, 0, 1, 2)},
        {"run below is wider", grid({{"x", "x", "y"}, {"x", "x", "x"}}), 0, 0, QRect(0, 0, 2, 1)},
        {"run below is wider, other half", grid({{"x", "x", "y"}, {"x", "x", "x"}}), 1, 2, QRect(0, 1, 3, 1)},
        {"row may not merge", rowBlocked, 0, 1, QRect(1, 0, 1, 1)},
        {"row may not merge, column may", rowBlocked, 1, 0, QRect(0, 1, 1, 1)},
        {"column may not merge", colBlocked, 1, 0, QRect(0, 1, 1, 1)},
        {"one column of the run may not merge", partlyBlocked, 0, 0, QRect(0, 0, 2, 1)},
        {"one column of the run may not merge, below", partlyBlocked, 1, 1, QRect(0, 1, 2, 1)},
        {"empty cells stay single across", grid({{"", "", ""}}), 0, 1, QRect(1, 0, 1, 1)},
        {"empty cells stay single down", grid({{""}, {""}}), 1, 0, QRect(0, 1, 1, 1)},
        {"a blank is text", grid({{" "}, {" "}, {"9"}}, 2, 1), 1, 0, QRect(0, 0, 1, 2)},
        {"case matters", grid({{"a", "A"}}), 0, 1, QRect(1, 0, 1, 1)},
        {"not across fixed rows", grid({{"k"}, {"k"}, {"k"}}, 1, 0), 0, 0, QRect(0, 0, 1, 1)},
        {"scrolling part still merges", grid({{"k"}, {"k"}, {"k"}}, 1, 0), 2, 0, QRect(0, 1, 1, 2)},
        {"not across fixed columns", grid({{"k", "k", "k"}}, 0, 1), 0, 0, QRect(0, 0, 1, 1)},
        {"scrolling columns still merge", grid({{"k", "k", "k"}}, 0, 1), 0, 2, QRect(1, 0, 2, 1)},
        {"never", never, 1, 1, QRect(1, 1, 1, 1)},
    };
    for (const BlockCase& c : cases) {
        const std::vector<QRect> blocks = flexgrid::layoutMerges(c.input);
        ASSERT_EQ(blocks.size(), c.input.texts.size()) << c.name;
        EXPECT_EQ(at(blocks, c.input, c.row, c.col), c.expected) << c.name;
    }
}

TEST(MergeLayout, EveryCellOfABlockNamesTheSameBlock) {
    const MergeInput in = grid({{"x", "x", "y"}, {"x", "x", "y"}, {"z", "z", "y"}, {"", "", ""}});
    const std::vector<QRect> blocks = flexgrid::layoutMerges(in);
    for (int r = 0; r < in.rows; ++r) {
        for (int c = 0; c < in.cols; ++c) {
            const QRect b = at(blocks, in, r, c);
            EXPECT_TRUE(b.contains(c, r)) << r << "," << c;
            for (int rr = b.top(); rr <= b.bottom(); ++rr)
                for (int cc = b.left(); cc <= b.right(); ++cc) EXPECT_EQ(at(blocks, in, rr, cc), b) << rr << "," << cc;
        }
    }
}

// A calendar: corner, month titles, day numbers, then slots where a
// reservation's folio runs down its day column.
TEST(MergeLayout, CalendarWeekAcrossAMonthBoundary) {
    MergeInput in;
    in.rows = 6;
    in.cols = 8;
    in.fixedRows = 2;
    in.fixedCols = 1;
    in.freeMerge = true;
    in.texts.assign(static_cast<std::size_t>(in.rows) * in.cols, QString());
    const auto set = [&](int r, int c, const QString& t) { in.texts[static_cast<std::size_t>(r) * in.cols + c] = t; };
    set(0, 0, " ");
    set(1, 0, " ");
    for (int c = 1; c <= 7; ++c) {
        set(0, c, c <= 4 ? "ABRIL 2024" : "MAYO 2024");
        set(1, c, QString::number(26 + c));
    }
    for (int r = 2; r < in.rows; ++r) set(r, 0, QStringLiteral("%1:00").arg(8 + r));
    for (int r = 2; r <= 4; ++r) set(r, 3, "F-0042");
    set(5, 3, "F-0043");
    set(3, 4, "F-0042");  // same folio next door, one row only: stays apart
    in.mergeRows.assign(in.rows, false);
    in.mergeRows[0] = true;
    in.mergeCols.assign(in.cols, true);

    const std::vector<QRect> blocks = flexgrid::layoutMerges(in);
    EXPECT_EQ(at(blocks, in, 0, 1), QRect(1, 0, 4, 1));
    EXPECT_EQ(at(blocks, in, 0, 4), QRect(1, 0, 4, 1));
    EXPECT_EQ(at(blocks, in, 0, 5), QRect(5, 0, 3, 1));
    EXPECT_EQ(at(blocks, in, 0, 7), QRect(5, 0, 3, 1));
    EXPECT_EQ(at(blocks, in, 1, 0), QRect(0, 0, 1, 2));
    EXPECT_EQ(at(blocks, in, 1, 5), QRect(5, 1, 1, 1));
    EXPECT_EQ(at(blocks, in, 3, 3), QRect(3, 2, 1, 3));
    EXPECT_EQ(at(blocks, in, 5, 3), QRect(3, 5, 1, 1));
    EXPECT_EQ(at(blocks, in, 3, 4), QRect(4, 3, 1, 1));
    EXPECT_EQ(at(blocks, in, 2, 6), QRect(6, 2, 1, 1));
    EXPECT_EQ(at(blocks, in, 3, 6), QRect(6, 3, 1, 1));
}

TEST(MergeLayout, ShortInputsAndEmptyShapesAreSafe) {
    MergeInput in;
    in.rows = 2;
    in.cols = 3;
    in.freeMerge = true;
    in.texts = {"a", "a"};  // the rest missing
    in.mergeRows = {true};
    const std::vector<QRect> blocks = flexgrid::layoutMerges(in);
    ASSERT_EQ(blocks.size(), 6u);
    EXPECT_EQ(blocks[0], QRect(0, 0, 2, 1));
    EXPECT_EQ(blocks[5], QRect(2, 1, 1, 1));

    MergeInput none;
    none.rows = -3;
    none.cols = 4;
    none.freeMerge = true;
    EXPECT_TRUE(flexgrid::layoutMerges(none).empty());
}

TEST(MergeLayout, AMonthOfSlotsLaysOutInMicroseconds) {
    MergeInput in;
    in.rows = 40;
    in.cols = 33;
    in.fixedRows = 2;
    in.fixedCols = 1;
    in.freeMerge = true;
    for (int r = 0; r < in.rows; ++r)
        for (int c = 0; c < in.cols; ++c)
            in.texts.push_back(r < 2 ? QStringLiteral("MARZO 2024") : (r + c) % 5 ? QStringLiteral("F-%1").arg(c) : QString());
    in.mergeRows.assign(in.rows, true);
    in.mergeCols.assign(in.cols, true);
    flexgrid::layoutMerges(in);  // warm up allocations
    const int runs = 50;
    const auto start = std::chrono::steady_clock::now();
    std::size_t total = 0;
    for (int i = 0; i < runs; ++i) total += flexgrid::layoutMerges(in).size();
    const auto each = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start) / runs;
    EXPECT_EQ(total, static_cast<std::size_t>(runs) * 40 * 33);
    EXPECT_LT(each.count(), 2000) << "one layout took " << each.count() << " us";
}

}  // namespace
