#include "src/calendar/redrawoff.h"

namespace calendar {

RedrawOff::RedrawOff(flexgrid::FlexGrid* grid) : grid_(grid) {
    grid_->setRedraw(false);
}

RedrawOff::~RedrawOff() {
    if (grid_) grid_->setRedraw(true);
}

}  // namespace calendar
