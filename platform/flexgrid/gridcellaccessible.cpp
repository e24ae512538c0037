#include "platform/flexgrid/gridcellaccessible.h"

#include <QWidget>

#include "platform/flexgrid/flexgrid.h"

namespace flexgrid {

GridCellAccessible::GridCellAccessible(FlexGrid* grid, int row, int col) : GridPartAccessible(grid), row_(row), col_(col) {}

bool GridCellAccessible::isValid() const {
    return grid_ && row_ < grid_->Rows() && col_ < grid_->Cols();
}

bool GridCellAccessible::fixed() const {
    return row_ < grid_->FixedRows() || col_ < grid_->FixedCols();
}

QString GridCellAccessible::text(QAccessible::Text type) const {
    if (!isValid() || type != QAccessible::Name) return QString();
    return grid_->accessibleCellText(row_, col_);
}

QRect GridCellAccessible::rect() const {
    if (!isValid()) return QRect();
    const QRect cell = grid_->cellRect(row_, col_).intersected(grid_->viewport()->rect());
    return cell.isEmpty() ? QRect() : QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

QAccessible::Role GridCellAccessible::role() const {
    if (!isValid() || !fixed()) return QAccessible::Cell;
    return row_ < grid_->FixedRows() ? QAccessible::ColumnHeader : QAccessible::RowHeader;
}

QAccessible::State GridCellAccessible::state() const {
    QAccessible::State st;
    if (!isValid()) return st;
    st.invisible = !grid_->isVisible();
    st.offscreen = rect().isEmpty();
    if (fixed()) return st;
    st.focusable = true;
    st.selectable = true;
    st.selected = isSelected();
    st.focused = st.selected && grid_->hasFocus();
    return st;
}

void* GridCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
}

bool GridCellAccessible::isSelected() const {
    return grid_ && grid_->Row() == row_ && grid_->Col() == col_;
}

// A cell's headers are the fixed cells of its column (or row), the nearest
// first: the day before the month, and a heading is its own header.
QList<QAccessibleInterface*> GridCellAccessible::columnHeaderCells() const {
    QList<QAccessibleInterface*> out;
    QAccessibleInterface* grid = parent();
    for (int r = isValid() ? grid_->FixedRows() - 1 : -1; grid && r >= 0; --r)
        out << grid->tableInterface()->cellAt(r, col_);
    return out;
}

QList<QAccessibleInterface*> GridCellAccessible::rowHeaderCells() const {
    QList<QAccessibleInterface*> out;
    QAccessibleInterface* grid = parent();
    for (int c = isValid() ? grid_->FixedCols() - 1 : -1; grid && c >= 0; --c)
        out << grid->tableInterface()->cellAt(row_, c);
    return out;
}

}  // namespace flexgrid
