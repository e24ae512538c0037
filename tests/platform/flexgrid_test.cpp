#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
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

    QPoint centre(int row, int col) const { return grid->cellRect(row, col).center(); }

    std::unique_ptr<FlexGrid> grid;
};

TEST_F(FlexGridTest, StartsLikeTheClassicControl) {
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->Cols(), 2);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->Col(), 1);
    EXPECT_EQ(grid->CellBackColorAt(1, 1), 0xFFFFFF);
    EXPECT_EQ(grid->CellForeColorAt(1, 1), 0x000000);
    EXPECT_EQ(grid->CellBackColorAt(0, 1), 0xC0C0C0);
    EXPECT_EQ(grid->ColAlignment(1), FlexGrid::flexAlignGeneral);
    EXPECT_DOUBLE_EQ(grid->CellFontSize(), QFontInfo(grid->font()).pointSizeF());
}

TEST_F(FlexGridTest, ShapeChangesKeepTheCellsThatStillFit) {
    shape(5, 4, 1, 1);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) grid->SetTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    grid->setRow(2);
    grid->setCol(1);
    grid->setCellBackColor(0x00FF00);
    grid->SetColWidth(1, 2000);
    grid->SetMergeRow(2, true);

    grid->setCols(3);
    grid->setRows(3);
    grid->setRows(6);
    grid->setCols(5);

    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 5; ++c) {
            const QString kept = r < 3 && c < 3 ? QStringLiteral("%1,%2").arg(r).arg(c) : QString();
            EXPECT_EQ(grid->TextMatrix(r, c), kept) << r << "," << c;
        }
    }
    EXPECT_EQ(grid->CellBackColorAt(2, 1), 0x00FF00);
    EXPECT_EQ(grid->CellBackColorAt(4, 4), 0xFFFFFF);
    EXPECT_EQ(grid->ColWidth(1), 2000);
    EXPECT_TRUE(grid->MergeRow(2));
    EXPECT_FALSE(grid->MergeRow(4));
}

TEST_F(FlexGridTest, OutOfRangeRequestsChangeNothing) {
    shape(4, 3, 1, 1);
    grid->SetTextMatrix(1, 1, "keep");
    grid->setRow(2);
    grid->setCol(2);
    QSignalSpy entered(grid.get(), &FlexGrid::EnterCell);
    const int big = std::numeric_limits<int>::max();
    const int small = std::numeric_limits<int>::min();

    for (int bad : {-1, 4, 99, big, small}) {
        grid->setRow(bad);
        grid->SetTextMatrix(bad, 1, "x");
        grid->SetMergeRow(bad, true);
        EXPECT_TRUE(grid->TextMatrix(bad, 1).isEmpty()) << bad;
        EXPECT_TRUE(grid->MergedBlock(bad, 1).isNull()) << bad;
        EXPECT_FALSE(grid->MergeRow(bad)) << bad;
    }
    for (int bad : {-1, 3, big, small}) {
        grid->setCol(bad);
        grid->SetTextMatrix(1, bad, "x");
        grid->SetColWidth(bad, 500);
        grid->SetColAlignment(bad, FlexGrid::flexAlignRightCenter);
        grid->SetMergeCol(bad, true);
        EXPECT_TRUE(grid->TextMatrix(1, bad).isEmpty()) << bad;
        EXPECT_EQ(grid->CellBackColorAt(1, bad), 0) << bad;
        EXPECT_EQ(grid->ColWidth(bad), 0) << bad;
        EXPECT_TRUE(grid->cellRect(1, bad).isNull()) << bad;
    }
    grid->setFixedRows(4);   // must stay below Rows
    grid->setFixedCols(-1);
    grid->setRows(0);        // below FixedRows
    grid->setCols(big);      // more cells than the grid allows
    grid->setMergeCells(7);
    grid->SetColAlignment(1, 42);
    grid->setCellFontSize(std::nan(""));
    grid->setCellFontSize(-3);
    grid->setRowHeightMin(-100);

    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(entered.count(), 0);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->FixedCols(), 1);
    EXPECT_EQ(grid->Rows(), 4);
    EXPECT_EQ(grid->Cols(), 3);
    EXPECT_EQ(grid->MergeCells(), FlexGrid::flexMergeNever);
    EXPECT_EQ(grid->ColAlignment(1), FlexGrid::flexAlignGeneral);
    EXPECT_DOUBLE_EQ(grid->CellFontSize(), QFontInfo(grid->font()).pointSizeF());
    EXPECT_EQ(grid->RowHeightMin(), 0);
    EXPECT_EQ(grid->TextMatrix(1, 1), "keep");

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
    EXPECT_EQ(grid->Rows(), 2);
    EXPECT_EQ(grid->FixedRows(), 2);
    showGrid();
    QTest::keyClick(grid.get(), Qt::Key_Down);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_LT(grid->Row(), 2);
}

