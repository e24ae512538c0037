#pragma once

#include <vector>

#include <QDate>
#include <QString>

#include "platform/ado/connection.h"

namespace schema {

struct Holiday {
    QDate date;
    QString name;
};

// Sample rooms, clients, a user, the year's holidays and a few reservations,
// so that a first start shows a living calendar.
class DemoData {
public:
    static inline const QString kUser = QStringLiteral("DEMO");

    // Loads what is missing in one transaction; running it twice adds
    // nothing. Reservations are only added to an empty reservation table
    // whose numbering has not started, so no folio can collide.
    static void load(ado::Connection& connection, const QDate& today);

    // The same, but only into a database that holds no data yet (users
    // aside): demonstration rooms, holidays and a user with every
    // permission have no place among real ones. Throws core::Error,
    // touching nothing, otherwise.
    static void loadIntoEmpty(ado::Connection& connection, const QDate& today);

    // The national holidays of Mexico in one year (Federal Labour Law).
    static std::vector<Holiday> holidays(int year);
};

}  // namespace schema
