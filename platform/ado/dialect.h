#pragma once

#include <QString>
#include <QStringList>

namespace ado {

// What differs between the two engines, so that callers write one statement.
class Dialect {
public:
    enum class Engine { Sqlite, Postgres };

    explicit Dialect(Engine engine) : engine_(engine) {}

    QString name() const;

    // Column types.
    QString dateType() const;       // a calendar day, written 'yyyy-MM-dd'
    QString timestampType() const;  // written 'yyyy-MM-dd hh:mm:ss'
    QString bigintType() const;
    QString autoIdColumn() const;   // an integer key the database numbers
    // A text column of at most maxLength characters; 0 means unbounded.
    QString textType(const QString& column, int maxLength) const;
    // Statements that turn a column created as VARCHAR(maxLength) into the
    // checked text textType gives; none where it always was one.
    QStringList checkedTextUpgrade(const QString& table, const QString& column, int maxLength) const;

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

    // A statement that makes transactions running it with the same key wait
    // for each other until they end; empty where BEGIN already does so
    // (SQLite takes the write lock at BEGIN).
    QString transactionLock(int key) const;

    // A query returning the names of the tables present, one per row.
    QString tableNamesQuery() const;

    // Statements that make the table refuse, with message, a row written
    // while conflict (a condition on NEW.*) holds. Writes whose lockKey (an
    // expression on NEW.*) is equal wait for each other, so two at once
    // cannot both pass the check. dropGuard takes it away again.
    QStringList guardStatements(const QString& name, const QString& table, const QString& lockKey,
                                const QString& conflict, const QString& message) const;
    QStringList dropGuardStatements(const QString& name, const QString& table) const;

private:
    QString lengthCheck(const QString& column, int maxLength) const;

    Engine engine_;
};

}  // namespace ado
