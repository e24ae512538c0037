#pragma once

#include <memory>

#include "host/app/hostoptions.h"
#include "platform/ado/connection.h"

namespace app {

// Opens the database the options name, nothing more: the default file's
// folder is made. created, when given, tells whether the default file was new.
std::unique_ptr<ado::Connection> openDatabase(const HostOptions& options, bool* created = nullptr);

// Opens the database as every start does. A current schema is only read:
// no statement changes it and no lock is taken. A SQLite file is its
// account's own, so a start makes its tables when missing (signing its
// account as the first user) and upgrades old ones; on a shared server the
// tables' owner does that with "rs501 admin schema ...", and a start that
// finds none or an old version is refused with that command. A foreign or
// damaged database is refused untouched (core::Error).
std::unique_ptr<ado::Connection> openSchemaDatabase(const HostOptions& options, bool* created = nullptr);

// Opens the database as openSchemaDatabase does and, when asked, loads the
// demonstration data into a database that holds no data yet. Throws core::Error with a
// readable reason.
std::unique_ptr<ado::Connection> openHostDatabase(const HostOptions& options);

// Refuses a user code that is empty, too long or holds control characters,
// and one named on purpose (named: by --user or RS501_USER) that is not an
// active user of the database. Throws core::Error with the reason.
void checkUser(ado::Connection& connection, const QString& user, bool named);

}  // namespace app
