#pragma once

#include <QString>

#include "platform/ado/connection.h"

namespace schema {

// Who may do what on a shared PostgreSQL server, enforced by the server
// itself: the group role rs501_desktop may read every table and write
// reservations, the responsible-person catalogue, numbering and the two
// logs; rs501_admin may also write the catalogues and parameters the
// administrator's command keeps. The tables' owner alone changes the
// schema. SQLite has no logins: there the file's permissions decide.
class Roles {
public:
    static inline const QString kDesktop = QStringLiteral("rs501_desktop");
    static inline const QString kAdmin = QStringLiteral("rs501_admin");

    static bool apply(const ado::Connection& connection);  // the engine has logins

    // The login of the connection as the server knows it; on SQLite the
    // account running this program.
    static QString login(ado::Connection& connection);
    static QString account();

    // A superuser, a member of rs501_admin or of the tables' owner.
    static bool privileged(ado::Connection& connection);

    // Creates the two group roles when missing and grants them exactly
    // their rights on our tables; run by the tables' owner, inside the
    // caller's transaction.
    static void grant(ado::Connection& connection);
};

}  // namespace schema
