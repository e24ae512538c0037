#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include "platform/core/units.h"
#include "platform/flexgrid/flexgrid.h"
#include "platform/flexgrid/mergelayout.h"

namespace {

using flexgrid::FlexGrid;

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override { grid.resize(640, 400); }
    void showAs(int rows, int cols, int fixedRows, int fixedCols) {
        grid.setRows(rows);
        grid.setCols(cols);
        grid.setFixedRows(fixedRows);
        grid.setFixedCols(fixedCols);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
        QTest::qWait(30);  // let activation and first paints settle
    }
    QPoint centre(int row, int col) const { return grid.cellRect(row, col).center(); }
    // By member name only, as the screens drive the grid.
    template <typename... A>
    void call(const char* method, A... args) {
        ASSERT_TRUE(QMetaObject::invokeMethod(&grid, method, QArgument<A>(QMetaType::fromType<A>().name(), args)...))
            << method;
    }
    void set(const char* name, const QVariant& value) { ASSERT_TRUE(grid.setProperty(name, value)) << name; }
    // What the grid holds, as the merge layout reads it.
    flexgrid::MergeInput held() const {
        flexgrid::MergeInput in{grid.Rows(), grid.Cols(), grid.FixedRows(), grid.FixedCols(),
                                grid.MergeCells() == FlexGrid::flexMergeFree, {}, {}, {}};
        for (int r = 0; r < in.rows; ++r)
            for (int c = 0; c < in.cols; ++c) in.texts.push_back(grid.TextMatrix(r, c));
        for (int r = 0; r < in.rows; ++r) in.mergeRows.push_back(grid.MergeRow(r));
        for (int c = 0; c < in.cols; ++c) in.mergeCols.push_back(grid.MergeCol(c));
        return in;
    }
    void hover(int row, int col) {
        const QPoint at = centre(row, col);
        QHelpEvent help(QEvent::ToolTip, at, grid.viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(grid.viewport(), &help);
    }

    FlexGrid grid;
};

// Each step by name, then every block must be what the layout makes of the
// grid's contents at that moment: a stale layout shows up at once.
TEST_F(FlexGridTest, ChangesByNameAreSeenByTheNextMergeLayout) {
    showAs(5, 8, 2, 1);
    const auto titles = [this] {
        set("MergeCells", FlexGrid::flexMergeFree);
        for (int c = 0; c < 8; ++c) call("SetMergeCol", c, true);
        call("SetMergeRow", 0, true);
        for (int c = 1; c < 8; ++c) call("SetTextMatrix", 0, c, QString(c <= 4 ? "ABRIL" : "MAYO"));
        call("SetTextMatrix", 0, 0, QString(" "));
        call("SetTextMatrix", 1, 0, QString(" "));
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        int row, col;
        QRect block;
    } const steps[] = {
        {"month titles", titles, 0, 2, {1, 0, 4, 1}},
        {"a folio in the current cell", [this] { set("Row", 3); set("Col", 3); set("Text", "F-7"); },
         3, 3, {3, 3, 1, 1}},
        {"the folio runs down", [this] { call("SetTextMatrix", 4, 3, QString("F-7")); }, 4, 3, {3, 3, 1, 2}},
        {"fewer rows cut it", [this] { set("Rows", 4); }, 3, 3, {3, 3, 1, 1}},
        {"it runs up", [this] { call("SetTextMatrix", 2, 3, QString("F-7")); }, 3, 3, {3, 2, 1, 2}},
        {"the column stops merging", [this] { call("SetMergeCol", 3, false); }, 3, 3, {3, 3, 1, 1}},
        {"the title row stops merging", [this] { call("SetMergeRow", 0, false); }, 0, 2, {2, 0, 1, 1}},
        {"one heading row less", [this] { set("FixedRows", 1); }, 1, 0, {0, 1, 1, 1}},
        {"titles again", titles, 0, 2, {1, 0, 4, 1}},
        {"cleared", [this] { call("Clear"); }, 0, 2, {2, 0, 1, 1}},
        {"titles once more", titles, 0, 2, {1, 0, 4, 1}},
        {"never merging", [this] { set("MergeCells", FlexGrid::flexMergeNever); }, 0, 2, {2, 0, 1, 1}},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(grid.MergedBlock(s.row, s.col), s.block) << s.what;
        const flexgrid::MergeLayout layout(held());
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < grid.Cols(); ++c) EXPECT_EQ(grid.MergedBlock(r, c), layout.block(r, c)) << s.what;
    }
}

