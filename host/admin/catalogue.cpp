#include "host/admin/catalogue.h"

#include "host/admin/field.h"
#include "host/admin/guardrail.h"
#include "host/admin/inputerror.h"
#include "host/admin/listing.h"
#include "host/admin/permissions.h"
#include "host/app/hoststartup.h"
#include "host/controls/textbox.h"
#include "host/services/hostsession.h"
#include "platform/ado/transaction.h"

namespace admin {

namespace {

QString capital(const QString& text) {
    return text.left(1).toUpper() + text.mid(1);
}

}  // namespace

const Catalogue::Kind Catalogue::kRooms{"rooms", "Sala_Junta", "Sj_Cve_Sala_Junta", "Sj_Descripcion", "SALA_JUNTA", "sala",
                                        true, true, "FTO_SALA_JUNTA", "0000000000"};
const Catalogue::Kind Catalogue::kClients{"clients", "Cliente", "Cl_Cve_Cliente", "Cl_Razon_Social", "CLIENTE", "cliente",
                                          false, true, "FTO_CLIENTE", ""};
const Catalogue::Kind Catalogue::kUsers{"users", "Usuario", "Us_Cve_Usuario", "Us_Nombre", "USUARIO", "usuario",
                                        false, false, "", ""};

void Catalogue::run(const QString& action, const QStringList& values) {
    if (action == QLatin1String("list"))
        list();
    else if (action == QLatin1String("add"))
        add(values.at(0), values.value(1));
    else if (action == QLatin1String("grant"))
        Permissions(c_).grant(key(values.at(0)), values.at(1));
    else if (action == QLatin1String("revoke"))
        Permissions(c_).revoke(key(values.at(0)), values.at(1));
    else
        setState(values.at(0), action == QLatin1String("reactivate"));
}

QString Catalogue::noun(const QString& key) const {
    return (kind_.feminine ? QStringLiteral("la ") : QStringLiteral("el ")) + kind_.noun + QLatin1Char(' ') + key;
}

QString Catalogue::title(const QString& key) const {
    return capital(kind_.noun) + QLatin1Char(' ') + key;
}

QString Catalogue::key(const QString& typed) {
    if (kind_.formatParameter.isEmpty()) {
        // The rule start-up signs a user on with.
        try {
            app::checkUser(c_.connection, typed.trimmed(), false);
        } catch (const core::Error& e) {
            throw InputError(e.description());
        }
        return Field::text(typed, kind_.table, kind_.keyColumn, QStringLiteral("la clave de usuario"));
    }
    const QString format = services::HostSession::parameter(c_.connection, kind_.formatParameter, kind_.formatDefault);
    return Field::text(controls::TextBox::padKey(format, typed.trimmed().toUpper()), kind_.table, kind_.keyColumn,
                       QStringLiteral("la clave de ") + kind_.noun);
}

void Catalogue::requireExisting(const QString& key) {
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = ?").arg(kind_.table, kind_.keyColumn), {key});
    if (rs.Fields(0).Value.toLongLong() == 0) throw InputError(QStringLiteral("No existe %1.").arg(noun(key)));
}

// Users show a fourth column: their permissions, separated by commas.
void Catalogue::list() {
    const bool users = &kind_ == &kUsers;
    const QMap<QString, QStringList> granted = users ? Permissions(c_).granted() : QMap<QString, QStringList>();
    for (ado::Recordset rs = c_.connection.Execute(QStringLiteral("SELECT %1, COALESCE(%2, ''), Es_Cve_Estado FROM %3 "
                                                                  "ORDER BY %1")
                                                       .arg(kind_.keyColumn, kind_.nameColumn, kind_.table));
         !rs.Eof(); rs.MoveNext()) {
        QStringList row{rs.Fields(0).Value.toString(), rs.Fields(1).Value.toString(), rs.Fields(2).Value.toString()};
        if (users) row << granted.value(row.at(0)).join(QLatin1Char(','));
        Listing::print(c_.out, row);
    }
}

void Catalogue::add(const QString& typed, const QString& name) {
    const QString k = key(typed);
    const QString n = Field::text(name, kind_.table, kind_.nameColumn, QStringLiteral("el nombre"), !kind_.nameRequired);
    ado::Transaction tx(c_.connection);
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("INSERT INTO %1 (%2, %3, Es_Cve_Estado) VALUES (?, ?, 'AC') ON CONFLICT DO NOTHING RETURNING %2")
            .arg(kind_.table, kind_.keyColumn, kind_.nameColumn),
        {k, n.isEmpty() ? QVariant() : QVariant(n)});
    if (rs.Eof()) refuseDuplicate(k);
    c_.log(kind_.entity, k, QStringLiteral("ALTA"));
    tx.commit();
    c_.out << QStringLiteral("%1 dad%2 de alta.").arg(title(k), ending()) << '\n';
}

void Catalogue::refuseDuplicate(const QString& key) {
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("SELECT Es_Cve_Estado FROM %1 WHERE %2 = ?").arg(kind_.table, kind_.keyColumn), {key});
    if (!rs.Eof() && rs.Fields(0).Value.toString() == QLatin1String("BA"))
        throw InputError(QStringLiteral("Ya existe %1, dad%2 de baja; para volver a usarl%2: rs501 admin %3 reactivate %4.")
                             .arg(noun(key), ending(), kind_.area, key));
    throw InputError(QStringLiteral("Ya existe %1.").arg(noun(key)));
}

void Catalogue::setState(const QString& typed, bool active) {
    const QString k = key(typed);
    const QString state = active ? QStringLiteral("AC") : QStringLiteral("BA");
    ado::Transaction tx(c_.connection);
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("UPDATE %1 SET Es_Cve_Estado = ? WHERE %2 = ? AND Es_Cve_Estado <> ? RETURNING %2")
            .arg(kind_.table, kind_.keyColumn),
        {state, k, state});
    if (rs.Eof()) {
        requireExisting(k);
        throw InputError((active ? QStringLiteral("%1 ya está activ%2.") : QStringLiteral("%1 ya está dad%2 de baja."))
                             .arg(capital(noun(k)), ending()));
    }
    if (!active && &kind_ == &kRooms) GuardRail(c_).retireRoom(k);
    c_.log(kind_.entity, k, active ? QStringLiteral("REACTIVACION") : QStringLiteral("BAJA"));
    tx.commit();
    c_.out << (active ? QStringLiteral("%1 reactivad%2.") : QStringLiteral("%1 dad%2 de baja.")).arg(title(k), ending())
           << '\n';
}

}  // namespace admin
