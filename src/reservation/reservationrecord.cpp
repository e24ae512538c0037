#include "src/reservation/reservationrecord.h"

#include <QDateTime>

#include "platform/ado/sqltext.h"
#include "platform/core/error.h"
#include "src/shell/publico.h"

namespace reservation {

using shell::Publico;

namespace {

QString text(const ado::Recordset& rs, const QString& column) {
    const QVariant value = rs.Fields(column).Value;
    if (value.isNull())
        throw core::Error(QStringLiteral("La columna %1 de la reservación no tiene valor.").arg(column));
    return value.toString();
}

// Stored as "hh:nn"; shown with zero seconds.
QTime timeOfDay(const ado::Recordset& rs, const QString& column) {
    const QString stored = text(rs, column);
    const QTime t = horaDeTexto(stored);
    if (!t.isValid())
        throw core::Error(
            QStringLiteral("La columna %1 de la reservación tiene una hora no válida: \"%2\".").arg(column, stored));
    return t;
}

QDate day(const ado::Recordset& rs, const QString& column) {
    const QString stored = text(rs, column);
    const QDate d = QDate::fromString(stored.left(10), Qt::ISODate);
    if (!d.isValid())
        throw core::Error(
            QStringLiteral("La columna %1 de la reservación tiene una fecha no válida: \"%2\".").arg(column, stored));
    return d;
}

// As the row holds it, to the second or finer: a stamp written by another
// program may carry fractions.
std::optional<QString> asStored(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    if (value.typeId() == QMetaType::QDateTime && value.toDateTime().time().msec() != 0)
        return value.toDateTime().toString(ado::kTimestampFormat + QStringLiteral(".zzz"));
    return ado::parameterText(value);
}

}  // namespace

QString consultaReservacion(const QString& folio) {
    return QStringLiteral("SELECT * FROM Reservacion_Sala_Junta WHERE Rsj_Folio = '") + ado::protect(folio) +
           QStringLiteral("' AND Es_Cve_Estado <> 'CA' ");
}

std::optional<Reservacion> leerReservacion(const QString& folio) {
    QString& sql = Publico::SQL;
    sql = consultaReservacion(folio);
    const ado::Recordset rs = Publico::Sistema()->Conexion().Execute(sql);
    if (rs.Eof()) return std::nullopt;
    Reservacion r;
    r.folio = folio;
    r.fecha = day(rs, QStringLiteral("Rsj_Fecha"));
    r.inicio = timeOfDay(rs, QStringLiteral("Rsj_Inicio"));
    r.fin = timeOfDay(rs, QStringLiteral("Rsj_Fin"));
    r.sala = text(rs, QStringLiteral("Sj_Cve_Sala_Junta"));
    r.responsable = text(rs, QStringLiteral("Rsj_Responsable"));
    r.proposito = text(rs, QStringLiteral("Rsj_Proposito"));
    r.cliente = text(rs, QStringLiteral("Rsj_Cliente"));
    for (const char* column : {"Rsj_Inicio", "Rsj_Fin", "Sj_Cve_Sala_Junta", "Rsj_Cliente", "Rsj_Responsable",
                               "Rsj_Proposito", "Oper_Ult_Modif", "Fecha_Ult_Modif"}) {
        const QString name = QString::fromLatin1(column);
        r.asLoaded.append({name, asStored(rs.Fields(name).Value)});
    }
    return r;
}

QTime horaDeTexto(const QString& hhnn) {
    return QTime::fromString(hhnn + QStringLiteral(":00"), QStringLiteral("HH:mm:ss"));
}

QString textoDeHora(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm"));
}

QString nombreSala(const QString& clave) {
    return Publico::Funciones()->BuscarDescripcion(QStringLiteral("Sala_Junta"), QStringLiteral("Sj_Cve_Sala_Junta"),
                                                   clave, QStringLiteral("Sj_Descripcion"), 0, QString(), QString(),
                                                   QStringLiteral("BA"));
}

ado::Statement consultaNombreSala(const QString& clave) {
    return Publico::Funciones()->ConsultaDescripcion(QStringLiteral("Sala_Junta"), QStringLiteral("Sj_Cve_Sala_Junta"),
                                                     clave, QStringLiteral("Sj_Descripcion"), QString(), QString(),
                                                     QStringLiteral("BA"));
}

}  // namespace reservation
