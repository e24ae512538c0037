#include "src/calendar/calendargrid.h"

#include <algorithm>

#include "platform/ado/connection.h"
#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/calendarcontrols.h"
#include "src/calendar/period.h"
#include "src/reservation/reservationrecord.h"
#include "src/shell/ifunciones.h"

namespace calendar {

void shapeGrid(flexgrid::FlexGrid& g, int columnas, int renglones) {
    g.Clear();
    g.setFixedCols(0);
    g.setFixedRows(0);
    g.setRows(5);
    g.setCols(5);
    g.setFixedCols(1);
    g.setFixedRows(2);
    g.setCols(columnas + 1);
    g.setRows(renglones + 2);
    g.setMergeCells(flexgrid::FlexGrid::flexMergeFree);
    g.SetMergeRow(0, true);
    g.SetMergeCol(0, true);
    g.SetColAlignment(0, flexgrid::FlexGrid::flexAlignCenterCenter);
    g.setRowHeightMin(400);
}

std::vector<QDate> writeHeadings(flexgrid::FlexGrid& g, const QDate& inicio, int columnas, const QTime& horaInicio) {
    std::vector<QDate> fechas(static_cast<std::size_t>(std::max(columnas, 0)) + 1);
    g.SetTextMatrix(0, 0, QStringLiteral(" "));
    g.SetTextMatrix(1, 0, QStringLiteral(" "));
    const QLocale locale = titleLocale();
    QDate d = inicio;
    for (int j = 1; j <= columnas; ++j) {
        g.SetColAlignment(j, flexgrid::FlexGrid::flexAlignCenterCenter);
        fechas[static_cast<std::size_t>(j)] = d;
        g.SetTextMatrix(0, j, monthTitle(d, locale));
        g.SetTextMatrix(1, j, dayName(weekdayFromSunday(d)) + QLatin1Char(' ') + d.toString(QStringLiteral("dd")));
        d = d.addDays(1);
    }
    QTime t = horaInicio;
    for (int i = 2; i < g.Rows(); ++i) {
        g.SetTextMatrix(i, 0, reservation::textoDeHora(t));
        g.setRow(i);
        g.setCol(0);
        g.setCellFontSize(10);
        t = t.addSecs(30 * 60);
    }
    return fechas;
}

const QString& availabilityStatement() {
    static const QString sql = QStringLiteral("SELECT Rsj_Folio ") + QStringLiteral("FROM Reservacion_Sala_Junta ") +
                               QStringLiteral("WHERE Sj_Cve_Sala_Junta = ? AND ") + QStringLiteral("   Rsj_Fecha = ? AND ") +
                               QStringLiteral("   Rsj_Inicio < ? AND ") + QStringLiteral("   Rsj_Fin > ? AND ") +
                               QStringLiteral("   Es_Cve_Estado <> 'CA' ");
    return sql;
}

QVariantList availabilityParams(const QString& room, const QString& dayText, const QString& slot) {
    return {room, dayText, slotEnd(slot), slot};
}

QString slotEnd(const QString& slot) {
    const QTime start = reservation::horaDeTexto(slot);
    const QTime end = start.addSecs(30 * 60);
    // The last half hour of the day ends at the day's end, after every time.
    return end < start ? QStringLiteral("24:00") : reservation::textoDeHora(end);
}

bool overlapsSlot(const QString& inicio, const QString& fin, const QString& slot) {
    return inicio < slotEnd(slot) && fin > slot;
}

std::vector<SlotCell> slotCells(const flexgrid::FlexGrid& g, const std::vector<QDate>& fechas) {
    std::vector<SlotCell> cells;
    for (int i = 2; i < g.Rows(); ++i)
        for (int j = 1; j < g.Cols() && static_cast<std::size_t>(j) < fechas.size(); ++j)
            cells.push_back({i, j, fechas[static_cast<std::size_t>(j)]});
    return cells;
}

std::vector<std::optional<QString>> askSlots(ado::Connection& connection, shell::IFunciones& funciones,
                                             const flexgrid::FlexGrid& g, const std::vector<SlotCell>& cells,
                                             const QString& room) {
    std::vector<QVariantList> params;
    params.reserve(cells.size());
    for (const SlotCell& c : cells)
        params.push_back(availabilityParams(room, funciones.FormatoFechaSQL(c.day), g.TextMatrix(c.row, 0)));
    const std::vector<ado::Recordset> answers = connection.ExecuteMany(availabilityStatement(), params);
    std::vector<std::optional<QString>> folios;
    folios.reserve(answers.size());
    for (const ado::Recordset& rs : answers)
        folios.push_back(rs.Eof() ? std::nullopt : std::optional(rs.Fields(QStringLiteral("Rsj_Folio")).Value.toString()));
    return folios;
}

SlotPlace currentPlace(const flexgrid::FlexGrid& g, const std::vector<QDate>& fechas) {
    const int r = g.Row();
    const int c = g.Col();
    if (r < g.FixedRows() || c < g.FixedCols() || static_cast<std::size_t>(c) >= fechas.size()) return {};
    return {fechas[static_cast<std::size_t>(c)], g.TextMatrix(r, 0)};
}

void returnTo(flexgrid::FlexGrid& g, const std::vector<QDate>& fechas, const SlotPlace& place) {
    if (g.Rows() <= g.FixedRows() || fechas.size() <= static_cast<std::size_t>(g.FixedCols())) return;
    const auto day = place.day.isValid() ? std::find(fechas.begin(), fechas.end(), place.day) : fechas.end();
    int row = g.FixedRows();
    while (row < g.Rows() && g.TextMatrix(row, 0) != place.start) ++row;
    const bool shown = day != fechas.end() && row < g.Rows();
    g.setRow(shown ? row : g.FixedRows());
    g.setCol(shown ? static_cast<int>(day - fechas.begin()) : g.FixedCols());
}

void paintSlot(flexgrid::FlexGrid& g, int row, int col, const std::optional<QString>& folio, bool inhabil) {
    g.setRow(row);
    g.setCol(col);
    g.SetMergeRow(row, true);
    g.SetMergeCol(col, true);
    if (!folio) {
        g.setCellBackColor(inhabil ? kSilver : kGreen);
        g.setCellForeColor(kBlack);
        return;
    }
    g.SetTextMatrix(row, col, *folio);
    g.setCellBackColor(inhabil ? kSilver : kBlue);
    g.setCellForeColor(kWhite);
}

}  // namespace calendar
