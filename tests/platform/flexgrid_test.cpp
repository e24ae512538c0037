#include <gtest/gtest.h>

#include <array>
#include <functional>

#include <QAccessible>
#include <QHelpEvent>
#include <QTest>
#include <QTextDocumentFragment>
#include <QToolTip>

#include "platform/core/contrast.h"
#include "platform/core/units.h"
#include "platform/flexgrid/flexgrid.h"

namespace {

using flexgrid::FlexGrid;

class FlexGridTest : public ::testing::Test {
protected:
    void showAs(int rows, int cols, int fixedRows, int fixedCols) {
        grid.resize(640, 400);
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
        ASSERT_TRUE(QMetaObject::invokeMethod(&grid, method, QArgument<A>(QMetaType::fromType<A>().name(), args)...));
    }
    void set(const char* name, const QVariant& value) { ASSERT_TRUE(grid.setProperty(name, value)) << name; }

    FlexGrid grid;
};

// Drawing off, each step by name; a merge layout kept from before a step shows up as the old block.
TEST_F(FlexGridTest, ABatchByNameIsMergedAfterEachStepAndPaintedOnceAfterwards) {
    showAs(5, 8, 2, 1);
    const int paints = grid.paintCount();
    set("Redraw", false);
    const auto titles = [this] {
        set("MergeCells", FlexGrid::flexMergeFree);
        for (int c = 0; c < 8; ++c) call("SetMergeCol", c, true);
        call("SetMergeRow", 0, true);
        for (int c = 1; c < 8; ++c) call("SetTextMatrix", 0, c, QString(c <= 4 ? "ABRIL" : "MAYO"));
        for (int r = 0; r < 2; ++r) call("SetTextMatrix", r, 0, QString(" "));
    };
    const auto folio = [this](int r, int c) { return [=, this] { call("SetTextMatrix", r, c, QString("F-7")); }; };
    const std::tuple<const char*, std::function<void()>, QPoint, QRect> steps[] = {  // QPoint(col, row)
        {"month titles", titles, {2, 0}, {1, 0, 4, 1}},
        {"the title row stops merging", [this] { call("SetMergeRow", 0, false); }, {2, 0}, {2, 0, 1, 1}},
        {"one heading row less", [this] { set("FixedRows", 1); }, {0, 1}, {0, 1, 1, 1}},
        {"titles again", titles, {2, 0}, {1, 0, 4, 1}},
        {"cleared", [this] { call("Clear"); }, {2, 0}, {2, 0, 1, 1}},
        {"titles once more", titles, {2, 0}, {1, 0, 4, 1}},
        {"never merging", [this] { set("MergeCells", FlexGrid::flexMergeNever); }, {2, 0}, {2, 0, 1, 1}},
        {"merging again", [this] { set("MergeCells", FlexGrid::flexMergeFree); }, {2, 0}, {1, 0, 4, 1}},
        {"a green folio as Text of the current cell",
         [this] { set("Row", 3); set("Col", 3); set("Text", "F-7"); set("CellBackColor", 0x00FF00); },
         {3, 3}, {3, 3, 1, 1}},
        {"the folio runs down", folio(4, 3), {3, 4}, {3, 3, 1, 2}},
        {"fewer rows cut it", [this] { set("Rows", 4); }, {3, 3}, {3, 3, 1, 1}},
        {"it runs up", folio(2, 3), {3, 3}, {3, 2, 1, 2}},
        {"the column stops merging", [this] { call("SetMergeCol", 3, false); }, {3, 3}, {3, 3, 1, 1}},
        {"it runs over two days", [=, this] { call("SetMergeRow", 3, true); folio(3, 4)(); }, {4, 3}, {3, 3, 2, 1}},
    };
    for (const auto& [what, act, cell, block] : steps) {
        act();
        EXPECT_EQ(grid.MergedBlock(cell.y(), cell.x()), block) << what;
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.paintCount(), paints) << "nothing painted while Redraw is off";
    set("Redraw", true);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.paintCount(), paints + 1);

