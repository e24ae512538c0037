#include "host/admin/schemaverb.h"

#include "host/admin/inputerror.h"
#include "host/schema/roles.h"
#include "host/schema/schema.h"
#include "platform/core/error.h"

namespace admin {

namespace {

using schema::Roles;
using schema::Schema;

// Said before the server's own "must be owner": who owns the tables.
void refuseNonOwner(ado::Connection& connection) {
    if (!Roles::apply(connection)) return;
    ado::Recordset rs = connection.Execute(QStringLiteral(
        "SELECT pg_get_userbyid(relowner), pg_has_role(SESSION_USER, relowner, 'MEMBER') FROM pg_class "
        "WHERE oid = to_regclass('version_esquema')"));
    if (rs.Eof() || rs.Fields(1).Value.toBool()) return;
    throw core::Error(QStringLiteral("La cuenta %1 no es la dueña de las tablas de RS501 (lo es %2); el esquema lo crea "
                                     "y lo actualiza su dueña. No se modificó nada.")
                          .arg(Roles::login(connection), rs.Fields(0).Value.toString()));
}

}  // namespace

void SchemaVerb::run(const QString& action, ado::Connection& connection, QTextStream& out) {
    refuseNonOwner(connection);
    int stored = 0;
    const Schema::State state = Schema::inspect(connection, &stored);
    const bool create = action == QLatin1String("create");
    if (!create && (state == Schema::State::Empty || state == Schema::State::Foreign))
        throw InputError(QStringLiteral("La base de datos no tiene las tablas de RS501; créelas con: rs501 admin schema "
                                        "create"));
    // Asked for by name: the tables go beside another application's.
    Schema::ensure(connection, true, Roles::login(connection).toUpper(), true);
    if (create && stored == 0)
        out << QStringLiteral("Esquema versión %1 creado.").arg(Schema::kVersion) << Qt::endl;
    else if (stored < Schema::kVersion)
        out << QStringLiteral("Esquema actualizado de la versión %1 a la %2.").arg(stored).arg(Schema::kVersion) << Qt::endl;
    else
        out << QStringLiteral("El esquema ya está en la versión %1.").arg(Schema::kVersion) << Qt::endl;
    if (Roles::apply(connection))
        out << QStringLiteral("Permisos de %1 y %2 al día.").arg(Roles::kDesktop, Roles::kAdmin) << Qt::endl;
}

}  // namespace admin
