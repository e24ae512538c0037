#include "src/reservation/reservationstore.h"

#include "platform/ado/savepoint.h"
#include "platform/ado/sqltext.h"
#include "platform/ado/transaction.h"
#include "platform/core/error.h"
#include "src/shell/publico.h"

namespace reservation {

using shell::Publico;

namespace {

const QString kTable = QStringLiteral("Reservacion_Sala_Junta");
const QString kFolioColumn = QStringLiteral("Rsj_Folio");
const QString kCatalogue = QStringLiteral("SALA_JUNTA_RESPONSABLE");
// A change or a cancellation writes the row only while it is in force, as
// the row stands once any other desktop's write to it is committed, and
// says whether it did: another desktop may have cancelled it meanwhile.
const QString kStillInForce = QStringLiteral("AND Es_Cve_Estado <> 'CA' ");
const QString kReturning = QStringLiteral("RETURNING Rsj_Folio");

// Every value goes between single quotes protected; the fragments around it
// are the statement's own.
QString v(const QString& value) {
    return ado::protect(value);
}

ado::Connection& connection() {
    return Publico::Sistema()->Conexion();
}

// Runs the statement built in the module's shared statement text.
ado::Recordset run() {
    return connection().Execute(Publico::SQL);
}

QString& startStatement() {
    Publico::SQL.clear();
    return Publico::SQL;
}

// One of the two questions asked per day: does a reservation in force of the
// room start (column Rsj_Inicio) or end (Rsj_Fin) strictly inside the times?
void buildOverlapQuery(const QString& column, const QString& sala, const QString& fechaTexto, const Span& span,
                       const std::optional<QString>& exceptFolio) {
    QString& sql = startStatement();
    sql += QStringLiteral("SELECT Rsj_Folio FROM Reservacion_Sala_Junta ");
    sql += QStringLiteral("WHERE Sj_Cve_Sala_Junta = '") + v(sala) + QStringLiteral("' AND ");
    sql += QStringLiteral("   Rsj_Fecha = '") + v(fechaTexto) + QStringLiteral("' AND ") + column +
           QStringLiteral(" BETWEEN '") + v(span.horaInicial) + QStringLiteral("' AND '") + v(span.horaFinal) +
           QStringLiteral("' AND ");
    sql += QStringLiteral("   ") + column + QStringLiteral(" <> '") + v(span.horaInicial) + QStringLiteral("' AND ") +
           column + QStringLiteral(" <> '") + v(span.horaFinal) + QStringLiteral("' AND Es_Cve_Estado <> 'CA' ");
    if (exceptFolio) sql += QStringLiteral("   AND Rsj_Folio <> '") + v(*exceptFolio) + QStringLiteral("' ");
}

void buildInsert(const QString& folio, const QString& fechaTexto, const QString& horaInicial,
                 const QString& horaFinal, const Stamp& stamp, const TypedReservation& t) {
    QString& sql = startStatement();
    sql += QStringLiteral("INSERT INTO Reservacion_Sala_Junta (  ");
    for (const char* column : {"Rsj_Folio , ", "Rsj_Fecha , ", "Rsj_Inicio , ", "Rsj_Fin , ", "Sj_Cve_Sala_Junta , ",
                               "Rsj_Cliente, ", "Rsj_Responsable , ", "Rsj_Proposito , ", "Oper_Alta , ",
                               "Fecha_Alta , ", "Oper_Ult_Modif , ", "Fecha_Ult_Modif , ", "Oper_Baja , ",
                               "Es_Cve_Estado "})
        sql += QStringLiteral("   ") + QString::fromLatin1(column);
    sql += QStringLiteral(") VALUES ( ");
    sql += QStringLiteral("   '") + v(folio) + QStringLiteral("' ,  ");
    sql += QStringLiteral("   '") + v(fechaTexto) + QStringLiteral("' , ");
    for (const QString* value : {&horaInicial, &horaFinal, &t.sala, &t.cliente, &t.responsable,
                                 &t.proposito, &stamp.usuario, &stamp.fecha, &stamp.usuario, &stamp.fecha})
        sql += QStringLiteral("   '") + v(*value) + QStringLiteral("' ,  ");
    sql += QStringLiteral("   '' ,  ");
    sql += QStringLiteral("   'AC') ");
}

void buildUpdate(const QString& fechaTexto, const QString& horaInicial, const QString& horaFinal, const Stamp& stamp,
                 const TypedReservation& t) {
    QString& sql = startStatement();
    sql += QStringLiteral("UPDATE Reservacion_Sala_Junta SET  ");
    sql += QStringLiteral("   Rsj_Fecha = '") + v(fechaTexto) + QStringLiteral("', ");
    sql += QStringLiteral("   Rsj_Inicio = '") + v(horaInicial) + QStringLiteral("', ");
    sql += QStringLiteral("   Rsj_Fin = '") + v(horaFinal) + QStringLiteral("' , ");
    sql += QStringLiteral("   Sj_Cve_Sala_Junta = '") + v(t.sala) + QStringLiteral("', ");
    sql += QStringLiteral("   Rsj_Cliente = '") + v(t.cliente) + QStringLiteral("', ");
    sql += QStringLiteral("   Rsj_Responsable = '") + v(t.responsable) + QStringLiteral("', ");
    sql += QStringLiteral("   Rsj_Proposito = '") + v(t.proposito) + QStringLiteral("', ");
    sql += QStringLiteral("   Oper_Ult_Modif = '") + v(stamp.usuario) + QStringLiteral("', ");
    sql += QStringLiteral("   Fecha_Ult_Modif = '") + v(stamp.fecha) + QStringLiteral("' ");
    sql += QStringLiteral("WHERE Rsj_Folio = '") + v(t.folio) + QStringLiteral("' ") + kStillInForce;
    // Another desktop's committed change since the load makes this one stale:
    // writing it would silently undo theirs.
    for (const auto& [column, value] : t.asLoaded)
        sql += QStringLiteral("AND ") + column +
               (value ? QStringLiteral(" = '") + v(*value) + QStringLiteral("' ") : QStringLiteral(" IS NULL "));
    sql += kReturning;
}

void buildCancel(const QString& folio, const Stamp& stamp) {
    QString& sql = startStatement();
    sql += QStringLiteral("UPDATE Reservacion_Sala_Junta SET ");
    sql += QStringLiteral("   Oper_Ult_Modif = '") + v(stamp.usuario) + QStringLiteral("', ");
    sql += QStringLiteral("   Fecha_Ult_Modif = '") + v(stamp.fecha) + QStringLiteral("', ");
    sql += QStringLiteral("   Oper_Baja = '") + v(stamp.usuario) + QStringLiteral("', ");
    sql += QStringLiteral("   Fecha_Baja= '") + v(stamp.fecha) + QStringLiteral("', ");
    sql += QStringLiteral("   Es_Cve_Estado = 'CA' ");
    sql += QStringLiteral("WHERE Rsj_Folio = '") + v(folio) + QStringLiteral("' ") + kStillInForce + kReturning;
}

void buildCatalogueHeader(const Stamp& stamp) {
    QString& sql = startStatement();
    sql += QStringLiteral("INSERT INTO Tabla_General ( ");
    for (const char* column : {"Tg_Cve_Tabla_General, ", "Tg_Tipo, ", "Oper_Alta, ", "Fecha_Alta, ",
                               "Oper_Ult_Modif, ", "Fecha_Ult_Modif, ", "Es_Cve_Estado "})
        sql += QStringLiteral("   ") + QString::fromLatin1(column);
    sql += QStringLiteral(") VALUES ( ");
    sql += QStringLiteral("   'SALA_JUNTA_RESPONSABLE', ");
    sql += QStringLiteral("   '02', ");
    for (const QString* value : {&stamp.usuario, &stamp.fecha, &stamp.usuario, &stamp.fecha})
        sql += QStringLiteral("   '") + v(*value) + QStringLiteral("', ");
    sql += QStringLiteral("   'AC' ) ");
}

void buildCatalogueEntry(const QString& key, const QString& valor) {
    QString& sql = startStatement();
    sql += QStringLiteral("INSERT INTO Tabla_General_Detalle( ");
    sql += QStringLiteral("   Tg_Cve_Tabla_General, ");
    sql += QStringLiteral("   Tgd_Id, ");
    sql += QStringLiteral("   Tgd_Clave, ");
    sql += QStringLiteral("   Tgd_Valor ");
    sql += QStringLiteral(" ) VALUES ( ");
    sql += QStringLiteral("   'SALA_JUNTA_RESPONSABLE', ");
    sql += QStringLiteral("   '") + v(key) + QStringLiteral("', ");
    sql += QStringLiteral("   '") + v(key) + QStringLiteral("', ");
    sql += QStringLiteral("   '") + v(valor) + QStringLiteral("' ) ");
}

// Zero-padded to width; a longer number keeps all its digits.
QString padded(qint64 n, int width) {
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

QString catalogueLookup(const QString& table, const QString& result, const QString& secondColumn,
                        const QString& secondValue) {
    return Publico::Funciones()->BuscarDescripcion(table, QStringLiteral("Tg_Cve_Tabla_General"), kCatalogue, result,
                                                   0, secondColumn, secondValue, QString());
}

// Each step keeps what it wrote even when a later one fails.
void ensureCatalogueHeader(const Stamp& stamp) {
    ado::Savepoint step(connection());
    if (catalogueLookup(QStringLiteral("TABLA_GENERAL"), QStringLiteral("Tg_Cve_Tabla_General"), {}, {}).isEmpty()) {
        buildCatalogueHeader(stamp);
        run();
    }
    step.release();
}

void ensureCatalogueEntry(const QString& valor) {
    ado::Savepoint step(connection());
    if (catalogueLookup(QStringLiteral("TABLA_GENERAL_DETALLE"), QStringLiteral("Tgd_Valor"),
                        QStringLiteral("Tgd_Valor"), valor)
            .isEmpty()) {
        const QString n = Publico::Funciones()->ObtenerConsecutivoDetalle(
            QStringLiteral("Tabla_General_Detalle"), QStringLiteral("Tgd_ID"), QStringLiteral("Tg_Cve_Tabla_General"),
            kCatalogue, QString(), QString());
        bool number = false;
        const qint64 value = n.toLongLong(&number);
        if (!number) throw core::Error(QStringLiteral("El anfitrión dio un número no válido: \"%1\".").arg(n));
        buildCatalogueEntry(padded(value, 4), valor);
        run();
    }
    step.release();
}

}  // namespace

Stamp currentStamp() {
    const QString fecha = Publico::Funciones()->FormatoFechaHoraSQL(Publico::Funciones()->FechaServidor());
    return {Publico::Sistema()->ObtenerUsuario(), fecha};
}

std::optional<QString> findOverlap(const QString& sala, const Span& span, const std::optional<QString>& exceptFolio) {
    for (QDate day = span.first; day <= span.last; day = day.addDays(1)) {
        const QString fechaTexto = Publico::Funciones()->FormatoFechaSQL(day);
        for (const auto& [column, hora] : {std::pair{QStringLiteral("Rsj_Inicio"), span.horaInicial},
                                           std::pair{QStringLiteral("Rsj_Fin"), span.horaFinal}}) {
            buildOverlapQuery(column, sala, fechaTexto, span, exceptFolio);
            if (!run().Eof())
                return QStringLiteral("ya existe una reservación para la fecha ") + fechaTexto +
                       QStringLiteral(" y hora ") + hora + QStringLiteral(" para la sala de junta ") + sala;
        }
    }
    return std::nullopt;
}

QString changedElsewhere(const QString& folio) {
    return QStringLiteral("Otro escritorio cambió o canceló la reservación %1 después de que se abrió aquí; no se "
                          "guardó nada. Ciérrela y ábrala de nuevo para ver cómo quedó.")
        .arg(folio);
}

QString cancelledElsewhere(const QString& folio) {
    return QStringLiteral("La reservación %1 ya estaba cancelada: otro escritorio la canceló antes; no se cambió nada.")
        .arg(folio);
}

std::optional<QString> writeDay(bool esNuevo, const QDate& fecha, const QString& horaInicial,
                                const QString& horaFinal, const Stamp& stamp, const TypedReservation& typed,
                                bool& stored) {
    shell::IFunciones& f = *Publico::Funciones();
    stored = false;
    if (f.EsDiaInhabil(fecha)) return std::nullopt;
    const QString fechaTexto = f.FormatoFechaSQL(fecha);
    QString folio = typed.folio;
    if (esNuevo) {
        folio = padded(f.ObtenerConsecutivo(kTable, kFolioColumn), 10);
        buildInsert(folio, fechaTexto, horaInicial, horaFinal, stamp, typed);
        run();
    } else {
        buildUpdate(fechaTexto, horaInicial, horaFinal, stamp, typed);
        if (run().Eof()) return changedElsewhere(folio);
    }
    stored = true;
    if (f.ConfirmarRegistro(kTable, kFolioColumn, folio)) return std::nullopt;
    return f.ObtenerMensajeError();
}

void registerResponsible(const QString& valor) {
    try {
        const Stamp stamp = currentStamp();
        ensureCatalogueHeader(stamp);
        ensureCatalogueEntry(valor);
    } catch (const std::exception&) {
        // Remembering the name is a convenience; the reservation is saved anyway.
    }
}

bool cancelReservation(const QString& folio, const Stamp& stamp) {
    ado::Transaction transaction(connection());
    buildCancel(folio, stamp);
    if (run().Eof()) return false;
    Publico::Funciones()->RegistrarMovimiento(QStringLiteral("RESERVACION_SALA_JUNTA"), folio,
                                              QStringLiteral("CANCELACION"));
    transaction.commit();
    return true;
}

}  // namespace reservation
