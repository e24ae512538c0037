#pragma once

#include <QString>
#include <QTextStream>

#include "platform/ado/connection.h"

namespace admin {

// "rs501 admin backup FILE": a consistent copy of the embedded database
// while desktops keep working on it, checked page by page before it is
// called a backup. A file already there is never overwritten; a shared
// server is copied by its own tool, pg_dump.
class BackupVerb {
public:
    // The refusal for a PostgreSQL database, shown as display (no password):
    // the pg_dump line that copies it instead.
    static QString serverRefusal(const QString& display, const QString& file);

    // Throws InputError for a file that exists or a PostgreSQL connection,
    // core::Error when the copy fails or does not pass its check (no copy
    // is left behind then).
    static void run(const QString& file, ado::Connection& connection, QTextStream& out);
};

}  // namespace admin
