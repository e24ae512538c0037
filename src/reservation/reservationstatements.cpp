#include "src/reservation/reservationstatements.h"

#include "src/shell/publico.h"

namespace reservation {

using shell::Publico;

namespace {

const QString kCatalogue = QStringLiteral("SALA_JUNTA_RESPONSABLE");
// A change or a cancellation writes the row only while it is in force, as
// the row stands once any other desktop's write to it is committed, and
// says whether it did: another desktop may have cancelled it meanwhile.
const QString kStillInForce = QStringLiteral("AND Es_Cve_Estado <> 'CA' ");
const QString kReturning = QStringLiteral("RETURNING Rsj_Folio");

ado::Statement built(const QString& sql, const QVariantList& params) {
    Publico::SQL = sql;
    return {sql, params};
}

}  // namespace

ado::Statement ReservationStatements::overlap(const QString& column, const QString& fechaTexto,
                                              const TypedReservation& r, const std::optional<QString>& exceptFolio) {
    QString sql = QStringLiteral("SELECT Rsj_Folio FROM Reservacion_Sala_Junta ");
    sql += QStringLiteral("WHERE Sj_Cve_Sala_Junta = ? AND ");
    sql += QStringLiteral("   Rsj_Fecha = ? AND ") + column + QStringLiteral(" BETWEEN ? AND ? AND ");
    sql += QStringLiteral("   ") + column + QStringLiteral(" <> ? AND ") + column +
           QStringLiteral(" <> ? AND Es_Cve_Estado <> 'CA' ");
    QVariantList params{r.sala, fechaTexto, r.horaInicial, r.horaFinal, r.horaInicial, r.horaFinal};
    if (exceptFolio) {
        sql += QStringLiteral("   AND Rsj_Folio <> ? ");
        params << *exceptFolio;
    }
    return built(sql, params);
}

ado::Statement ReservationStatements::insert(const QString& folio, const QString& fechaTexto, const Stamp& stamp,
                                             const TypedReservation& r) {
    QString sql = QStringLiteral("INSERT INTO Reservacion_Sala_Junta (  ");
    for (const char* column : {"Rsj_Folio , ", "Rsj_Fecha , ", "Rsj_Inicio , ", "Rsj_Fin , ", "Sj_Cve_Sala_Junta , ",
                               "Rsj_Cliente, ", "Rsj_Responsable , ", "Rsj_Proposito , ", "Oper_Alta , ",
                               "Fecha_Alta , ", "Oper_Ult_Modif , ", "Fecha_Ult_Modif , ", "Oper_Baja , ",
                               "Es_Cve_Estado "})
        sql += QStringLiteral("   ") + QString::fromLatin1(column);
    sql += QStringLiteral(") VALUES ( ");
    sql += QStringLiteral("   ? ,  ");
    sql += QStringLiteral("   ? , ");
    sql += QStringLiteral("   ? ,  ").repeated(10);
    sql += QStringLiteral("   '' ,  ");
    sql += QStringLiteral("   'AC') ");
    return built(sql, {folio, fechaTexto, r.horaInicial, r.horaFinal, r.sala, r.cliente, r.responsable, r.proposito,
                       stamp.usuario, stamp.fecha, stamp.usuario, stamp.fecha});
}

ado::Statement ReservationStatements::update(const QString& fechaTexto, const Stamp& stamp,
                                             const TypedReservation& r) {
    QString sql = QStringLiteral("UPDATE Reservacion_Sala_Junta SET  ");
    sql += QStringLiteral("   Rsj_Fecha = ?, ");
    sql += QStringLiteral("   Rsj_Inicio = ?, ");
    sql += QStringLiteral("   Rsj_Fin = ? , ");
    for (const char* column : {"Sj_Cve_Sala_Junta", "Rsj_Cliente", "Rsj_Responsable", "Rsj_Proposito",
                               "Oper_Ult_Modif"})
        sql += QStringLiteral("   %1 = ?, ").arg(QString::fromLatin1(column));
    sql += QStringLiteral("   Fecha_Ult_Modif = ? ");
    sql += QStringLiteral("WHERE Rsj_Folio = ? ") + kStillInForce;
    QVariantList params{fechaTexto, r.horaInicial, r.horaFinal, r.sala,       r.cliente,
                        r.responsable, r.proposito, stamp.usuario, stamp.fecha, r.folio};
    // Another desktop's committed change since the load makes this one stale:
    // writing it would silently undo theirs.
    for (const auto& [column, value] : r.asLoaded) {
        sql += QStringLiteral("AND ") + column + (value ? QStringLiteral(" = ? ") : QStringLiteral(" IS NULL "));
        if (value) params << *value;
    }
    return built(sql + kReturning, params);
}

ado::Statement ReservationStatements::confirm(const QString& folio) {
    return built(QStringLiteral("SELECT COUNT(*) AS n FROM Reservacion_Sala_Junta WHERE Rsj_Folio = ?"), {folio});
}

ado::Statement ReservationStatements::cancel(const QString& folio, const Stamp& stamp) {
    QString sql = QStringLiteral("UPDATE Reservacion_Sala_Junta SET ");
    sql += QStringLiteral("   Oper_Ult_Modif = ?, ");
    sql += QStringLiteral("   Fecha_Ult_Modif = ?, ");
    sql += QStringLiteral("   Oper_Baja = ?, ");
    sql += QStringLiteral("   Fecha_Baja= ?, ");
    sql += QStringLiteral("   Es_Cve_Estado = 'CA' ");
    sql += QStringLiteral("WHERE Rsj_Folio = ? ") + kStillInForce + kReturning;
    return built(sql, {stamp.usuario, stamp.fecha, stamp.usuario, stamp.fecha, folio});
}

ado::Statement ReservationStatements::catalogueHeaderLookup() {
    return built(QStringLiteral("SELECT Tg_Cve_Tabla_General FROM TABLA_GENERAL WHERE Tg_Cve_Tabla_General = ?"),
                 {kCatalogue});
}

ado::Statement ReservationStatements::catalogueEntryLookup(const QString& valor) {
    return built(QStringLiteral("SELECT Tgd_Valor FROM TABLA_GENERAL_DETALLE WHERE Tg_Cve_Tabla_General = ? AND "
                                "Tgd_Valor = ?"),
                 {kCatalogue, valor});
}

ado::Statement ReservationStatements::catalogueHeader(const Stamp& stamp) {
    QString sql = QStringLiteral("INSERT INTO Tabla_General ( ");
    for (const char* column : {"Tg_Cve_Tabla_General, ", "Tg_Tipo, ", "Oper_Alta, ", "Fecha_Alta, ",
                               "Oper_Ult_Modif, ", "Fecha_Ult_Modif, ", "Es_Cve_Estado "})
        sql += QStringLiteral("   ") + QString::fromLatin1(column);
    sql += QStringLiteral(") VALUES ( ");
    sql += QStringLiteral("   'SALA_JUNTA_RESPONSABLE', ");
    sql += QStringLiteral("   '02', ");
    sql += QStringLiteral("   ?, ").repeated(4);
    sql += QStringLiteral("   'AC' ) ");
    return built(sql, {stamp.usuario, stamp.fecha, stamp.usuario, stamp.fecha});
}

ado::Statement ReservationStatements::catalogueEntry(const QString& key, const QString& valor) {
    QString sql = QStringLiteral("INSERT INTO Tabla_General_Detalle( ");
    sql += QStringLiteral("   Tg_Cve_Tabla_General, ");
    sql += QStringLiteral("   Tgd_Id, ");
    sql += QStringLiteral("   Tgd_Clave, ");
    sql += QStringLiteral("   Tgd_Valor ");
    sql += QStringLiteral(" ) VALUES ( ");
    sql += QStringLiteral("   'SALA_JUNTA_RESPONSABLE', ");
    sql += QStringLiteral("   ?, ");
    sql += QStringLiteral("   ?, ");
    sql += QStringLiteral("   ? ) ");
    return built(sql, {key, key, valor});
}

QString ReservationStatements::padded(qint64 n, int width) {
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

}  // namespace reservation
