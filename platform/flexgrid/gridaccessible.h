#pragma once

#include <map>
#include <utility>

#include <QAccessibleWidget>

namespace flexgrid {

class FlexGrid;

// The grid as assistive technology reads it: a table of every cell, the
// fixed rows and columns as the headers of the others, a caption, and the
// current cell as the focused one. Names come from the grid's accessible
// speech, so the grid itself need not know what its cells mean.
class GridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(FlexGrid* grid);
    ~GridAccessible() override;

    // Makes every grid answer with this interface; safe to call often.
    static void install();
    // The current cell has the focus now (when anything listens).
    static void announceCurrent(FlexGrid* grid);
    // The cells and the caption may read differently now.
    static void announceContents(FlexGrid* grid);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int rowCount() const override;
    int columnCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    FlexGrid* grid() const;
    // The fixed cells' texts of a column or row, joined.
    QString headings(int fixedCount, int row, int col, bool down) const;

    // Cells are made on demand and kept by the toolkit under these ids.
    mutable std::map<std::pair<int, int>, QAccessible::Id> cells_;
    mutable QAccessible::Id caption_ = 0;
};

}  // namespace flexgrid
