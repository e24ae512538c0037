#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "src/calendar/calendarlayout.h"

namespace flexgrid {
class FlexGrid;
}

namespace calendar {

// The calendar screen's controls as the screen was drawn: toolbar, period
// buttons, room box and name, grid, legend and colour scheme. Building
// them is kept apart from what the screen does with them.
struct CalendarControls {
    QWidget* controles = nullptr;
    QWidget* txtSalaJunta = nullptr;
    QLabel* txtNSalaJunta = nullptr;
    flexgrid::FlexGrid* msfDisponibilidad = nullptr;
    QGroupBox* frNomenclatura = nullptr;
    QObject* colorQNT = nullptr;

    // Creates every control as a child of screen, at its designed place.
    static CalendarControls build(QWidget* screen);
    // Moves the grid and the legend to the given geometry.
    void place(const CalendarGeometry& g) const;

private:
    void buildToolbar(QWidget* screen);
    void buildRoomBox(QWidget* screen);
    void buildLegend(QWidget* screen);
    void buildColorScheme(QWidget* screen);
};

// Legend colours, shared with the painting.
constexpr int kGreen = 0x00FF00, kBlue = 0xFF0000, kSilver = 0xC0C0C0, kBlack = 0x000000, kWhite = 0xFFFFFF;

}  // namespace calendar
