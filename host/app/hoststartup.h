#pragma once

#include <memory>

#include "host/app/hostoptions.h"
#include "platform/ado/connection.h"

namespace app {

// Opens the database the options name as every start does: the default
// file's folder is made, the tables are created when missing, and a foreign
// or damaged database is refused untouched (core::Error). created, when
// given, tells whether the default file was new.
std::unique_ptr<ado::Connection> openSchemaDatabase(const HostOptions& options, bool* created = nullptr);

// Opens the database the options name, creates the tables when missing and
// loads the demonstration data into a newly created default file or when
// asked. Throws core::Error with a readable reason.
std::unique_ptr<ado::Connection> openHostDatabase(const HostOptions& options);

// Refuses a user code that is empty, too long or holds control characters,
// and one named on purpose (named: by --user or RS501_USER) that is not an
// active user of the database. Throws core::Error with the reason.
void checkUser(ado::Connection& connection, const QString& user, bool named);

}  // namespace app
