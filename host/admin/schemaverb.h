#pragma once

#include <QString>
#include <QTextStream>

#include "platform/ado/connection.h"

namespace admin {

// "rs501 admin schema create|upgrade": the tables' owner makes or upgrades
// RS501's tables; desktops never change them. On a shared server create
// also makes the group roles rs501_desktop and rs501_admin and grants them
// their rights (upgrade renews the grants), and signs the login that ran it
// as the first, active user. Both may run again without harm.
class SchemaVerb {
public:
    // Throws InputError for an upgrade without tables, core::Error for a
    // login that does not own them or a database that refuses.
    static void run(const QString& action, ado::Connection& connection, QTextStream& out);
};

}  // namespace admin
