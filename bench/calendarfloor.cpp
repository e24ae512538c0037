#include "bench/calendarfloor.h"

#include <optional>

#include "host/services/funciones.h"
#include "platform/core/error.h"
#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/calendargrid.h"
#include "src/calendar/period.h"

namespace bench {

namespace {

QDate dayOf(const QVariant& value) {
    return QDate::fromString(value.toString().left(10), Qt::ISODate);
}

// The host's rest-day parameter, read as Funciones::EsDiaInhabil reads it.
std::set<int> restDays(const std::optional<QString>& listed) {
    const QString text = listed.value_or(QStringLiteral("6,7"));
    std::set<int> days;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int day = part.trimmed().toInt(&ok);
        if (!ok || day < 1 || day > 7)
            throw core::Error(QStringLiteral("El parámetro %1 no lista días de la semana: \"%2\".")
                                  .arg(services::Funciones::kRestDaysParameter, text));
        days.insert(day);
    }
    return days;
}

}  // namespace

std::map<QDate, std::vector<CalendarFloor::Booking>> CalendarFloor::reservations(const Period& p) {
    ado::Recordset rs = connection_.Execute(
        QStringLiteral("SELECT Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin FROM Reservacion_Sala_Junta "
                       "WHERE Sj_Cve_Sala_Junta = ? AND Rsj_Fecha >= ? AND Rsj_Fecha < ? AND Es_Cve_Estado <> ?"),
        {p.room, p.inicio, p.fin, QStringLiteral("CA")});
    std::map<QDate, std::vector<Booking>> out;
    for (; !rs.Eof(); rs.MoveNext())
        out[dayOf(rs.Fields(1).Value)].push_back(
            {rs.Fields(2).Value.toString(), rs.Fields(3).Value.toString(), rs.Fields(0).Value.toString()});
    return out;
}

// Holidays of the period and the rest-day parameter in one statement.
std::set<QDate> CalendarFloor::nonWorkingDays(const Period& p) {
    ado::Recordset rs = connection_.Execute(
        QStringLiteral("SELECT 'D' AS k, CAST(Di_Fecha AS TEXT) AS v FROM Dia_Inhabil WHERE Di_Fecha >= ? AND Di_Fecha < ? "
                       "UNION ALL SELECT 'P', Pa_Valor FROM Parametro WHERE Pa_Cve_Parametro = ?"),
        {p.inicio, p.fin, services::Funciones::kRestDaysParameter});
    std::set<QDate> holidays;
    std::optional<QString> listed;
    for (; !rs.Eof(); rs.MoveNext()) {
        if (rs.Fields(0).Value.toString() == QLatin1String("P"))
            listed = rs.Fields(1).Value.toString();
        else
            holidays.insert(dayOf(rs.Fields(1).Value));
    }
    const std::set<int> rest = restDays(listed);
    std::set<QDate> out = holidays;
    for (QDate d = p.inicio; d < p.fin; d = d.addDays(1))
        if (rest.count(d.dayOfWeek())) out.insert(d);
    return out;
}

// The folio of a booking overlapping the slot, as the screen's per-cell
// question asks.
std::optional<QString> CalendarFloor::folioAt(const std::map<QDate, std::vector<Booking>>& booked, const QDate& day,
                                              const QString& slot) {
    const auto it = booked.find(day);
    if (it == booked.end()) return std::nullopt;
    for (const Booking& b : it->second)
        if (calendar::overlapsSlot(b.start, b.end, slot)) return b.folio;
    return std::nullopt;
}

void CalendarFloor::paint(flexgrid::FlexGrid& g, const Period& p) {
    const int columnas = static_cast<int>(p.inicio.daysTo(p.fin));
    const auto booked = reservations(p);
    const auto inhabiles = nonWorkingDays(p);
    g.setRedraw(false);
    calendar::shapeGrid(g, columnas, calendar::slotCount(p.horaInicio, p.horaFin));
    const std::vector<QDate> fechas = calendar::writeHeadings(g, p.inicio, columnas, p.horaInicio);
    for (int i = 2; i < g.Rows(); ++i) {
        const QString slot = g.TextMatrix(i, 0);
        for (int j = 1; j <= columnas; ++j) {
            const QDate day = fechas[static_cast<std::size_t>(j)];
            calendar::paintSlot(g, i, j, folioAt(booked, day, slot), inhabiles.count(day) > 0);
        }
    }
    g.setRedraw(true);
}

}  // namespace bench
