#include "host/admin/guardrail.h"

#include <algorithm>

#include "host/admin/inputerror.h"

namespace admin {

namespace {

constexpr int kListed = 20;  // enough to recognise them; the count says the rest

bool allDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= '0' && c <= '9'; });
}

}  // namespace

QStringList GuardRail::reservations(const QString& where, const QVariantList& params) {
    QStringList out;
    for (ado::Recordset rs = c_.connection.Execute(
             QStringLiteral("SELECT Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta FROM "
                            "Reservacion_Sala_Junta WHERE Es_Cve_Estado <> 'CA' AND %1 ORDER BY Rsj_Fecha, Rsj_Inicio, "
                            "Rsj_Folio")
                 .arg(where),
             params);
         !rs.Eof(); rs.MoveNext())
        out << QStringLiteral("folio %1, %2 de %3 a %4, sala %5")
                   .arg(rs.Fields(0).Value.toString(), rs.Fields(1).Value.toString().left(10),
                        rs.Fields(2).Value.toString(), rs.Fields(3).Value.toString(), rs.Fields(4).Value.toString());
    return out;
}

void GuardRail::refuse(const QString& reason, const QStringList& affected) {
    if (affected.isEmpty() || c_.force) return;
    QString message = QStringLiteral("%1. Son %2; para hacerlo de todos modos, repita la orden con --force:")
                          .arg(reason)
                          .arg(affected.size());
    for (const QString& line : affected.mid(0, kListed)) message += QStringLiteral("\n  ") + line;
    if (affected.size() > kListed) message += QStringLiteral("\n  y %1 más").arg(affected.size() - kListed);
    throw InputError(message);
}

void GuardRail::holiday(const QDate& date) {
    refuse(QStringLiteral("El %1 tiene reservaciones vigentes, que quedarían en gris y ya no se podrían abrir")
               .arg(date.toString(Qt::ISODate)),
           reservations(QStringLiteral("Rsj_Fecha = ?"), {date}));
}

void GuardRail::retireRoom(const QString& key) {
    refuse(QStringLiteral("La sala %1 tiene reservaciones vigentes de hoy en adelante, que ya no se podrían cambiar ni "
                          "cancelar")
               .arg(key),
           reservations(QStringLiteral("Sj_Cve_Sala_Junta = ? AND Rsj_Fecha >= ?"), {key, QDate::currentDate()}));
}

void GuardRail::keyFormat(const QString& format, const QString& table, const QString& keyColumn, const QString& noun) {
    QStringList other;
    for (ado::Recordset rs = c_.connection.Execute(QStringLiteral("SELECT %1 FROM %2 ORDER BY %1").arg(keyColumn, table));
         !rs.Eof(); rs.MoveNext()) {
        const QString key = rs.Fields(0).Value.toString();
        // An empty format pads nothing: only a key with leading zeros is out of reach.
        const bool stranded = format.isEmpty() ? key.size() > 1 && key.startsWith(QLatin1Char('0'))
                                               : key.size() != format.size();
        if (allDigits(key) && stranded) other << key;
    }
    refuse(QStringLiteral("Hay claves de %1 de otro ancho que el formato \"%2\"; un número tecleado ya no las "
                          "encontraría y se daría de alta otra clave junto a ellas")
               .arg(noun, format),
           other);
}

}  // namespace admin
