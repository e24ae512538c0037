#pragma once

#include <QString>

#include "platform/ado/connection.h"

namespace services {

// The operations log (Bitacora_Movimiento): who did what to which record,
// stamped with the server's time. Written inside the caller's transaction,
// so a change and its record stand or fall together. Beside the signing
// user it names the login that wrote it, which may sign for another.
class MovementLog {
public:
    static void record(ado::Connection& connection, const QString& entity, const QString& key,
                       const QString& operation, const QString& user);
    // The statement record runs, for a caller that sends it with others.
    static ado::Statement statement(const ado::Connection& connection, const QString& entity, const QString& key,
                                    const QString& operation, const QString& user);
};

}  // namespace services
