#include "host/services/funciones.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "host/schema/schema.h"
#include "host/services/identifiers.h"
#include "host/services/numbering.h"
#include "host/services/metaproperty.h"
#include "host/services/movementlog.h"
#include "platform/ado/sqltext.h"
#include "platform/core/error.h"
#include "platform/core/wallclock.h"
#include "src/shell/idatepicker.h"

namespace services {

namespace {

const QString kDateText = QStringLiteral("yyyy-MM-dd");

QString highestNumberQuery(const ado::Dialect& d, const QString& table, const QString& column,
                           const QString& filterColumn = {}) {
    QString sql = QStringLiteral("SELECT MAX(%1) AS n FROM %2").arg(d.digitsValue(column), table);
    if (!filterColumn.isEmpty()) sql += QStringLiteral(" WHERE %1 = ?").arg(filterColumn);
    return sql;
}

// The controls of a screen that belong to a group; only a Tag the control
// actually carries counts, so an untagged widget never joins the empty group.
QList<QWidget*> controlsOfGroup(QWidget* screen, const QString& group) {
    if (!screen) throw core::Error(QStringLiteral("No se indicó la pantalla de los controles."));
    QList<QWidget*> out;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        const QVariant tag = w->property("Tag");
        if (tag.isValid() && tag.toString() == group) out << w;
    }
    return out;
}

}  // namespace

Funciones::Funciones() : Funciones(SessionRef::installed().checked()) {}

Funciones::Funciones(SessionRef session) : session_(session) {
    setObjectName(QStringLiteral("Funciones"));
}

template <typename F>
auto Funciones::guarded(F&& operation) -> decltype(operation()) {
    try {
        return operation();
    } catch (const core::Error& e) {
        session().setLastError(e.description());
        throw;
    }
}

QString Funciones::BuscarDescripcion(const QString& table, const QString& keyColumn, const QString& key,
                                     const QString& resultColumn, int, const QString& secondKeyColumn,
                                     const QString& secondKey, const QString& excludedState) {
    return guarded([&] {
        const ado::Statement s =
            ConsultaDescripcion(table, keyColumn, key, resultColumn, secondKeyColumn, secondKey, excludedState);
        ado::Recordset rs = connection().Execute(s.sql, s.params);
        return rs.Eof() ? QString() : rs.Fields(0).Value.toString();
    });
}

ado::Statement Funciones::ConsultaDescripcion(const QString& table, const QString& keyColumn, const QString& key,
                                              const QString& resultColumn, const QString& secondKeyColumn,
                                              const QString& secondKey, const QString& excludedState) {
    return guarded([&] {
        Identifiers::requireColumn(table, keyColumn);
        Identifiers::requireColumn(table, resultColumn);
        QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(resultColumn, table, keyColumn);
        QVariantList params{key};
        if (!secondKeyColumn.isEmpty()) {
            Identifiers::requireColumn(table, secondKeyColumn);
            sql += QStringLiteral(" AND %1 = ?").arg(secondKeyColumn);
            params << secondKey;
        }
        if (!excludedState.isEmpty()) {
            Identifiers::requireColumn(table, QStringLiteral("Es_Cve_Estado"));
            sql += QStringLiteral(" AND Es_Cve_Estado <> ?");
            params << excludedState;
        }
        return ado::Statement{sql, params};
    });
}

QDateTime Funciones::FechaServidor() {
    return guarded([&] {
        const ado::Statement s = ConsultaFechaServidor();
        return LeerFechaServidor(connection().Execute(s.sql, s.params));
    });
}

ado::Statement Funciones::ConsultaFechaServidor() {
    return {connection().dialect().serverNowQuery()};
}

