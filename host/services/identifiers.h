#pragma once

#include <QString>

namespace services {

// Generic look-ups take table and column names from their caller; only plain
// names of tables and columns the host knows may reach the SQL text.
class Identifiers {
public:
    // Throws core::Error unless table is a known table.
    static void requireTable(const QString& table);
    // Throws core::Error unless column is a plain name of a column of table.
    static void requireColumn(const QString& table, const QString& column);
};

}  // namespace services