TEST_F(FlexGridTest, CurrentCellMembersReachTheCurrentCell) {
    shape(4, 4, 1, 1);
    grid->setRow(0);  // headings are written through the current cell too
    grid->setCol(2);
    grid->setText("LUNES");
    grid->setRow(3);
    grid->setCol(1);
    grid->setText("F-0001");
    grid->setCellBackColor(0x0000FF);
    grid->setCellForeColor(0xFF0000);
    grid->setCellFontSize(14);

    EXPECT_EQ(grid->TextMatrix(0, 2), "LUNES");
    EXPECT_EQ(grid->TextMatrix(3, 1), "F-0001");
    EXPECT_EQ(grid->Text(), "F-0001");
    EXPECT_EQ(grid->CellBackColorAt(3, 1), 0x0000FF);
    EXPECT_EQ(grid->CellForeColorAt(3, 1), 0xFF0000);
    EXPECT_EQ(grid->CellBackColor(), 0x0000FF);
    EXPECT_DOUBLE_EQ(grid->CellFontSize(), 14);
    EXPECT_EQ(grid->CellBackColorAt(3, 2), 0xFFFFFF);

    grid->Clear();
    EXPECT_EQ(grid->Rows(), 4);
    EXPECT_EQ(grid->Cols(), 4);
    EXPECT_TRUE(grid->TextMatrix(0, 2).isEmpty());
    EXPECT_TRUE(grid->Text().isEmpty());
    EXPECT_EQ(grid->CellBackColor(), 0xFFFFFF);
    EXPECT_EQ(grid->CellForeColor(), 0x000000);
}

TEST_F(FlexGridTest, EnterCellOnlyWhenCodeReallyMovesTheCell) {
    shape(5, 5, 1, 1);
    QSignalSpy entered(grid.get(), &FlexGrid::EnterCell);
    struct Step {
        bool row;
        int value;
        int expectedCount;
    };
    const Step steps[] = {
        {true, 1, 0},  // already there
        {true, 3, 1},
        {false, 4, 2},
        {false, 4, 2},
        {true, 0, 3},  // a heading row by code is allowed
        {true, 5, 3},  // out of range
    };
    for (const Step& s : steps) {
        s.row ? grid->setRow(s.value) : grid->setCol(s.value);
        EXPECT_EQ(entered.count(), s.expectedCount) << (s.row ? "row " : "col ") << s.value;
    }
}

TEST_F(FlexGridTest, MouseMakesTheClickedCellCurrentBeforeReporting) {
    shape(6, 5, 1, 1);
    showGrid();
    QStringList heard;
    QObject::connect(grid.get(), &FlexGrid::EnterCell, [&] { heard << QStringLiteral("enter %1,%2").arg(grid->Row()).arg(grid->Col()); });
    QObject::connect(grid.get(), &FlexGrid::Click, [&] { heard << QStringLiteral("click %1,%2").arg(grid->Row()).arg(grid->Col()); });
    QObject::connect(grid.get(), &FlexGrid::DblClick, [&] { heard << QStringLiteral("dbl %1,%2").arg(grid->Row()).arg(grid->Col()); });

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(4, 3));
    EXPECT_EQ(heard, QStringList({"enter 4,3", "click 4,3"}));

    heard.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(4, 3));
    EXPECT_EQ(heard, QStringList({"click 4,3"})) << "same cell: no EnterCell";

    heard.clear();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre(2, 1));
    EXPECT_EQ(heard.count(QStringLiteral("enter 2,1")), 1) << heard.join("; ").toStdString();
    EXPECT_EQ(heard.count(QStringLiteral("dbl 2,1")), 1) << heard.join("; ").toStdString();
    EXPECT_EQ(heard.indexOf(QStringLiteral("enter 2,1")), 0);

    heard.clear();
    const QRect last = grid->cellRect(5, 4);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(last.right() + 5, last.bottom() + 5));
    EXPECT_TRUE(heard.isEmpty()) << "outside every cell";
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 1);
}

