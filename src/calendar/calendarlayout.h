#pragma once

namespace calendar {

// Where the grid and the legend frame stand, in twips.
struct CalendarGeometry {
    float gridLeft = 120, gridTop = 1080, gridWidth = 16455, gridHeight = 7095;
    float frameLeft = 120, frameTop = 8280, frameWidth = 16455, frameHeight = 855;
};

// Fits grid and legend to a screen whose inner area is width x height
// twips. Each step stands alone: one that would give a negative size is
// skipped and the rest still run, so a tiny window keeps the last usable
// sizes while the legend still follows the bottom edge.
CalendarGeometry fitCalendar(CalendarGeometry g, float width, float height);

}  // namespace calendar
