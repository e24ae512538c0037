#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include <QStringList>

#include "platform/flexgrid/cellstore.h"

namespace {

using flexgrid::CellStore;

// Everything a store holds, as one comparable value.
QStringList contents(const CellStore& s) {
    QStringList all{QStringLiteral("%1x%2 %3x%4").arg(s.rows()).arg(s.cols()).arg(s.fixedRows()).arg(s.fixedCols())};
    for (int r = 0; r < s.rows(); ++r)
        for (int c = 0; c < s.cols(); ++c)
            all << QStringLiteral("%1|%2|%3|%4|%5").arg(s.text(r, c)).arg(s.back(r, c)).arg(s.fore(r, c))
                       .arg(s.points(r, c)).arg(s.rowMerges(r));
    for (int c = 0; c < s.cols(); ++c)
        all << QStringLiteral("col %1 %2 %3").arg(s.colMerges(c)).arg(s.alignment(c)).arg(s.widthTwips(c));
    return all;
}

TEST(CellStore, ShapeChangesKeepWhatStillFitsInItsPlaceAndClearKeepsOnlyTheSettings) {
    CellStore s;
    ASSERT_TRUE(s.setRows(5) && s.setCols(4) && s.setRowMerges(2, true) && s.setWidthTwips(1, 2000));
    const CellStore bare = s;  // the shape and settings alone
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) s.setText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    ASSERT_TRUE(s.setBack(2, 1, 0x00FF00) && s.setFore(2, 1, 0x0000FF) && s.setPoints(2, 1, 20));
    ASSERT_TRUE(s.setCols(3) && s.setRows(3) && s.setRows(5) && s.setCols(4));
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(s.text(r, c), r < 3 && c < 3 ? QStringLiteral("%1,%2").arg(r).arg(c) : QString()) << r << c;
    EXPECT_EQ(std::vector<int>({s.back(2, 1), s.back(4, 3), s.back(4, 0), s.widthTwips(1), s.widthTwips(3)}),
              std::vector<int>({0x00FF00, 0xFFFFFF, 0xC0C0C0, 2000, 1000}));
    EXPECT_EQ(std::vector<bool>({s.rowMerges(2), s.rowMerges(4)}), std::vector<bool>({true, false}));
    s.clear();
    EXPECT_EQ(contents(s), contents(bare));
}

TEST(CellStore, RequestsOutOfRangeAreRefusedAndChangeNothingAndSizesAndWidthsAreClamped) {
    CellStore s;
    ASSERT_TRUE(s.setRows(6) && s.setCols(5) && s.setFixedRows(2) && s.setText(1, 1, "x") && s.setPoints(1, 1, 9));
    const int big = std::numeric_limits<int>::max();
    const std::pair<const char*, std::function<bool()>> requests[] = {
        {"rows below the headings", [&] { return s.setRows(1); }},
        {"too many rows", [&] { return s.setRows(CellStore::kMaxRows + 1) || s.setCols(big); }},
        {"too many cells", [&] { return s.setRows(CellStore::kMaxRows); }},
        {"headings: every row or none", [&] { return s.setFixedRows(6) || s.setFixedCols(-1); }},
        {"text outside", [&] { return s.setText(6, 0, "x") || s.setText(-big - 1, big, "x"); }},
        {"colour right", [&] { return s.setBack(0, 5, 1) || s.setFore(0, -1, 1); }},
        {"size not a number", [&] { return s.setPoints(1, 1, std::nan("")) || s.setPoints(1, 1, HUGE_VAL); }},
        {"size not positive", [&] { return s.setPoints(1, 1, 0) || s.setPoints(1, 1, -3); }},
        {"merge flags outside", [&] { return s.setRowMerges(6, true) || s.setColMerges(-1, true); }},
        {"unknown alignment", [&] { return s.setAlignment(1, 10) || s.setAlignment(1, -1); }},
        {"width right", [&] { return s.setWidthTwips(5, 500); }},
    };
    const QStringList before = contents(s);
    for (const auto& [what, request] : requests) {
        EXPECT_FALSE(request()) << what;
        EXPECT_EQ(contents(s), before) << what;
    }
    EXPECT_EQ(std::vector<int>({s.back(6, 0), s.fore(0, 5), s.alignment(-1), s.widthTwips(5)}),
              std::vector<int>({0, 0, 9, 0}));
    const std::pair<double, float> sizes[] = {{0.2, 1}, {12.5, 12.5f}, {1e9, 200}};
    for (const auto& [asked, kept] : sizes) EXPECT_TRUE(s.setPoints(1, 1, asked) && s.points(1, 1) == kept) << asked;
    const std::pair<int, int> widths[] = {{big, 30000}, {-5, 1000}, {0, 0}};
    for (const auto& [asked, kept] : widths) EXPECT_TRUE(s.setWidthTwips(1, asked) && s.widthTwips(1) == kept) << asked;
}

}  // namespace
