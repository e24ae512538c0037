#pragma once

#include "platform/flexgrid/gridpartaccessible.h"

namespace flexgrid {

// One cell of the grid as assistive technology reads it: a column or row
// header on the fixed rows and columns, a cell elsewhere, named by the
// grid's accessible speech and read live, so it never goes stale.
class GridCellAccessible : public GridPartAccessible, public QAccessibleTableCellInterface {
public:
    GridCellAccessible(FlexGrid* grid, int row, int col);

    bool isValid() const override;
    QString text(QAccessible::Text type) const override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return col_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    bool fixed() const;

    int row_;
    int col_;
};

}  // namespace flexgrid
