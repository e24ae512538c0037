#pragma once

#include <QString>
#include <QTextStream>

#include "host/services/movementlog.h"
#include "platform/ado/connection.h"

namespace admin {

// What every area of the command works with: the open database, the acting
// user that signs the operations log, and where listings and confirmations go.
struct Context {
    ado::Connection& connection;
    QString user;
    QTextStream& out;
    bool force = false;  // --force: go ahead with a change that strands reservations

    void log(const QString& entity, const QString& key, const QString& operation) {
        services::MovementLog::record(connection, entity, key, operation, user);
    }
};

}  // namespace admin
