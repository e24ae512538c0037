#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include <QApplication>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>

#include "platform/core/units.h"
#include "platform/flexgrid/flexgrid.h"

namespace {

using flexgrid::FlexGrid;

class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid = std::make_unique<FlexGrid>();
        grid->resize(640, 400);
    }
    void showGrid() {
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
        QTest::qWait(30);  // let activation and first paints settle
    }
    void shape(int rows, int cols, int fixedRows, int fixedCols) {
        grid->setRows(rows);
        grid->setCols(cols);
        grid->setFixedRows(fixedRows);
        grid->setFixedCols(fixedCols);
    }
    void click(int row, int col) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(row, col)); }
    QPoint centre(int row, int col) const { return grid->cellRect(row, col).center(); }
    // Calls a member that returns R by name, as the screens do.
    template <typename R, typename... A>
    R call(const char* method, A... args) {
        R r{};
        EXPECT_TRUE(QMetaObject::invokeMethod(grid.get(), method, QReturnArgument<R>(QMetaType::fromType<R>().name(), r),
                                              QArgument<A>(QMetaType::fromType<A>().name(), args)...)) << method;
        return r;
    }

    std::unique_ptr<FlexGrid> grid;
};

TEST_F(FlexGridTest, ShapeChangesKeepTheCellsThatStillFitAndOutOfRangeRequestsChangeNothing) {
    shape(5, 4, 1, 1);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) grid->SetTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    grid->setRow(2);
    grid->setCellBackColor(0x00FF00);
    grid->SetMergeRow(2, true);
    grid->setCols(3);
    grid->setRows(3);
    grid->setRows(6);
    grid->setCols(5);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(grid->TextMatrix(r, c), r < 3 && c < 3 ? QStringLiteral("%1,%2").arg(r).arg(c) : QString())
                << r << "," << c;
    EXPECT_EQ(grid->CellBackColorAt(2, 1), 0x00FF00);
    EXPECT_EQ(grid->CellBackColorAt(4, 4), 0xFFFFFF);
    EXPECT_TRUE(grid->MergeRow(2));
    EXPECT_FALSE(grid->MergeRow(4));

    grid->setCol(2);
    QSignalSpy entered(grid.get(), &FlexGrid::EnterCell);
    const auto state = [&] {
        return QVariantList{grid->Row(), grid->Col(), grid->Rows(), grid->Cols(), grid->FixedRows(),
                            grid->FixedCols(), grid->MergeCells(), grid->ColAlignment(1), grid->CellFontSize(),
                            grid->RowHeightMin(), grid->TextMatrix(1, 1)};
    };
    const QVariantList before = state();
    const int big = std::numeric_limits<int>::max();
    for (const auto& [row, col] : {std::pair{-1, -1}, {6, 5}, {big, big}, {-big - 1, -big - 1}}) {
        SCOPED_TRACE(::testing::Message() << row << "," << col);
        grid->setRow(row);
        grid->setCol(col);
        grid->SetTextMatrix(row, 1, "x");
        grid->SetTextMatrix(1, col, "x");
        grid->SetMergeRow(row, true);
        grid->SetMergeCol(col, true);
        grid->SetColWidth(col, 500);
        EXPECT_TRUE(grid->TextMatrix(row, 1).isEmpty() && grid->TextMatrix(1, col).isEmpty());
        EXPECT_TRUE(grid->MergedBlock(row, 1).isNull());
        EXPECT_EQ(grid->CellBackColorAt(1, col), 0);
        EXPECT_TRUE(grid->cellRect(1, col).isNull());
    }
    grid->setFixedRows(6);   // must stay below Rows
    grid->setFixedCols(-1);
    grid->setRows(0);        // below FixedRows
    grid->setCols(big);      // more cells than the grid allows
    grid->setMergeCells(7);
    grid->SetColAlignment(1, 42);
    grid->setCellFontSize(std::nan(""));
    grid->setCellFontSize(-3);
    grid->setRowHeightMin(-100);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(entered.count(), 0);

    // Shrinking under the current cell moves it, which is a change of cell.
    grid->setRows(2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(entered.count(), 1);
    grid->show();
    grid->grab();  // painting whatever is left must be safe too
}

