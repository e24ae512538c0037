#include "host/admin/permissions.h"

#include "host/admin/inputerror.h"
#include "platform/ado/transaction.h"

namespace admin {

namespace {

// What the screens ask for, with the description they ask with.
const std::pair<const char*, const char*> kKnown[] = {
    {"CHFEFIN", "Permitir cambiar fecha de finalizacion."},
};

}  // namespace

std::pair<QString, QString> Permissions::known(const QString& typed) {
    QStringList names;
    for (const auto& [key, description] : kKnown) {
        if (typed.trimmed().compare(QLatin1String(key), Qt::CaseInsensitive) == 0)
            return {QLatin1String(key), QString::fromUtf8(description)};
        names << QLatin1String(key);
    }
    throw InputError(QStringLiteral("No se conoce el permiso \"%1\"; los permisos de %2 son: %3.")
                         .arg(typed, kModule, names.join(", ")));
}

void Permissions::requireUser(const QString& user, bool active) {
    const ado::Recordset rs =
        c_.connection.Execute(QStringLiteral("SELECT Es_Cve_Estado FROM Usuario WHERE Us_Cve_Usuario = ?"), {user});
    if (rs.Eof()) throw InputError(QStringLiteral("No existe el usuario %1.").arg(user));
    // A retired user cannot sign on; a permission waiting for a reactivation
    // is one nobody decided on at that time.
    if (active && rs.Fields(0).Value.toString() == QLatin1String("BA"))
        throw InputError(QStringLiteral("El usuario %1 está dado de baja; reactívelo antes de darle permisos "
                                        "(rs501 admin users reactivate %1).")
                             .arg(user));
}

void Permissions::grant(const QString& user, const QString& permission) {
    const auto [key, description] = known(permission);
    ado::Transaction tx(c_.connection);
    requireUser(user, true);
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("INSERT INTO Permiso_Usuario (Us_Cve_Usuario, Pu_Modulo, Pu_Cve_Permiso, Pu_Descripcion) "
                       "VALUES (?, ?, ?, ?) ON CONFLICT DO NOTHING RETURNING Us_Cve_Usuario"),
        {user, kModule, key, description});
    if (rs.Eof()) throw InputError(QStringLiteral("El usuario %1 ya tiene el permiso %2.").arg(user, key));
    c_.log(QStringLiteral("PERMISO_USUARIO"), user, QStringLiteral("OTORGA ") + key);
    tx.commit();
    c_.out << QStringLiteral("Permiso %1 otorgado al usuario %2.").arg(key, user) << '\n';
}

void Permissions::revoke(const QString& user, const QString& permission) {
    const QString key = known(permission).first;
    ado::Transaction tx(c_.connection);
    requireUser(user, false);
    const ado::Recordset rs = c_.connection.Execute(
        QStringLiteral("DELETE FROM Permiso_Usuario WHERE Us_Cve_Usuario = ? AND Pu_Modulo = ? AND Pu_Cve_Permiso = ? "
                       "RETURNING Us_Cve_Usuario"),
        {user, kModule, key});
    if (rs.Eof()) throw InputError(QStringLiteral("El usuario %1 no tiene el permiso %2.").arg(user, key));
    c_.log(QStringLiteral("PERMISO_USUARIO"), user, QStringLiteral("RETIRA ") + key);
    tx.commit();
    c_.out << QStringLiteral("Permiso %1 retirado al usuario %2.").arg(key, user) << '\n';
}

QMap<QString, QStringList> Permissions::granted() {
    QMap<QString, QStringList> out;
    for (ado::Recordset rs = c_.connection.Execute(QStringLiteral("SELECT Us_Cve_Usuario, Pu_Cve_Permiso FROM "
                                                                  "Permiso_Usuario WHERE Pu_Modulo = ? ORDER BY 1, 2"),
                                                   {kModule});
         !rs.Eof(); rs.MoveNext())
        out[rs.Fields(0).Value.toString()] << rs.Fields(1).Value.toString();
    return out;
}

}  // namespace admin
