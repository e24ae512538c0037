#include "host/services/movementlog.h"

namespace services {

void MovementLog::record(ado::Connection& connection, const QString& entity, const QString& key,
                         const QString& operation, const QString& user) {
    connection.Execute(QStringLiteral("INSERT INTO Bitacora_Movimiento (Bm_Entidad, Bm_Clave, Bm_Operacion, "
                                      "Bm_Usuario, Bm_Fecha) VALUES (?, ?, ?, ?, %1)")
                           .arg(connection.dialect().nowExpression()),
                       {entity, key, operation, user});
}

}  // namespace services