TEST_F(FlexGridTest, GridOfHeadingsOnlyStaysUsable) {
    shape(5, 4, 2, 1);
    grid->setRows(2);  // every row a heading: a day window with no slots
    EXPECT_EQ(QPoint(grid->Rows(), grid->FixedRows()), QPoint(2, 2));
    showGrid();
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_LT(grid->Row(), 2);
}

// One walk, each step from where the last one left the current cell.
TEST_F(FlexGridTest, EnterCellOnRealMovesByCodeAndArrowKeysWalkTheScrollingCellsOnly) {
    shape(5, 5, 1, 1);
    showGrid();
    QSignalSpy entered(grid.get(), &FlexGrid::EnterCell);
    const auto code = [this](bool row, int v) -> std::function<void()> {
        return [=, this] { row ? grid->setRow(v) : grid->setCol(v); };
    };
    const auto keys = [this](Qt::Key key, int times) -> std::function<void()> {
        return [=, this] { for (int i = 0; i < times; ++i) QTest::keyClick(grid.get(), key); };
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        int row, col, enters;
    } const steps[] = {
        {"row 1: already there", code(true, 1), 1, 1, 0},
        {"row 3", code(true, 3), 3, 1, 1},
        {"col 4", code(false, 4), 3, 4, 2},
        {"col 4 again", code(false, 4), 3, 4, 2},
        {"a heading row by code is allowed", code(true, 0), 0, 4, 3},
        {"row out of range", code(true, 5), 0, 4, 3},
        {"col 3", code(false, 3), 0, 3, 4},
        {"Right from a heading set by code", keys(Qt::Key_Right, 1), 1, 4, 5},
        {"Down to the last row and no further", keys(Qt::Key_Down, 4), 4, 4, 8},
        {"Right at the last column", keys(Qt::Key_Right, 1), 4, 4, 8},
        {"Left stops before the heading column", keys(Qt::Key_Left, 4), 4, 1, 11},
        {"Up stops before the heading row", keys(Qt::Key_Up, 4), 1, 1, 14},
    };
    for (const Step& s : steps) {
        s.act();
        EXPECT_EQ(QPoint(grid->Col(), grid->Row()), QPoint(s.col, s.row)) << s.what;
        EXPECT_EQ(entered.count(), s.enters) << s.what;
    }
}