    const auto colourAt = [image = grid.viewport()->grab().toImage()](QPoint p) { return core::toBgr(image.pixel(p)); };
    const QRect first = grid.cellRect(3, 3);
    EXPECT_EQ(colourAt(QPoint(first.right(), first.center().y())), 0x00FF00u) << "no grid line inside the block";
    EXPECT_EQ(colourAt(QPoint(grid.cellRect(3, 4).center().x(), first.top() + 2)), 0x00FF00u) << "one background";
    EXPECT_EQ(colourAt(QPoint(grid.cellRect(3, 5).right(), first.center().y())), 0xC0C0C0u) << "singles' grid line";
    EXPECT_EQ(colourAt(grid.cellRect(1, 0).center()), 0xC0C0C0u) << "headings in button face";
}

// Each step starts where the last one left the current cell; events report the new current cell.
TEST_F(FlexGridTest, CodeKeysAndMouseMoveTheCurrentCellAndEachRealMoveEntersOnce) {
    using enum Qt::Key;
    showAs(5, 5, 1, 1);
    QStringList heard;
    for (const auto& [signal, what] : std::initializer_list<std::pair<void (FlexGrid::*)(), const char*>>{
             {&FlexGrid::EnterCell, "enter"}, {&FlexGrid::Click, "click"}, {&FlexGrid::DblClick, "dbl"}})
        QObject::connect(&grid, signal,
                         [&, what] { heard << QStringLiteral("%1 %2,%3").arg(what).arg(grid.Row()).arg(grid.Col()); });
    const auto code = [this](const char* property, int v) { return [=, this] { set(property, v); }; };
    const auto keys = [this](QList<Qt::Key> ks) { return [=, this] { for (auto k : ks) QTest::keyClick(&grid, k); }; };
    const auto mouse = [v = grid.viewport()](Qt::MouseButton b, QPoint at, bool twice = false) {
        return [=] { twice ? QTest::mouseDClick(v, b, {}, at) : QTest::mouseClick(v, b, {}, at); };
    };
    const QPoint belowTheCells(centre(4, 3).x(), grid.cellRect(4, 3).bottom() + 5);
    const std::tuple<const char*, std::function<void()>, QString> steps[] = {
        {"row 3, col 4 twice", [=] { code("Row", 3)(); code("Col", 4)(); code("Col", 4)(); }, "enter 3,1 enter 3,4"},
        {"a heading row by code is allowed", code("Row", 0), "enter 0,4"},
        {"where Enter opens nothing", keys({Key_Return, Key_Space}), ""},
        {"row out of range, then col 3", [=] { code("Row", 5)(); code("Col", 3)(); }, "enter 0,3"},
        {"Right from a heading set by code", keys({Key_Right}), "enter 1,4"},
        {"Down to the last row, no further, nor right", keys({Key_Down, Key_Down, Key_Down, Key_Down, Key_Right}),
         "enter 2,4 enter 3,4 enter 4,4"},
        {"Left stops at column 1", keys({Key_Left, Key_Left, Key_Left, Key_Left}), "enter 4,3 enter 4,2 enter 4,1"},
        {"Up stops before the heading row", keys({Key_Up, Key_Up, Key_Up, Key_Up}), "enter 3,1 enter 2,1 enter 1,1"},
        {"Enter, keypad Enter and Space open a cell", keys({Key_Return, Key_Enter, Key_Space}), "dbl 1,1 dbl 1,1 dbl 1,1"},
        {"click", mouse(Qt::LeftButton, centre(4, 3)), "enter 4,3 click 4,3"},
        {"click on the current cell", mouse(Qt::LeftButton, centre(4, 3)), "click 4,3"},
        {"double click", mouse(Qt::LeftButton, centre(2, 1), true), "enter 2,1 dbl 2,1"},
        {"click beyond the cells", mouse(Qt::LeftButton, belowTheCells), ""},
        {"right click", mouse(Qt::RightButton, centre(3, 3)), ""},
        {"every row a heading: the current cell moves up", code("Rows", 1), "enter 0,1"},
        {"and keys find no cell to go to", keys({Key_Down, Key_Right}), ""},
    };
    for (const auto& [what, act, expected] : steps) {
        heard.clear();
        act();
        EXPECT_EQ(heard.join(' '), expected) << what;
    }
}

