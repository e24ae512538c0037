#include "platform/flexgrid/gridpartaccessible.h"

#include <QWidget>
#include <QWindow>

#include "platform/flexgrid/flexgrid.h"

namespace flexgrid {

QWindow* GridPartAccessible::window() const {
    return grid_ ? grid_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* GridPartAccessible::parent() const {
    return grid_ ? QAccessible::queryAccessibleInterface(grid_.data()) : nullptr;
}

}  // namespace flexgrid