TEST_F(FlexGridTest, ClicksFindCellsWhileScrolledAndHeadingsCoverScrolledCells) {
    shape(30, 20, 1, 1);
    showGrid();
    QScrollBar* h = grid->horizontalScrollBar();
    QScrollBar* v = grid->verticalScrollBar();
    ASSERT_GT(h->maximum(), 0);
    ASSERT_GT(v->maximum(), 0);
    h->setValue(h->maximum());
    v->setValue(v->maximum());

    const QRect heading = grid->cellRect(0, 0);
    EXPECT_EQ(heading.topLeft(), QPoint(0, 0)) << "fixed cells stay put";
    const QRect lastCell = grid->cellRect(29, 19);
    EXPECT_EQ(lastCell.right(), grid->viewport()->width() - 1);
    EXPECT_EQ(lastCell.bottom(), grid->viewport()->height() - 1);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, lastCell.center());
    EXPECT_EQ(grid->Row(), 29);
    EXPECT_EQ(grid->Col(), 19);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(heading.center().x(), lastCell.center().y()));
    EXPECT_EQ(grid->Row(), 29);
    EXPECT_EQ(grid->Col(), 0);
}

TEST_F(FlexGridTest, ArrowKeysWalkTheScrollingCellsOnly) {
    shape(5, 5, 1, 1);
    showGrid();
    struct Walk {
        int startRow, startCol;
        std::vector<Qt::Key> keys;
        int row, col;
        int enters;
    };
    const Walk walks[] = {
        {2, 2, {Qt::Key_Down, Qt::Key_Right}, 3, 3, 2},
        {1, 1, {Qt::Key_Up, Qt::Key_Left}, 1, 1, 0},  // headings are out of reach
        {4, 4, {Qt::Key_Down, Qt::Key_Right, Qt::Key_Down}, 4, 4, 0},
        {2, 3, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Left, Qt::Key_Up}, 1, 1, 3},
        {0, 3, {Qt::Key_Right}, 1, 4, 1},  // from a heading set by code
    };
    for (const Walk& w : walks) {
        grid->setRow(w.startRow);
        grid->setCol(w.startCol);
        QSignalSpy entered(grid.get(), &FlexGrid::EnterCell);
        for (Qt::Key k : w.keys) QTest::keyClick(grid.get(), k);
        EXPECT_EQ(grid->Row(), w.row) << w.startRow << "," << w.startCol;
        EXPECT_EQ(grid->Col(), w.col) << w.startRow << "," << w.startCol;
        EXPECT_EQ(entered.count(), w.enters) << w.startRow << "," << w.startCol;
    }
}

TEST_F(FlexGridTest, ArrowKeysScrollTheCurrentCellIntoView) {
    shape(40, 25, 1, 1);
    showGrid();
    grid->setRow(1);
    grid->setCol(1);
    for (int i = 0; i < 23; ++i) QTest::keyClick(grid.get(), Qt::Key_Right);
    for (int i = 0; i < 30; ++i) QTest::keyClick(grid.get(), Qt::Key_Down);
    ASSERT_EQ(grid->Col(), 24);
    ASSERT_EQ(grid->Row(), 31);
    EXPECT_GT(grid->horizontalScrollBar()->value(), 0);
    EXPECT_GT(grid->verticalScrollBar()->value(), 0);
    const QRect view = grid->viewport()->rect();
    const QRect current = grid->cellRect(31, 24);
    EXPECT_TRUE(view.contains(current)) << current.x() << "," << current.y();
    EXPECT_GE(current.left(), grid->cellRect(0, 0).right()) << "not under the headings";
    EXPECT_GE(current.top(), grid->cellRect(0, 0).bottom());
}