TEST_F(FlexGridTest, MouseMakesTheClickedCellCurrentBeforeReporting) {
    shape(6, 5, 1, 1);
    showGrid();
    QStringList heard;
    const auto hear = [&](const char* what) {
        return [&heard, this, what] { heard << QStringLiteral("%1 %2,%3").arg(what).arg(grid->Row()).arg(grid->Col()); };
    };
    QObject::connect(grid.get(), &FlexGrid::EnterCell, hear("enter"));
    QObject::connect(grid.get(), &FlexGrid::Click, hear("click"));
    QObject::connect(grid.get(), &FlexGrid::DblClick, hear("dbl"));

    click(4, 3);
    EXPECT_EQ(heard, QStringList({"enter 4,3", "click 4,3"}));
    heard.clear();
    click(4, 3);
    EXPECT_EQ(heard, QStringList({"click 4,3"})) << "same cell: no EnterCell";

    heard.clear();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre(2, 1));
    EXPECT_EQ(heard.value(0), "enter 2,1") << heard.join("; ").toStdString();
    EXPECT_EQ(heard.count("enter 2,1"), 1);
    EXPECT_EQ(heard.count("dbl 2,1"), 1);

    heard.clear();
    const QRect last = grid->cellRect(5, 4);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, last.bottomRight() + QPoint(5, 5));
    EXPECT_TRUE(heard.isEmpty()) << "outside every cell";
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(FlexGridTest, ArrowKeysScrollTheCurrentCellIntoViewAndClicksFindScrolledCells) {
    shape(40, 25, 1, 1);
    showGrid();
    for (int i = 0; i < 23; ++i) QTest::keyClick(grid.get(), Qt::Key_Right);
    for (int i = 0; i < 30; ++i) QTest::keyClick(grid.get(), Qt::Key_Down);
    ASSERT_EQ(grid->Col(), 24);
    ASSERT_EQ(grid->Row(), 31);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    const QRect heading = grid->cellRect(0, 0);
    EXPECT_EQ(heading.topLeft(), QPoint(0, 0)) << "fixed cells stay put";
    const QRect current = grid->cellRect(31, 24);
    EXPECT_TRUE(grid->viewport()->rect().contains(current)) << current.x() << "," << current.y();
    EXPECT_GE(current.left(), heading.right()) << "not under the headings";
    EXPECT_GE(current.top(), heading.bottom());

    click(30, 23);
    EXPECT_EQ(grid->Row(), 30);
    EXPECT_EQ(grid->Col(), 23);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(heading.center().x(), current.center().y()));
    EXPECT_EQ(grid->Row(), 31);
    EXPECT_EQ(grid->Col(), 0);
}

TEST_F(FlexGridTest, ColumnsAndRowsSizeToTheViewportTheMinimumAndTheCellFont) {
    shape(6, 8, 2, 1);  // a week: hour column and seven days
    showGrid();
    EXPECT_EQ(grid->cellRect(2, 0).width(), core::twipsToPixels(grid->ColWidth(0)));
    EXPECT_EQ(grid->cellRect(2, 7).right(), grid->viewport()->width() - 1) << "short grids stretch";
    for (int c = 2; c < 8; ++c) EXPECT_NEAR(grid->cellRect(2, c).width(), grid->cellRect(2, 1).width(), 1) << c;
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);
    grid->resize(1000, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->cellRect(2, 7).right(), grid->viewport()->width() - 1) << "follows the new width";

    const int plain = grid->cellRect(3, 1).height();
    EXPECT_GE(plain, QFontMetrics(grid->font()).height());
    grid->setRowHeightMin(600);
    EXPECT_EQ(grid->cellRect(3, 1).height(), 40);
    EXPECT_EQ(grid->cellRect(4, 2).top(), grid->cellRect(3, 2).bottom() + 1);
    grid->setRowHeightMin(0);
    grid->setRow(3);
    grid->setCellFontSize(30);
    EXPECT_GT(grid->cellRect(3, 1).height(), plain);
    EXPECT_EQ(grid->cellRect(4, 1).height(), plain);
}

TEST_F(FlexGridTest, MergedBlocksFollowTextsAndFlags) {
    shape(5, 8, 2, 1);
    grid->setMergeCells(FlexGrid::flexMergeFree);
    for (int c = 0; c < 8; ++c) grid->SetMergeCol(c, true);
    grid->SetMergeRow(0, true);
    grid->SetTextMatrix(0, 0, " ");
    grid->SetTextMatrix(1, 0, " ");
    for (int c = 1; c < 8; ++c) grid->SetTextMatrix(0, c, c <= 4 ? "ABRIL 2024" : "MAYO 2024");
    for (int r = 2; r < 5; ++r) grid->SetTextMatrix(r, 3, "F-7");

    EXPECT_EQ(grid->MergedBlock(0, 2), QRect(1, 0, 4, 1));
    EXPECT_EQ(grid->MergedBlock(0, 6), QRect(5, 0, 3, 1));
    EXPECT_EQ(grid->MergedBlock(1, 0), QRect(0, 0, 1, 2));
    EXPECT_EQ(grid->MergedBlock(4, 3), QRect(3, 2, 1, 3));
    EXPECT_EQ(grid->MergedBlock(3, 4), QRect(4, 3, 1, 1)) << "empty cells stay single";

    // Changes after a layout are seen by the next one.
    grid->SetTextMatrix(3, 3, "F-8");
    EXPECT_EQ(grid->MergedBlock(2, 3), QRect(3, 2, 1, 1));
    grid->SetMergeRow(0, false);
    EXPECT_EQ(grid->MergedBlock(0, 2), QRect(2, 0, 1, 1));
    grid->setFixedRows(1);
    EXPECT_EQ(grid->MergedBlock(1, 0), QRect(0, 1, 1, 1)) << "no longer on the fixed side";
    grid->setMergeCells(FlexGrid::flexMergeNever);
    EXPECT_EQ(grid->MergedBlock(0, 0), QRect(0, 0, 1, 1));
}

