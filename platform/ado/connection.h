#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QString>
#include <QVariantList>

#include "platform/ado/dialect.h"
#include "platform/ado/recordset.h"
#include "platform/core/error.h"

namespace ado {

// One statement and its bound values.
struct Statement {
    QString sql;
    QVariantList params{};
};

// What a batch of statements answered: the results of those that ran, in
// order, and the failure that stopped the rest, if one did.
struct BatchAnswer {
    std::vector<Recordset> results;
    std::optional<core::Error> failure;
};

// An open database connection. Every failure raises core::Error with the
// engine's own message; nothing fails silently.
class Connection {
public:
    virtual ~Connection();

    // Runs exactly one statement. Each "?" in the text takes the next
    // parameter, bound (never pasted into the text).
    virtual Recordset Execute(const QString& sql, const QVariantList& params = {}) = 0;
    // Runs one statement once per parameter list, in order, and returns the
    // results in that order. The first failure raises core::Error; an
    // engine may send the executions together, so a failure says nothing of
    // which ones ran before it.
    virtual std::vector<Recordset> ExecuteMany(const QString& sql, const std::vector<QVariantList>& paramLists);

    // Reads that are about to be made one after another, sent now together
    // (one round trip where the engine can); each later Execute of the same
    // text and values, in the same order, takes its answer from them. Only
    // outside a transaction; a read that failed, or a different statement
    // run in between, drops what is left, and those run when asked.
    virtual void ReadAhead(const std::vector<std::pair<QString, QVariantList>>& reads);
    // Runs the statements in order, the transaction begun (as BeginTrans
    // would) just before statement beginAt when that is not -1. The first
    // failure stops the statements after it and comes back in the answer, not
    // raised; a transaction begun stays open for the caller to end. An engine
    // may send them together, in one round trip.
    virtual BatchAnswer ExecuteBatch(const std::vector<Statement>& statements, int beginAt = -1);

    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    virtual void RollbackTrans() = 0;
    virtual bool InTransaction() const = 0;

    virtual const Dialect& dialect() const = 0;
    // The connection text with any password left out, for messages.
    virtual QString description() const = 0;
};

// Whether opening a SQLite file that is not there makes a new, private one.
enum class OpenMode { CreateFile, ExistingOnly };

// Opens a connection from its text: a file path or "sqlite:PATH" for SQLite,
// a "postgresql://" or "postgres://" URL or libpq's keyword form
// ("host=… dbname=…", "service=…") for PostgreSQL.
std::unique_ptr<Connection> open(const QString& connectionText, OpenMode mode = OpenMode::CreateFile);

// True when the text names a PostgreSQL database.
bool isPostgresText(const QString& connectionText);

}  // namespace ado