QDateTime Funciones::LeerFechaServidor(const ado::Recordset& answer) {
    return guarded([&] {
        // Read as day and time apart: the server's clock may read a time
        // that does not exist on this desktop, as 00:30 where midnight jumps.
        const QString text = answer.Fields(0).Value.toString();
        const QDate day = QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
        const QTime time = QTime::fromString(text.mid(11), QStringLiteral("HH:mm:ss"));
        if (!day.isValid() || !time.isValid() || text.size() != 19 || text.at(10) != QLatin1Char(' '))
            throw core::Error(QStringLiteral("El servidor devolvió una fecha que no se entiende."));
        return core::wallClock(day, time);
    });
}

qint64 Funciones::ObtenerConsecutivo(const QString& table, const QString& keyColumn, const QString&, const QString&,
                                     const QString&, const QString&, const QString&, const QString&, const QString&) {
    return guarded([&] {
        Identifiers::requireColumn(table, keyColumn);
        return Numbering(connection())
            .next(schema::Schema::counterName(table, keyColumn),
                  highestNumberQuery(connection().dialect(), table, keyColumn));
    });
}

qint64 Funciones::ObtenerConsecutivos(const QString& table, const QString& keyColumn, int cantidad) {
    return guarded([&] {
        Identifiers::requireColumn(table, keyColumn);
        if (cantidad < 1) throw core::Error(QStringLiteral("Se pidieron %1 números; no se tomó ninguno.").arg(cantidad));
        return Numbering(connection())
                   .next(schema::Schema::counterName(table, keyColumn),
                         highestNumberQuery(connection().dialect(), table, keyColumn), {}, cantidad) -
               (cantidad - 1);
    });
}

QString Funciones::ObtenerConsecutivoDetalle(const QString& table, const QString& idColumn,
                                             const QString& filterColumn, const QString& filterValue, const QString&,
                                             const QString&) {
    return guarded([&] {
        Identifiers::requireColumn(table, idColumn);
        Identifiers::requireColumn(table, filterColumn);
        const qint64 n = Numbering(connection())
                             .next(schema::Schema::counterName(table, idColumn, filterColumn, filterValue),
                                   highestNumberQuery(connection().dialect(), table, idColumn, filterColumn),
                                   {filterValue});
        return QString::number(n);
    });
}

bool Funciones::ConfirmarRegistro(const QString& table, const QString& keyColumn, const QString& key) {
    return guarded([&] {
        Identifiers::requireColumn(table, keyColumn);
        ado::Recordset rs = connection().Execute(
            QStringLiteral("SELECT COUNT(*) AS n FROM %1 WHERE %2 = ?").arg(table, keyColumn), {key});
        if (rs.Fields(0).Value.toLongLong() > 0) return true;
        session().setLastError(
            QStringLiteral("El registro \"%1\" no quedó guardado en %2.").arg(key, table));
        return false;
    });
}

QString Funciones::ObtenerMensajeError() {
    return session().lastError();
}

void Funciones::RegistrarMovimiento(const QString& entity, const QString& key, const QString& operation) {
    guarded([&] {
        const ado::Statement s = SentenciaMovimiento(entity, key, operation);
        connection().Execute(s.sql, s.params);
    });
}

ado::Statement Funciones::SentenciaMovimiento(const QString& entity, const QString& key, const QString& operation) {
    return MovementLog::statement(connection(), entity, key, operation, session().user());
}

QString Funciones::FormatoFechaSQL(const QDate& date) {
    if (!date.isValid()) throw core::Error(QStringLiteral("La fecha no es válida."));
    return date.toString(kDateText);
}

QString Funciones::FormatoFechaHoraSQL(const QDateTime& dateTime) {
    if (!dateTime.isValid()) throw core::Error(QStringLiteral("La fecha y hora no es válida."));
    return dateTime.toString(ado::kTimestampFormat);
}

std::set<int> Funciones::parseRestDays(const QString& listed) {
    std::set<int> days;
    for (const QString& part : listed.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int day = part.trimmed().toInt(&ok);
        if (!ok || day < 1 || day > 7)
            throw core::Error(QStringLiteral("El parámetro %1 debe listar días del 1 (lunes) al 7 (domingo) "
                                             "separados por comas; tiene \"%2\".")
                                  .arg(kRestDaysParameter, listed));
        days.insert(day);
    }
    return days;
}

