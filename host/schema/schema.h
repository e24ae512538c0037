#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include "platform/ado/connection.h"

namespace schema {

// One column as both engines create it.
struct Column {
    enum class Kind { Text, Date, Timestamp, TimeText, Integer, AutoId };
    QString name;
    Kind kind = Kind::Text;
    int maxLength = 0;  // Text and TimeText: 0 means unbounded
    bool notNull = false;
    QString defaultValue;  // SQL literal, e.g. "''" or "'AC'"
};

struct Index {
    QString name;
    QStringList columns;
};

struct Table {
    QString name;
    std::vector<Column> columns;
    QStringList primaryKey;
    std::vector<Index> indexes;
};

// The tables of the reservation module and of the host services around it.
class Schema {
public:
    static constexpr int kVersion = 2;

    static const std::vector<Table>& tables();
    static const Table* findTable(const QString& name);  // case-blind
    static bool hasColumn(const QString& table, const QString& column);

    // The CREATE statements for one engine, tables first, then indexes.
    static QStringList createStatements(const ado::Dialect& dialect);

    // Creates what is missing in one transaction and records the version.
    // Throws, touching nothing, when the database carries a newer version
    // than this program, when it records our version but lacks one of our
    // tables (its data would be gone), or when it holds tables of another
    // application and no schema of ours, unless adopt says to create ours
    // beside them.
    static void ensure(ado::Connection& connection, bool adopt = false);

    // With on, the database itself refuses a second active reservation of a
    // room whose times overlap another's on the same day (touching ones
    // pass), whichever desktop writes it; off takes that away. Off is the
    // default: the editor's own check is the designed rule.
    static void setOverlapGuard(ado::Connection& connection, bool on);

    // Reads the stored version; 0 for a database without our tables.
    static int storedVersion(ado::Connection& connection);

    // The name of the counter that numbers a key column, optionally within
    // the rows whose filter column holds a value.
    static QString counterName(const QString& table, const QString& column, const QString& filterColumn = {},
                               const QString& filterValue = {});

private:
    static QStringList tableNames(ado::Connection& connection);
    static int storedVersion(ado::Connection& connection, const QStringList& present);
    static void refuseForeignOrDamaged(const ado::Connection& connection, const QStringList& present, int stored,
                                       bool adopt);
};

}  // namespace schema