TEST_F(FlexGridTest, ShortGridsStretchTheirScrollingColumnsToTheViewport) {
    shape(6, 8, 2, 1);  // a week: hour column and seven days
    showGrid();
    const int width = grid->viewport()->width();
    EXPECT_EQ(grid->cellRect(2, 0).width(), core::twipsToPixels(grid->ColWidth(0)));
    EXPECT_EQ(grid->cellRect(2, 7).right(), width - 1);
    int narrowest = width;
    int widest = 0;
    for (int c = 1; c < 8; ++c) {
        narrowest = std::min(narrowest, grid->cellRect(2, c).width());
        widest = std::max(widest, grid->cellRect(2, c).width());
    }
    EXPECT_LE(widest - narrowest, 1);
    EXPECT_EQ(grid->horizontalScrollBar()->maximum(), 0);

    grid->resize(1000, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->cellRect(2, 7).right(), grid->viewport()->width() - 1) << "follows the new width";
}

TEST_F(FlexGridTest, RowHeightsHonourTheMinimumAndTheCellFont) {
    shape(4, 3, 1, 1);
    const int plain = grid->cellRect(1, 1).height();
    EXPECT_GE(plain, QFontMetrics(grid->font()).height());

    grid->setRowHeightMin(600);
    EXPECT_EQ(grid->cellRect(1, 1).height(), 40);
    EXPECT_EQ(grid->cellRect(3, 2).top(), grid->cellRect(2, 2).bottom() + 1);

    grid->setRowHeightMin(0);
    grid->setRow(2);
    grid->setCellFontSize(30);
    EXPECT_GT(grid->cellRect(2, 1).height(), plain);
    EXPECT_EQ(grid->cellRect(3, 1).height(), plain);
}

