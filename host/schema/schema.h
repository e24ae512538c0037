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
    int since = 1;         // the schema version that added it
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
    static constexpr int kVersion = 3;

    // What a database holds for us, as a start finds it.
    enum class State { Empty, Foreign, Old, Current };

    static const std::vector<Table>& tables();
    static const Table* findTable(const QString& name);  // case-blind
    static bool hasColumn(const QString& table, const QString& column);

    // The CREATE statements for one engine, tables first, then indexes.
    static QStringList createStatements(const ado::Dialect& dialect);

    // Reads, without writing or locking anything, whether our tables are
    // missing (Empty, or Foreign beside another application's), older than
    // this program or current; stored, when given, gets the version. Throws
    // for a newer version, for ours with a table gone, and for a login that
    // may not read our tables.
    static State inspect(ado::Connection& connection, int* stored = nullptr);

    // Creates or upgrades what is missing in one transaction and records
    // the version; firstUser, when given, becomes an active user if the
    // tables were made now, and grantRoles gives the group roles their
    // rights (PostgreSQL). Returns whether the tables were made now. Throws, touching
    // nothing, when the database carries a newer version than this program,
    // when it records our version but lacks one of our tables (its data
    // would be gone), or when it holds tables of another application and no
    // schema of ours, unless adopt says to create ours beside them.
    static bool ensure(ado::Connection& connection, bool adopt = false, const QString& firstUser = {},
                       bool grantRoles = false);

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
    static void refuseNewer(int stored);
    static void refuseDamaged(const ado::Connection& connection, const QStringList& present, int stored);
    static void refuseForeignOrDamaged(const ado::Connection& connection, const QStringList& present, int stored,
                                       bool adopt);
};

}  // namespace schema
