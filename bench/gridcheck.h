#pragma once

#include <QString>

namespace flexgrid {
class FlexGrid;
}

namespace bench {

// The first cell where two grids differ in shape, text, back or fore
// colour, described; empty when they are equal cell by cell.
QString gridDifference(const flexgrid::FlexGrid& screen, const flexgrid::FlexGrid& floor);

// Every slot cell carries one of the legend's colours: the painting of the
// period has reached its last cell.
bool paintingFinished(const flexgrid::FlexGrid& g);

// The grid shows at least one free, one reserved and one non-working slot.
bool showsEveryKind(const flexgrid::FlexGrid& g);

// Lets the event loop run until paintingFinished, for at most timeoutMs;
// a calendar that paints in the background is measured to its end.
bool waitUntilPainted(const flexgrid::FlexGrid& g, int timeoutMs = 120000);

}  // namespace bench
