#include "host/schema/roles.h"

#include <pwd.h>
#include <unistd.h>

#include "host/schema/schema.h"

namespace schema {

namespace {

const QStringList kDesktopWrites = {"Reservacion_Sala_Junta", "Tabla_General", "Tabla_General_Detalle", "Consecutivo"};
const QStringList kLogs = {"Bitacora_Movimiento", "Bitacora_Error"};
const QStringList kAdminWrites = {"Sala_Junta", "Cliente", "Usuario", "Permiso_Usuario", "Parametro", "Dia_Inhabil"};

// The role is made once per server; a second schema, or two
// administrators at once, find it there.
QString createRole(const QString& role, const QString& memberOf) {
    return QStringLiteral("DO $roles$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = '%1') THEN "
                          "CREATE ROLE %1 NOLOGIN%2; END IF; EXCEPTION WHEN duplicate_object THEN NULL; END $roles$")
        .arg(role, memberOf.isEmpty() ? QString() : QStringLiteral(" IN ROLE ") + memberOf);
}

QString quotedIdentifier(const QString& name) {
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

}  // namespace

bool Roles::apply(const ado::Connection& connection) {
    return connection.dialect().name() == QLatin1String("PostgreSQL");
}

QString Roles::login(ado::Connection& connection) {
    if (!apply(connection)) return account();
    return connection.Execute(QStringLiteral("SELECT SESSION_USER")).Fields(0).Value.toString();
}

QString Roles::account() {
    if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_name) return QString::fromLocal8Bit(pw->pw_name);
    return qEnvironmentVariable("USER");
}

bool Roles::privileged(ado::Connection& connection) {
    return connection
        .Execute(QStringLiteral(
            "SELECT COALESCE((SELECT rolsuper FROM pg_roles WHERE rolname = SESSION_USER), false) "
            "OR EXISTS (SELECT 1 FROM pg_roles WHERE rolname = ? AND pg_has_role(SESSION_USER, oid, 'MEMBER')) "
            "OR COALESCE((SELECT pg_has_role(SESSION_USER, relowner, 'MEMBER') FROM pg_class "
            "WHERE oid = to_regclass('usuario')), false)"),
                 {kAdmin})
        .Fields(0)
        .Value.toBool();
}

void Roles::grant(ado::Connection& connection) {
    const QString both = kDesktop + QStringLiteral(", ") + kAdmin;
    connection.Execute(createRole(kDesktop, {}));
    connection.Execute(createRole(kAdmin, kDesktop));
    const QString here =
        quotedIdentifier(connection.Execute(QStringLiteral("SELECT current_schema()")).Fields(0).Value.toString());
    connection.Execute(QStringLiteral("GRANT USAGE ON SCHEMA %1 TO %2").arg(here, both));
    QStringList all;
    for (const Table& t : Schema::tables()) all << t.name;
    // Rights given by hand before are taken back, so the grants stand exactly.
    connection.Execute(QStringLiteral("REVOKE ALL ON %1 FROM %2").arg(all.join(", "), both));
    connection.Execute(QStringLiteral("GRANT SELECT ON %1 TO %2").arg(all.join(", "), kDesktop));
    connection.Execute(QStringLiteral("GRANT INSERT, UPDATE ON %1 TO %2").arg(kDesktopWrites.join(", "), kDesktop));
    connection.Execute(QStringLiteral("GRANT INSERT ON %1 TO %2").arg(kLogs.join(", "), kDesktop));
    connection.Execute(QStringLiteral("GRANT INSERT, UPDATE, DELETE ON %1 TO %2").arg(kAdminWrites.join(", "), kAdmin));
    connection.Execute(QStringLiteral("GRANT USAGE ON ALL SEQUENCES IN SCHEMA %1 TO %2").arg(here, kDesktop));
}

}  // namespace schema