TEST_F(FlexGridTest, ABatchWithRedrawOffIsPaintedOnceAfterwardsWithMergedBlocksAsOneCell) {
    showAs(5, 4, 1, 1);
    const int before = grid.paintCount();
    set("Redraw", false);
    set("MergeCells", FlexGrid::flexMergeFree);
    call("SetMergeRow", 1, true);
    for (int r = 1; r < 5; ++r)
        for (int c = 1; c < 4; ++c) call("SetTextMatrix", r, c, QString(r == 1 && c < 3 ? "X" : "F-%1").arg(c));
    set("Row", 1);
    set("Col", 1);
    set("CellBackColor", 0x00FF00);  // green, on the block's first cell only
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.paintCount(), before) << "nothing painted while Redraw is off";
    set("Redraw", true);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.paintCount(), before + 1);

    const QImage image = grid.viewport()->grab().toImage();
    const auto colourAt = [&](QPoint p) { return core::toBgr(QColor(image.pixel(p))); };
    const QRect first = grid.cellRect(1, 1);
    const QRect single = grid.cellRect(2, 1);
    EXPECT_EQ(colourAt(QPoint(first.right(), first.center().y())), 0x00FF00u) << "no grid line inside the block";
    EXPECT_EQ(colourAt(QPoint(grid.cellRect(1, 2).center().x(), first.top() + 2)), 0x00FF00u) << "one background";
    EXPECT_EQ(colourAt(QPoint(single.right(), single.center().y())), 0xC0C0C0u) << "grid line between single cells";
    EXPECT_EQ(colourAt(grid.cellRect(0, 2).center()), 0xC0C0C0u) << "headings in button face";
}

// One walk, each step from where the last one left the current cell.
TEST_F(FlexGridTest, EnterCellOnRealMovesByCodeAndArrowKeysWalkTheScrollingCellsOnly) {
    showAs(5, 5, 1, 1);
    QSignalSpy entered(&grid, &FlexGrid::EnterCell);
    const auto code = [this](const char* property, int v) { return [=, this] { set(property, v); }; };
    const auto keys = [this](std::vector<Qt::Key> keys) {
        return [=, this] { for (Qt::Key key : keys) QTest::keyClick(&grid, key); };
    };
    const auto down = Qt::Key_Down;
    const auto left = Qt::Key_Left;
    const std::tuple<const char*, std::function<void()>, QPoint, int> steps[] = {
        {"row 1: already there", code("Row", 1), {1, 1}, 0},
        {"row 3", code("Row", 3), {1, 3}, 1},
        {"col 4, twice", [=] { code("Col", 4)(); code("Col", 4)(); }, {4, 3}, 2},
        {"a heading row by code is allowed", code("Row", 0), {4, 0}, 3},
        {"row out of range", code("Row", 5), {4, 0}, 3},
        {"col 3", code("Col", 3), {3, 0}, 4},
        {"Right from a heading set by code", keys({Qt::Key_Right}), {4, 1}, 5},
        {"Down to the last row and no further", keys({down, down, down, down}), {4, 4}, 8},
        {"Right at the last column", keys({Qt::Key_Right}), {4, 4}, 8},
        {"Left stops before the heading column", keys({left, left, left, left}), {1, 4}, 11},
        {"Up stops before the heading row", keys({Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up}), {1, 1}, 14},
        {"every row a heading: the current cell moves up", code("Rows", 1), {1, 0}, 15},
        {"and keys find no cell to go to", keys({down, Qt::Key_Right}), {1, 0}, 15},
    };
    for (const auto& [what, act, colRow, enters] : steps) {
        act();
        EXPECT_EQ(QPoint(grid.Col(), grid.Row()), colRow) << what;
        EXPECT_EQ(entered.count(), enters) << what;
    }
}

TEST_F(FlexGridTest, MouseMakesTheClickedCellCurrentBeforeReporting) {
    showAs(6, 5, 1, 1);
    QStringList heard;
    const auto hear = [&](const char* what) {
        return [&heard, this, what] { heard << QStringLiteral("%1 %2,%3").arg(what).arg(grid.Row()).arg(grid.Col()); };
    };
    QObject::connect(&grid, &FlexGrid::EnterCell, hear("enter"));
    QObject::connect(&grid, &FlexGrid::Click, hear("click"));
    QObject::connect(&grid, &FlexGrid::DblClick, hear("dbl"));
    const QPoint outside = grid.cellRect(5, 4).bottomRight() + QPoint(5, 5);
    const std::tuple<Qt::MouseButton, bool, QPoint, QStringList> gestures[] = {
        {Qt::LeftButton, false, centre(4, 3), {"enter 4,3", "click 4,3"}},
        {Qt::LeftButton, false, centre(4, 3), {"click 4,3"}},
        {Qt::LeftButton, true, centre(2, 1), {"enter 2,1", "dbl 2,1"}},
        {Qt::LeftButton, false, outside, {}},
        {Qt::RightButton, false, centre(3, 3), {}},
    };
    for (const auto& [button, twice, at, expected] : gestures) {
        heard.clear();
        if (twice) QTest::mouseDClick(grid.viewport(), button, {}, at);
        else QTest::mouseClick(grid.viewport(), button, {}, at);
        EXPECT_EQ(heard, expected);
    }
    EXPECT_EQ(QPoint(grid.Col(), grid.Row()), QPoint(1, 2));
}

