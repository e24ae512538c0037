#include "src/calendar/calendarlayout.h"

namespace calendar {

namespace {
constexpr float kMargin = 120;
}

CalendarGeometry fitCalendar(CalendarGeometry g, float width, float height) {
    if (const float w = width - g.gridLeft - kMargin; w >= 0) g.gridWidth = w;
    if (const float h = height - g.gridTop - g.frameHeight - 2 * kMargin; h >= 0) g.gridHeight = h;
    g.frameTop = height - g.frameHeight - kMargin;
    g.frameWidth = g.gridWidth;
    g.frameLeft = g.gridLeft;
    return g;
}

}  // namespace calendar
