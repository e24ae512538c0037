#pragma once

#include <QString>
#include <QTextStream>

#include "platform/ado/connection.h"

namespace admin {

// "rs501 admin check": the full integrity check of the embedded database
// on demand; a start only runs the quick one.
class CheckVerb {
public:
    // The refusal for a PostgreSQL database, shown as display (no password):
    // the server's own checker.
    static QString serverRefusal(const QString& display);

    // Says the file is sound; throws core::Error listing what is
    // damaged, InputError on PostgreSQL.
    static void run(ado::Connection& connection, QTextStream& out);

    // The problems PRAGMA integrity_check finds, empty when there are none.
    static QStringList problems(ado::Connection& connection);
};

}  // namespace admin
