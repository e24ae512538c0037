#include "host/admin/holidays.h"

#include "host/admin/field.h"
#include "host/admin/guardrail.h"
#include "host/admin/inputerror.h"
#include "host/admin/listing.h"
#include "platform/ado/transaction.h"

namespace admin {

namespace {

const QString kEntity = QStringLiteral("DIA_INHABIL");

QString text(const QDate& date) {
    return date.toString(Qt::ISODate);
}

}  // namespace

void Holidays::run(const QString& action, const QStringList& values) {
    if (action == QLatin1String("list"))
        list(values);
    else if (action == QLatin1String("add"))
        add(values.at(0), values.value(1));
    else
        remove(values.at(0));
}

void Holidays::list(const QStringList& range) {
    QString sql = QStringLiteral("SELECT Di_Fecha, COALESCE(Di_Descripcion, '') FROM Dia_Inhabil");
    QVariantList params;
    if (range.size() == 1) throw InputError(QStringLiteral("Indique las dos fechas del periodo, DESDE y HASTA."));
    if (range.size() == 2) {
        const QDate from = Field::date(range.at(0)), to = Field::date(range.at(1));
        if (to < from)
            throw InputError(QStringLiteral("El periodo termina (%1) antes de empezar (%2).").arg(text(to), text(from)));
        sql += QStringLiteral(" WHERE Di_Fecha BETWEEN ? AND ?");
        params = {from, to};
    }
    for (ado::Recordset rs = c_.connection.Execute(sql + QStringLiteral(" ORDER BY Di_Fecha"), params); !rs.Eof();
         rs.MoveNext())
        Listing::print(c_.out, {rs.Fields(0).Value.toString().left(10), rs.Fields(1).Value.toString()});
}

void Holidays::add(const QString& typedDate, const QString& description) {
    const QDate date = Field::date(typedDate);
    const QString name = Field::text(description, QStringLiteral("Dia_Inhabil"), QStringLiteral("Di_Descripcion"),
                                     QStringLiteral("la descripción"), true);
    ado::Transaction tx(c_.connection);
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("INSERT INTO Dia_Inhabil (Di_Fecha, Di_Descripcion) VALUES (?, ?) ON CONFLICT DO NOTHING "
                       "RETURNING Di_Fecha"),
        {date, name.isEmpty() ? QVariant() : QVariant(name)});
    if (rs.Eof()) throw InputError(QStringLiteral("El %1 ya es día inhábil.").arg(text(date)));
    GuardRail(c_).holiday(date);
    c_.log(kEntity, text(date), QStringLiteral("ALTA"));
    tx.commit();
    c_.out << QStringLiteral("Día inhábil %1 agregado.").arg(text(date)) << '\n';
}

void Holidays::remove(const QString& typedDate) {
    const QDate date = Field::date(typedDate);
    ado::Transaction tx(c_.connection);
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("DELETE FROM Dia_Inhabil WHERE Di_Fecha = ? RETURNING Di_Fecha"), {date});
    if (rs.Eof()) throw InputError(QStringLiteral("El %1 no es día inhábil registrado.").arg(text(date)));
    c_.log(kEntity, text(date), QStringLiteral("BAJA"));
    tx.commit();
    c_.out << QStringLiteral("Día inhábil %1 quitado.").arg(text(date)) << '\n';
}

}  // namespace admin
