#pragma once

#include <QDate>
#include <QString>

namespace admin {

// Checks of the values the command is given, before any of them reaches
// the database. Each throws InputError with a message naming the value.
class Field {
public:
    // The value trimmed; refused when empty (unless optional), when it has
    // more characters (code points) than the column of table holds, or when
    // it holds a control, format or zero-width character (a tab or line
    // break would also break the listings).
    static QString text(const QString& value, const QString& table, const QString& column, const QString& label,
                        bool optional = false);
    // A calendar day written AAAA-MM-DD.
    static QDate date(const QString& value);
    // The declared width of a column; 0 for an unbounded one.
    static int width(const QString& table, const QString& column);
};

}  // namespace admin
