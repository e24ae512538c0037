#pragma once

#include <QString>

#include "platform/ado/connection.h"

namespace app {

// Who signs the reservations and the logs. On a shared server it is the
// database login, upper-cased, and only a member of rs501_admin (or a
// superuser, or the tables' owner) may sign for another user with --user or
// RS501_USER. On SQLite, where the file's permissions decide who gets in,
// --user or RS501_USER name the user, else the account does. Whoever signs
// must be an active user of the database.
class SignOn {
public:
    // userGiven: --user was on the command line, with user its value.
    // Throws core::Error with the reason, without a statement when the
    // signer is refused.
    static QString signer(ado::Connection& connection, bool userGiven, const QString& user);
};

}  // namespace app