TEST_F(FlexGridTest, MergedBlocksFollowTextsAndFlags) {
    shape(5, 8, 2, 1);
    grid->setMergeCells(FlexGrid::flexMergeFree);
    grid->SetMergeRow(0, true);
    grid->SetMergeCol(0, true);
    for (int c = 1; c < 8; ++c) grid->SetMergeCol(c, true);
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

TEST_F(FlexGridTest, AMergedBlockIsPaintedAsOneCell) {
    shape(4, 4, 1, 1);
    grid->setMergeCells(FlexGrid::flexMergeFree);
    grid->SetMergeRow(1, true);
    grid->SetTextMatrix(1, 1, "X");
    grid->SetTextMatrix(1, 2, "X");
    grid->setRow(1);
    grid->setCol(1);
    grid->setCellBackColor(0x00FF00);  // green, on the block's first cell only
    grid->setRow(3);
    showGrid();

    const QImage image = grid->viewport()->grab().toImage();
    const auto colourAt = [&](QPoint p) { return core::toBgr(QColor(image.pixel(p))); };
    const QRect first = grid->cellRect(1, 1);
    const QRect second = grid->cellRect(1, 2);
    const QRect single = grid->cellRect(2, 1);
    const int midY = first.center().y();
    EXPECT_EQ(colourAt(QPoint(first.right(), midY)), 0x00FF00u) << "no grid line inside the block";
    EXPECT_EQ(colourAt(QPoint(second.center().x(), midY - first.height() / 3)), 0x00FF00u) << "one background";
    EXPECT_EQ(colourAt(QPoint(single.right(), single.center().y())), 0xC0C0C0u) << "grid line between single cells";
    EXPECT_EQ(colourAt(QPoint(single.center().x(), single.center().y())), 0xFFFFFFu);
    EXPECT_EQ(colourAt(grid->cellRect(0, 2).center()), 0xC0C0C0u) << "headings in button face";
}

TEST_F(FlexGridTest, ABatchWithRedrawOffPaintsOnceAfterwards) {
    shape(22, 32, 2, 1);  // a month: 31 days of 20 slots
    showGrid();
    QCoreApplication::processEvents();
    const int before = grid->paintCount();
    ASSERT_GT(before, 0);

    grid->setRedraw(false);
    grid->setMergeCells(FlexGrid::flexMergeFree);
    for (int day = 1; day <= 31; ++day) {
        grid->SetMergeCol(day, true);
        for (int slot = 0; slot < 20; ++slot) {
            grid->setRow(2 + slot);
            grid->setCol(day);
            grid->setText(slot % 4 == 0 ? QString() : QStringLiteral("F-%1").arg(day));
            grid->setCellBackColor(0x80FF80);
            grid->setCellForeColor(0x800000);
        }
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->paintCount(), before) << "nothing painted while Redraw is off";

    grid->setRedraw(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->paintCount(), before + 1);
    EXPECT_EQ(grid->MergedBlock(3, 31), QRect(31, 3, 1, 3));
}

TEST_F(FlexGridTest, ToolTipShowsOnlyWhenThereIsText) {
    showGrid();
    QToolTip::hideText();
    for (int i = 0; i < 100 && QToolTip::isVisible(); ++i) QTest::qWait(20);
    const QPoint at = centre(1, 1);
    const auto ask = [&] {
        QHelpEvent help(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(grid->viewport(), &help);
    };

    ask();
    EXPECT_FALSE(QToolTip::isVisible());

    grid->setToolTipText("Doble clic para reservar");
    ask();
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Doble clic para reservar");

    grid->setToolTipText(QString());
    ask();
    for (int i = 0; i < 100 && QToolTip::isVisible(); ++i) QTest::qWait(20);
    EXPECT_FALSE(QToolTip::isVisible());
}

TEST_F(FlexGridTest, EverythingIsReachableByName) {
    QObject* object = grid.get();
    EXPECT_TRUE(object->setProperty("Rows", 6));
    EXPECT_TRUE(object->setProperty("Cols", 5));
    EXPECT_TRUE(object->setProperty("FixedRows", 2));
    EXPECT_TRUE(object->setProperty("MergeCells", 1));
    EXPECT_TRUE(object->setProperty("RowHeightMin", 300));
    EXPECT_TRUE(object->setProperty("ToolTipText", "Sala A"));
    EXPECT_EQ(object->property("Rows").toInt(), 6);
    EXPECT_EQ(object->property("Cols").toInt(), 5);
    EXPECT_EQ(object->property("FixedRows").toInt(), 2);
    EXPECT_EQ(object->property("RowHeightMin").toInt(), 300);
    EXPECT_EQ(object->property("ToolTipText").toString(), "Sala A");

    EXPECT_TRUE(QMetaObject::invokeMethod(object, "SetTextMatrix", Q_ARG(int, 3), Q_ARG(int, 2), Q_ARG(QString, "F-9")));
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "SetTextMatrix", Q_ARG(int, 4), Q_ARG(int, 2), Q_ARG(QString, "F-9")));
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "SetMergeCol", Q_ARG(int, 2), Q_ARG(bool, true)));
    QString text;
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "TextMatrix", Q_RETURN_ARG(QString, text), Q_ARG(int, 3), Q_ARG(int, 2)));
    EXPECT_EQ(text, "F-9");
    QRect block;
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "MergedBlock", Q_RETURN_ARG(QRect, block), Q_ARG(int, 4), Q_ARG(int, 2)));
    EXPECT_EQ(block, QRect(2, 3, 1, 2));

    EXPECT_TRUE(object->setProperty("Row", 3));
    EXPECT_TRUE(object->setProperty("Col", 2));
    EXPECT_EQ(object->property("Text").toString(), "F-9");
    EXPECT_TRUE(object->setProperty("CellBackColor", 0x0000FF));
    int back = 0;
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "CellBackColorAt", Q_RETURN_ARG(int, back), Q_ARG(int, 3), Q_ARG(int, 2)));
    EXPECT_EQ(back, 0x0000FF);
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "SetColWidth", Q_ARG(int, 1), Q_ARG(int, 1500)));
    int width = 0;
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "ColWidth", Q_RETURN_ARG(int, width), Q_ARG(int, 1)));
    EXPECT_EQ(width, 1500);
    EXPECT_TRUE(QMetaObject::invokeMethod(object, "Clear"));
    EXPECT_TRUE(object->property("Text").toString().isEmpty());
    EXPECT_TRUE(object->setProperty("Redraw", false));
    EXPECT_FALSE(object->property("Redraw").toBool());
}

}  // namespace