TEST_F(FlexGridTest, ABatchWithRedrawOffIsPaintedOnceAfterwardsWithMergedBlocksAsOneCell) {
    shape(5, 4, 1, 1);
    showGrid();
    QCoreApplication::processEvents();
    const int before = grid->paintCount();
    ASSERT_GT(before, 0);

    grid->setRedraw(false);
    grid->setMergeCells(FlexGrid::flexMergeFree);
    grid->SetMergeRow(1, true);
    for (int r = 1; r < 5; ++r) {
        for (int c = 1; c < 4; ++c) {
            grid->setRow(r);
            grid->setCol(c);
            grid->setText(r == 1 && c < 3 ? "X" : QStringLiteral("F-%1%2").arg(r).arg(c));
            grid->setCellForeColor(0x800000);
        }
    }
    grid->setRow(1);
    grid->setCol(1);
    grid->setCellBackColor(0x00FF00);  // green, on the block's first cell only
    grid->setRow(4);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->paintCount(), before) << "nothing painted while Redraw is off";
    grid->setRedraw(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->paintCount(), before + 1);
    EXPECT_EQ(grid->MergedBlock(1, 2), QRect(1, 1, 2, 1));

    const QImage image = grid->viewport()->grab().toImage();
    const auto colourAt = [&](QPoint p) { return core::toBgr(QColor(image.pixel(p))); };
    const QRect first = grid->cellRect(1, 1);
    const QRect single = grid->cellRect(2, 1);
    EXPECT_EQ(colourAt(QPoint(first.right(), first.center().y())), 0x00FF00u) << "no grid line inside the block";
    EXPECT_EQ(colourAt(QPoint(grid->cellRect(1, 2).center().x(), first.center().y() - first.height() / 3)), 0x00FF00u)
        << "one background";
    EXPECT_EQ(colourAt(QPoint(single.right(), single.center().y())), 0xC0C0C0u) << "grid line between single cells";
    EXPECT_EQ(colourAt(grid->cellRect(0, 2).center()), 0xC0C0C0u) << "headings in button face";
}

// What a person reads in rich text: markup rendered, entities resolved,
// invisible break chances unseen.
QString seenIn(const QString& html) {
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText().remove(QChar(0x200B));
}

