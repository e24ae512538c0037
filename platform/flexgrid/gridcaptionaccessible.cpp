#include "platform/flexgrid/gridcaptionaccessible.h"

#include <QWidget>
#include <QWindow>

#include "platform/flexgrid/flexgrid.h"

namespace flexgrid {

GridCaptionAccessible::GridCaptionAccessible(FlexGrid* grid) : grid_(grid) {}

QWindow* GridCaptionAccessible::window() const {
    return grid_ ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridCaptionAccessible::parent() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

QString GridCaptionAccessible::text(QAccessible::Text type) const {
    return grid_ && type == QAccessible::Name ? grid_->accessibleCaption() : QString();
}

QRect GridCaptionAccessible::rect() const {
    return grid_ ? QRect(grid_->mapToGlobal(QPoint(0, 0)), grid_->size()) : QRect();
}

}  // namespace flexgrid
