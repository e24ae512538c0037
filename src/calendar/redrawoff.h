#pragma once

#include <QPointer>

#include "platform/flexgrid/flexgrid.h"

namespace calendar {

// Painting runs with the grid's drawing off; whatever happens, it comes back.
class RedrawOff {
public:
    explicit RedrawOff(flexgrid::FlexGrid* grid);
    ~RedrawOff();

private:
    QPointer<flexgrid::FlexGrid> grid_;
};

}  // namespace calendar
