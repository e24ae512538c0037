#pragma once

#include <QString>

namespace ado {

// What differs between the two engines, so that callers write one statement.
class Dialect {
public:
    enum class Engine { Sqlite, Postgres };

    explicit Dialect(Engine engine) : engine_(engine) {}

    Engine engine() const { return engine_; }
    QString name() const;

    // Column types.
    QString dateType() const;       // a calendar day, written 'yyyy-MM-dd'
    QString timestampType() const;  // written 'yyyy-MM-dd hh:mm:ss'
    QString bigintType() const;
    QString autoIdColumn() const;   // an integer key the database numbers

    // A CHECK condition that the column holds a 24-hour "hh:nn" text.
    QString timeTextCheck(const QString& column) const;

    // An expression for the server's local date and time, to the second.
    QString nowExpression() const;
    // A query returning one row with the server's local date and time as
    // 'yyyy-MM-dd hh:mm:ss'.
    QString serverNowQuery() const;

    // An expression giving the column as a whole number when it holds only
    // decimal digits (at most 18), else NULL.
    QString digitsValue(const QString& column) const;

    // A query returning the names of the tables present, one per row.
    QString tableNamesQuery() const;

private:
    Engine engine_;
};

}  // namespace ado