TEST_F(FlexGridTest, ArrowKeysScrollTheCurrentCellIntoViewAndClicksFindScrolledCells) {
    showAs(40, 25, 1, 1);
    for (int i = 0; i < 23 + 30; ++i) QTest::keyClick(&grid, i < 23 ? Qt::Key_Right : Qt::Key_Down);
    ASSERT_EQ(QPoint(grid.Col(), grid.Row()), QPoint(24, 31));
    const QRect heading = grid.cellRect(0, 0);
    const QRect current = grid.cellRect(31, 24);
    EXPECT_EQ(heading.topLeft(), QPoint(0, 0)) << "fixed cells stay put";
    EXPECT_TRUE(grid.viewport()->rect().contains(current)) << current.x() << "," << current.y();
    EXPECT_TRUE(current.left() > heading.right() && current.top() > heading.bottom()) << "not under the headings";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(30, 23));
    EXPECT_EQ(QPoint(grid.Col(), grid.Row()), QPoint(23, 30));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(heading.center().x(), current.center().y()));
    EXPECT_EQ(QPoint(grid.Col(), grid.Row()), QPoint(0, 31));
}

TEST_F(FlexGridTest, ColumnsAndRowsSizeToTheViewportTheMinimumAndTheCellFont) {
    showAs(6, 8, 2, 1);  // a week: hour column and seven days
    EXPECT_EQ(grid.cellRect(2, 0).width(), core::twipsToPixels(1000));
    for (int c = 2; c < 8; ++c) EXPECT_NEAR(grid.cellRect(2, c).width(), grid.cellRect(2, 1).width(), 1) << c;
    grid.resize(1000, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid.cellRect(2, 7).right(), grid.viewport()->width() - 1) << "short grids stretch";
    const int plain = grid.cellRect(3, 1).height();
    set("Row", 3);
    set("CellFontSize", 30.0);
    EXPECT_GT(grid.cellRect(3, 1).height(), plain);
    EXPECT_EQ(grid.cellRect(4, 1).height(), plain);
    set("RowHeightMin", 600);
    EXPECT_EQ(grid.cellRect(4, 1).height(), 40);
    EXPECT_EQ(grid.cellRect(5, 2).top(), grid.cellRect(4, 2).bottom() + 1);
}

// What a person reads in rich text: markup rendered, entities resolved, break chances unseen.
QString seenIn(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().remove(QChar(0x200B));
}