// Tips come from data: markup in them is shown as typed, and long ones wrap.
TEST_F(FlexGridTest, ToolTipShowsOnlyWhenThereIsTextAndThenLiterallyWithinABoundedWidth) {
    showGrid();
    const auto waitHidden = [] {
        for (int i = 0; i < 100 && QToolTip::isVisible(); ++i) QTest::qWait(20);
    };
    QToolTip::hideText();
    waitHidden();
    const QPoint at = centre(1, 1);
    const auto ask = [&](const QString& text) {
        grid->setToolTipText(text);
        QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(grid->viewport(), &help);
    };
    ask(QString());
    EXPECT_FALSE(QToolTip::isVisible());
    const QStringList texts = {"Doble clic para reservar", "<b>x</b>", "<table><tr><td>a</td></tr></table>",
                               "<img src=\"/nonexistent/file.png\">", "a & b < c", QString(100, 'W'),
                               QString("Sala de juntas ").repeated(8).trimmed()};
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        ask(text);
        ASSERT_TRUE(QToolTip::isVisible());
        EXPECT_EQ(grid->ToolTipText(), text);
        EXPECT_EQ(seenIn(QToolTip::text()), text);
        EXPECT_EQ(seenIn(grid->toolTip()), text) << "frame and scroll bars";
        const QWidget* tip = nullptr;
        for (const QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "qtooltip_label" && w->isVisible()) tip = w;
        ASSERT_NE(tip, nullptr);
        EXPECT_LT(tip->width(), 600);
        if (text.size() < 30) EXPECT_LT(tip->height(), 2 * tip->fontMetrics().lineSpacing()) << "short stays one line";
    }
    ask(QString());
    waitHidden();
    EXPECT_FALSE(QToolTip::isVisible());
}

// Screens drive the grid by member name only; the current-cell members reach
// the current cell, headings included, and Clear keeps the shape.
TEST_F(FlexGridTest, EverythingIsReachableByNameAndCurrentCellMembersReachTheCurrentCell) {
    QObject* object = grid.get();
    const std::pair<const char*, QVariant> props[] = {
        {"Rows", 6}, {"Cols", 5}, {"FixedRows", 2}, {"MergeCells", 1}, {"RowHeightMin", 300},
        {"ToolTipText", "Sala A"}, {"Row", 0}, {"Col", 2}, {"Text", "LUNES"}, {"Row", 3}, {"Text", "F-9"},
        {"CellBackColor", 0x0000FF}, {"CellForeColor", 0xFF0000}, {"CellFontSize", 14.0}};
    for (const auto& [name, value] : props) EXPECT_TRUE(object->setProperty(name, value)) << name;
    EXPECT_EQ(QVariantList({grid->Rows(), grid->FixedRows(), grid->MergeCells(), grid->RowHeightMin()}),
              QVariantList({6, 2, 1, 300}));
    EXPECT_EQ(grid->ToolTipText(), "Sala A");
    EXPECT_EQ(grid->TextMatrix(0, 2), "LUNES");
    EXPECT_EQ(grid->CellForeColorAt(3, 2), 0xFF0000);
    EXPECT_DOUBLE_EQ(object->property("CellFontSize").toDouble(), 14);
    EXPECT_EQ(grid->CellBackColorAt(3, 1), 0xFFFFFF) << "only the current cell";

    EXPECT_TRUE(QMetaObject::invokeMethod(object, "SetTextMatrix", Q_ARG(int, 4), Q_ARG(int, 2), Q_ARG(QString, "F-9")));
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "SetMergeCol", Q_ARG(int, 2), Q_ARG(bool, true)));
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "SetColWidth", Q_ARG(int, 1), Q_ARG(int, 1500)));
    EXPECT_EQ(call<QString>("TextMatrix", 3, 2), "F-9");
    EXPECT_EQ(call<QRect>("MergedBlock", 4, 2), QRect(2, 3, 1, 2));
    EXPECT_EQ(call<int>("CellBackColorAt", 3, 2), 0x0000FF);
    EXPECT_EQ(call<int>("ColWidth", 1), 1500);

    EXPECT_TRUE(QMetaObject::invokeMethod(object, "Clear"));
    EXPECT_EQ(grid->Rows() * grid->Cols(), 30);
    EXPECT_TRUE(grid->TextMatrix(0, 2).isEmpty() && grid->Text().isEmpty());
    EXPECT_EQ(grid->CellBackColor(), 0xFFFFFF);
    EXPECT_EQ(grid->CellForeColor(), 0x000000);
    EXPECT_TRUE(object->setProperty("Redraw", false));
    EXPECT_FALSE(grid->Redraw());
}

}  // namespace