std::set<int> Funciones::restDays() {
    HostSession& host = session();
    if (const auto cached = host.restDays()) return *cached;
    const std::set<int> days = parseRestDays(host.parameter(kRestDaysParameter, kRestDaysDefault));
    host.setRestDays(days);
    return days;
}

bool Funciones::EsDiaInhabil(const QDate& date) {
    return guarded([&] {
        if (!date.isValid()) throw core::Error(QStringLiteral("La fecha no es válida."));
        if (restDays().count(date.dayOfWeek())) return true;
        ado::Recordset rs =
            connection().Execute(QStringLiteral("SELECT COUNT(*) AS n FROM Dia_Inhabil WHERE Di_Fecha = ?"), {date});
        return rs.Fields(0).Value.toLongLong() > 0;
    });
}

QList<QDate> Funciones::DiasInhabiles(const QDate& desde, const QDate& hasta) {
    return guarded([&] {
        const ado::Statement s = ConsultaDiasInhabiles(desde, hasta);
        return LeerDiasInhabiles(desde, hasta, connection().Execute(s.sql, s.params));
    });
}

ado::Statement Funciones::ConsultaDiasInhabiles(const QDate& desde, const QDate& hasta) {
    return guarded([&] {
        if (!desde.isValid() || !hasta.isValid()) throw core::Error(QStringLiteral("La fecha no es válida."));
        restDays();  // the weekly rest days are asked for first, as they always were
        return ado::Statement{QStringLiteral("SELECT Di_Fecha FROM Dia_Inhabil WHERE Di_Fecha BETWEEN ? AND ?"),
                              {desde, hasta}};
    });
}

QList<QDate> Funciones::LeerDiasInhabiles(const QDate& desde, const QDate& hasta, const ado::Recordset& answer) {
    return guarded([&] {
        const std::set<int> rest = restDays();
        std::set<QDate> stored;
        for (ado::Recordset rs = answer; !rs.Eof(); rs.MoveNext()) {
            const QString text = rs.Fields(0).Value.toString();
            const QDate day = QDate::fromString(text.left(10), Qt::ISODate);
            // A day that cannot be read would be booked as a working one.
            if (!day.isValid())
                throw core::Error(QStringLiteral("La tabla Dia_Inhabil tiene una fecha que no se entiende: \"%1\".").arg(text));
            stored.insert(day);
        }
        QList<QDate> days;
        for (QDate d = desde; d <= hasta; d = d.addDays(1))
            if (rest.count(d.dayOfWeek()) || stored.count(d)) days << d;
        return days;
    });
}

QString Funciones::ObtenerTransaccion(const QString& transaction, const QString& system) {
    return guarded([&] {
        const QString code = transaction.trimmed();
        if (code.isEmpty())
            throw core::Error(QStringLiteral("La pantalla no tiene transacción de %1 asignada.").arg(system));
        return code;
    });
}

void Funciones::LimpiarControles(QWidget* screen, const QString& group) {
    guarded([&] {
        for (QWidget* w : controlsOfGroup(screen, group)) {
            if (qobject_cast<shell::IDatePicker*>(w)) continue;  // a date cannot be empty
            if (MetaProperty::isWritable(w, "Text"))
                w->setProperty("Text", QString());
            else if (auto* line = qobject_cast<QLineEdit*>(w))
                line->clear();
            else if (auto* text = qobject_cast<QTextEdit*>(w))
                text->clear();
            else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
                plain->clear();
            else if (MetaProperty::isWritable(w, "Caption"))
                w->setProperty("Caption", QString());
        }
    });
}

void Funciones::HabilitarControles(QWidget* screen, const QString& group) {
    guarded([&] {
        for (QWidget* w : controlsOfGroup(screen, group)) w->setEnabled(true);
    });
}

}  // namespace services