// Tips come from data: shown as typed, long ones wrapped; without text none at all, and one showing goes.
TEST_F(FlexGridTest, ToolTipShowsItsTextLiterallyAndNothingWithoutText) {
    showAs(4, 4, 1, 1);
    const std::tuple<int, int, QString> hovers[] = {
        {0, 0, ""}, {0, 2, ""}, {2, 0, ""}, {2, 2, ""}, {2, 2, "Doble clic para reservar"}, {0, 2, ""},
        {1, 1, "<b>x</b>"}, {1, 1, "<img src=\"/nonexistent/file.png\">"}, {1, 1, "a & b < c"}, {3, 3, ""},
        {1, 1, QString(100, 'W')}, {1, 1, QString("<b>Sala</b> de juntas ").repeated(8)},
    };
    for (const auto& [row, col, text] : hovers) {
        SCOPED_TRACE(QStringLiteral("%1,%2: %3").arg(row).arg(col).arg(text).toStdString());
        set("ToolTipText", text);
        QHelpEvent help(QEvent::ToolTip, centre(row, col), grid.viewport()->mapToGlobal(centre(row, col)));
        QCoreApplication::sendEvent(grid.viewport(), &help);
        EXPECT_EQ(help.isAccepted(), !text.isEmpty());
        ASSERT_TRUE(QTest::qWaitFor([&] { return QToolTip::isVisible() != text.isEmpty(); }, 400));  // hides in 300 ms
        if (text.isEmpty()) continue;
        EXPECT_EQ(seenIn(QToolTip::text()), text);
        EXPECT_EQ(seenIn(grid.toolTip()), text) << "frame and scroll bars";
        const QWidget* tip = grid.viewport()->findChild<QWidget*>("qtooltip_label");
        ASSERT_TRUE(tip && tip->isVisible());
        EXPECT_LT(tip->width(), 600);
        EXPECT_TRUE(text.size() > 30 || tip->height() < 2 * tip->fontMetrics().lineSpacing()) << "one line";
    }
    QToolTip::hideText();
}


// The current cell's frame: 2 px, 3:1 at least on the free, reserved and
// non-working fills, the fill unchanged inside it.
TEST_F(FlexGridTest, FocusFrameStandsOutOnEveryFill) {
    showAs(3, 4, 1, 1);
    grid.activateWindow();
    grid.setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    for (int col : {1, 2, 3}) {
        const int fill = std::array{0x00FF00, 0xFF0000, 0xC0C0C0}[col - 1];
        set("Row", 1);
        set("Col", col);
        set("CellBackColor", fill);
        const QImage image = grid.viewport()->grab().toImage();
        const QRect r = grid.cellRect(1, col);
        const auto ratio = [&](int x, int y) { return core::contrastRatio(image.pixelColor(x, y), core::fromBgr(fill)); };
        for (int in : {0, 1}) {
            EXPECT_GE(ratio(r.left() + in, r.center().y()), 3.0) << col << " left " << in;
            EXPECT_GE(ratio(r.center().x(), r.bottom() - 1 - in), 3.0) << col << " bottom " << in;
        }
        EXPECT_EQ(core::toBgr(image.pixel(r.left() + 3, r.center().y() - 3)), static_cast<quint32>(fill)) << col;
    }
}

// Assistive technology reads a table of every cell: headings as headers,
// names and caption from the speech given, the tip without its markup.
TEST_F(FlexGridTest, AssistiveTechnologyReadsCellsHeadersCaptionAndPlainTip) {
    showAs(3, 3, 1, 1);
    call("SetTextMatrix", 0, 1, QString("LUN 07"));
    call("SetTextMatrix", 1, 0, QString("10:00"));
    set("ToolTipText", "<b>Ana</b>");
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_TRUE(table && table->tableInterface());
    QAccessibleInterface* cell = table->tableInterface()->cellAt(1, 1);
    EXPECT_EQ(table->tableInterface()->cellAt(0, 1)->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(cell->role(), QAccessible::Cell);
    EXPECT_EQ(cell->text(QAccessible::Name), "");
    EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells().value(0)->text(QAccessible::Name), "LUN 07");
    EXPECT_EQ(cell->tableCellInterface()->rowHeaderCells().value(0)->text(QAccessible::Name), "10:00");
    EXPECT_EQ(table->text(QAccessible::Description), "<b>Ana</b>");
    grid.setAccessibleSpeech([](int r, int c) { return QString("%1-%2").arg(r).arg(c); }, [] { return "Sala 1"; });
    EXPECT_EQ(table->child(table->indexOfChild(cell))->text(QAccessible::Name), "1-1");
    EXPECT_EQ(table->tableInterface()->caption()->text(QAccessible::Name), "Sala 1");
    EXPECT_EQ(table->text(QAccessible::Name), "Sala 1");
}

}  // namespace
