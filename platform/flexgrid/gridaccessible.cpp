#include "platform/flexgrid/gridaccessible.h"

#include <QStringList>

#include "platform/flexgrid/flexgrid.h"
#include "platform/flexgrid/gridcaptionaccessible.h"
#include "platform/flexgrid/gridcellaccessible.h"

namespace flexgrid {

namespace {

QAccessibleInterface* makeGridInterface(const QString& key, QObject* object) {
    if (key != QLatin1String(FlexGrid::staticMetaObject.className())) return nullptr;
    auto* grid = qobject_cast<FlexGrid*>(object);
    return grid ? new GridAccessible(grid) : nullptr;
}

}  // namespace

GridAccessible::GridAccessible(FlexGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

GridAccessible::~GridAccessible() {
    for (const auto& [cell, id] : cells_) QAccessible::deleteAccessibleInterface(id);
    if (caption_) QAccessible::deleteAccessibleInterface(caption_);
}

// The factory goes when the library that holds it is unloaded, so the
// toolkit never calls into a closed library.
void GridAccessible::install() {
    struct Registration {
        Registration() { QAccessible::installFactory(makeGridInterface); }
        ~Registration() { QAccessible::removeFactory(makeGridInterface); }
    };
    static const Registration registration;
}

void GridAccessible::announceCurrent(FlexGrid* grid) {
    if (!QAccessible::isActive() || grid->Row() < 0 || grid->Col() < 0) return;
    QAccessibleEvent event(grid, QAccessible::Focus);
    event.setChild(grid->Row() * grid->Cols() + grid->Col());
    QAccessible::updateAccessibility(&event);
}

void GridAccessible::announceContents(FlexGrid* grid) {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(grid, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

FlexGrid* GridAccessible::grid() const {
    return static_cast<FlexGrid*>(widget());
}

void* GridAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

// The caption names the grid; its tip is read as the plain text it is, not
// as the markup the tool tip is drawn from.
QString GridAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Name) return grid()->accessibleCaption();
    if (type == QAccessible::Description && grid()->accessibleDescription().isEmpty()) return grid()->ToolTipText();
    return QAccessibleWidget::text(type);
}

int GridAccessible::childCount() const {
    return grid()->Rows() * grid()->Cols();
}

QAccessibleInterface* GridAccessible::child(int index) const {
    const int cols = grid()->Cols();
    if (index < 0 || index >= childCount() || cols <= 0) return nullptr;
    return cellAt(index / cols, index % cols);
}

int GridAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this) return -1;
    return cell->rowIndex() * grid()->Cols() + cell->columnIndex();
}

QAccessibleInterface* GridAccessible::childAt(int x, int y) const {
    int row = 0;
    int col = 0;
    const QPoint at = grid()->viewport()->mapFromGlobal(QPoint(x, y));
    return grid()->cellAt(at, &row, &col) ? cellAt(row, col) : nullptr;
}

QAccessibleInterface* GridAccessible::focusChild() const {
    if (!grid()->hasFocus()) return nullptr;
    return cellAt(grid()->Row(), grid()->Col());
}

QAccessibleInterface* GridAccessible::caption() const {
    if (grid()->accessibleCaption().isEmpty()) return nullptr;
    if (!caption_) caption_ = QAccessible::registerAccessibleInterface(new GridCaptionAccessible(grid()));
    return QAccessible::accessibleInterface(caption_);
}

QAccessibleInterface* GridAccessible::cellAt(int row, int column) const {
    if (row < 0 || column < 0 || row >= grid()->Rows() || column >= grid()->Cols()) return nullptr;
    QAccessible::Id& id = cells_[{row, column}];
    if (!id) id = QAccessible::registerAccessibleInterface(new GridCellAccessible(grid(), row, column));
    return QAccessible::accessibleInterface(id);
}

int GridAccessible::selectedCellCount() const {
    return selectedCells().size();
}

QList<QAccessibleInterface*> GridAccessible::selectedCells() const {
    QAccessibleInterface* current = cellAt(grid()->Row(), grid()->Col());
    return current ? QList<QAccessibleInterface*>{current} : QList<QAccessibleInterface*>{};
}

QString GridAccessible::headings(int fixedCount, int row, int col, bool down) const {
    QStringList parts;
    for (int k = 0; k < fixedCount; ++k) {
        const QString text = grid()->accessibleCellText(down ? k : row, down ? col : k);
        if (!text.isEmpty()) parts << text;
    }
    return parts.join(QLatin1Char(' '));
}

QString GridAccessible::columnDescription(int column) const {
    return headings(grid()->FixedRows(), 0, column, true);
}

QString GridAccessible::rowDescription(int row) const {
    return headings(grid()->FixedCols(), row, 0, false);
}

int GridAccessible::rowCount() const {
    return grid()->Rows();
}

int GridAccessible::columnCount() const {
    return grid()->Cols();
}

}  // namespace flexgrid
