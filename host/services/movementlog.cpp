#include "host/services/movementlog.h"

#include "host/schema/roles.h"

namespace services {

void MovementLog::record(ado::Connection& connection, const QString& entity, const QString& key,
                         const QString& operation, const QString& user) {
    const ado::Statement s = statement(connection, entity, key, operation, user);
    connection.Execute(s.sql, s.params);
}

ado::Statement MovementLog::statement(const ado::Connection& connection, const QString& entity, const QString& key,
                                      const QString& operation, const QString& user) {
    // The server names its own login; a SQLite file has none but the account.
    const bool server = schema::Roles::apply(connection);
    QVariantList values = {entity, key, operation, user};
    if (!server) values << schema::Roles::account();
    return {QStringLiteral("INSERT INTO Bitacora_Movimiento (Bm_Entidad, Bm_Clave, Bm_Operacion, "
                                      "Bm_Usuario, Bm_Fecha, Bm_Sesion) VALUES (?, ?, ?, ?, %1, %2)")
                           .arg(connection.dialect().nowExpression(), server ? QStringLiteral("SESSION_USER")
                                                                             : QStringLiteral("?")),
            values};
}

}  // namespace services
