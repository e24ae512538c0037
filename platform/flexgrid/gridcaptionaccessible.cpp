#include "platform/flexgrid/gridcaptionaccessible.h"

#include <QWidget>

#include "platform/flexgrid/flexgrid.h"

namespace flexgrid {

GridCaptionAccessible::GridCaptionAccessible(FlexGrid* grid) : GridPartAccessible(grid) {}

QString GridCaptionAccessible::text(QAccessible::Text type) const {
    return grid_ && type == QAccessible::Name ? grid_->accessibleCaption() : QString();
}

QRect GridCaptionAccessible::rect() const {
    return grid_ ? QRect(grid_->mapToGlobal(QPoint(0, 0)), grid_->size()) : QRect();
}

}  // namespace flexgrid
