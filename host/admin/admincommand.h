#pragma once

#include <QStringList>
#include <QTextStream>

#include "platform/ado/connection.h"

namespace admin {

// "rs501 admin ...": sets up rooms, clients, users and their permissions,
// parameters and non-working days without SQL and without a display. Each
// command's writes are one transaction, recorded in the operations log
// under the acting user; refused input changes nothing.
class AdminCommand {
public:
    static constexpr int kOk = 0;
    static constexpr int kDatabaseTrouble = 2;
    static constexpr int kBadInput = 64;
    static constexpr int kOutputTrouble = 74;  // stdout could not be written (a full disk, a closed pipe)

    // The whole command from the words after "admin": the database named
    // by --db, else RS501_DB, else the default file, opened as the
    // application opens it. Returns the exit code.
    static int main(const QStringList& arguments, QTextStream& out, QTextStream& err);

    // The same on a database already open (--db and --create-schema have
    // no say here).
    static int run(const QStringList& arguments, ado::Connection& connection, QTextStream& out, QTextStream& err);
};

}  // namespace admin