TEST_F(FlexGridTest, ArrowKeysScrollTheCurrentCellIntoViewAndClicksFindScrolledCells) {
    showAs(40, 25, 1, 1);
    for (int i = 0; i < 23; ++i) QTest::keyClick(&grid, Qt::Key_Right);
    for (int i = 0; i < 30; ++i) QTest::keyClick(&grid, Qt::Key_Down);
    ASSERT_EQ(QPoint(grid.Col(), grid.Row()), QPoint(24, 31));
    const QRect heading = grid.cellRect(0, 0);
    const QRect current = grid.cellRect(31, 24);
    EXPECT_EQ(heading.topLeft(), QPoint(0, 0)) << "fixed cells stay put";
    EXPECT_TRUE(grid.viewport()->rect().contains(current)) << current.x() << "," << current.y();
    EXPECT_GT(current.left(), heading.right()) << "not under the headings";
    EXPECT_GT(current.top(), heading.bottom());
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(30, 23));
    EXPECT_EQ(QPoint(grid.Col(), grid.Row()), QPoint(23, 30));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(heading.center().x(), current.center().y()));
    EXPECT_EQ(QPoint(grid.Col(), grid.Row()), QPoint(0, 31));
}

TEST_F(FlexGridTest, ColumnsAndRowsSizeToTheViewportTheMinimumAndTheCellFont) {
    showAs(6, 8, 2, 1);  // a week: hour column and seven days
    EXPECT_EQ(grid.cellRect(2, 0).width(), core::twipsToPixels(1000));
    for (int c = 2; c < 8; ++c) EXPECT_NEAR(grid.cellRect(2, c).width(), grid.cellRect(2, 1).width(), 1) << c;
    for (const int width : {640, 1000}) {
        grid.resize(width, 400);
        QCoreApplication::processEvents();
        EXPECT_EQ(grid.cellRect(2, 7).right(), grid.viewport()->width() - 1) << "short grids stretch";
    }
    const int plain = grid.cellRect(3, 1).height();
    set("RowHeightMin", 600);
    EXPECT_EQ(grid.cellRect(3, 1).height(), 40);
    EXPECT_EQ(grid.cellRect(4, 2).top(), grid.cellRect(3, 2).bottom() + 1);
    set("RowHeightMin", 0);
    set("Row", 3);
    set("CellFontSize", 30.0);
    EXPECT_GT(grid.cellRect(3, 1).height(), plain);
    EXPECT_EQ(grid.cellRect(4, 1).height(), plain);
}

// What a person reads in rich text: markup rendered, entities resolved,
// invisible break chances unseen.
QString seenIn(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText().remove(QChar(0x200B));
}

// Tips come from data: shown as typed, long ones wrapped, and without text
// no tip at all wherever the pointer is; one that was showing goes.
TEST_F(FlexGridTest, ToolTipShowsItsTextLiterallyAndNothingWithoutText) {
    showAs(4, 4, 1, 1);
    const std::tuple<int, int, QString> hovers[] = {
        {0, 0, ""}, {0, 2, ""}, {2, 0, ""}, {2, 2, ""}, {2, 2, "Doble clic para reservar"}, {0, 2, ""},
        {1, 1, "<b>x</b>"}, {1, 1, "<img src=\"/nonexistent/file.png\">"}, {1, 1, "a & b < c"}, {3, 3, ""},
        {1, 1, QString(100, 'W')}, {1, 1, QString("Sala de juntas ").repeated(8)},
    };
    for (const auto& [row, col, text] : hovers) {
        SCOPED_TRACE(QStringLiteral("%1,%2: %3").arg(row).arg(col).arg(text).toStdString());
        set("ToolTipText", text);
        hover(row, col);
        // An asked-for hiding takes 300 ms.
        const bool hidden = text.isEmpty() ? QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 400)
                                           : !QToolTip::isVisible();
        ASSERT_EQ(hidden, text.isEmpty());
        if (hidden) continue;
        EXPECT_EQ(seenIn(QToolTip::text()), text);
        EXPECT_EQ(seenIn(grid.toolTip()), text) << "frame and scroll bars";
        const QWidgetList shown = QApplication::topLevelWidgets();
        const auto tip = std::find_if(shown.begin(), shown.end(),
                                      [](QWidget* w) { return w->objectName() == "qtooltip_label" && w->isVisible(); });
        ASSERT_NE(tip, shown.end());
        EXPECT_LT((*tip)->width(), 600);
        EXPECT_TRUE(text.size() > 30 || (*tip)->height() < 2 * (*tip)->fontMetrics().lineSpacing()) << "one line";
    }
    QToolTip::hideText();
}

}  // namespace
