#pragma once

#include <optional>
#include <vector>

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariantList>

namespace ado {
class Connection;
}
namespace flexgrid {
class FlexGrid;
}
namespace shell {
class IFunciones;
}

namespace calendar {

// Clears the grid and gives it one heading column of slot times, two
// heading rows (month, day) and columnas x renglones slot cells.
void shapeGrid(flexgrid::FlexGrid& g, int columnas, int renglones);

// Writes the month and day headings from inicio and the slot times from
// horaInicio in half-hour steps; returns the date of each column (column 0
// has none).
std::vector<QDate> writeHeadings(flexgrid::FlexGrid& g, const QDate& inicio, int columnas, const QTime& horaInicio);

// The question asked for each slot cell: the folio of the room's reservation
// in force that overlaps the slot's half hour on the day, so one stored off
// the half-hour grid (by another program) shows in every slot it touches. A
// reservation ending at the slot's start does not reach it. One text for
// every cell, so it is prepared once; the cell's values are bound by
// availabilityParams.
const QString& availabilityStatement();
// dayText is the day as the host formats dates for SQL; slot is the slot's
// start "hh:nn".
QVariantList availabilityParams(const QString& room, const QString& dayText, const QString& slot);
// The end "hh:nn" of the half hour starting at slot; "24:00" for 23:30.
QString slotEnd(const QString& slot);
// The same question about one reservation's stored start and end times.
bool overlapsSlot(const QString& inicio, const QString& fin, const QString& slot);

// A slot cell of the grid and the day of its column.
struct SlotCell {
    int row, col;
    QDate day;
};
// Every slot cell whose column has a date, row by row.
std::vector<SlotCell> slotCells(const flexgrid::FlexGrid& g, const std::vector<QDate>& fechas);

// The folio of each cell's reservation in force, or none: every cell's
// question in one batch, which a server answers in one round trip.
std::vector<std::optional<QString>> askSlots(ado::Connection& connection, shell::IFunciones& funciones,
                                             const flexgrid::FlexGrid& g, const std::vector<SlotCell>& cells,
                                             const QString& room);

// A slot by what it is, its day and start "hh:nn", which outlives a redraw;
// no day when the current cell is on a heading.
struct SlotPlace {
    QDate day;
    QString start;
};
SlotPlace currentPlace(const flexgrid::FlexGrid& g, const std::vector<QDate>& fechas);
// Makes the slot of place the current cell again, or the first slot when
// that day and time are not shown now.
void returnTo(flexgrid::FlexGrid& g, const std::vector<QDate>& fechas, const SlotPlace& place);

// Paints one slot cell free (no reservation) or reserved with its folio,
// silver on a non-working day either way; joins it to the merges of its row
// and column.
void paintSlot(flexgrid::FlexGrid& g, int row, int col, const std::optional<QString>& folio, bool inhabil);

}  // namespace calendar
