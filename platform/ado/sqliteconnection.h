#pragma once

#include <chrono>
#include <unordered_map>

#include "platform/ado/connection.h"
#include "platform/ado/waitclock.h"

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

// SQLite in one file: WAL journal, a busy timeout so that two desktops on the
// same file wait for each other, write transactions that take the write lock
// at BEGIN, and statements kept prepared by their text. A lock wait and a
// long statement ask the installed wait hook whether to go on; told to
// stop, the statement is interrupted and fails, and its transaction is
// rolled back by the caller (or by SQLite itself).
class SqliteConnection : public Connection {
public:
    // A file that is not there is made readable by its owner only, since
    // reservations name people and purposes; without create it is refused.
    explicit SqliteConnection(const QString& path, bool create = true);
    ~SqliteConnection() override;

    Recordset Execute(const QString& sql, const QVariantList& params = {}) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override;
    const Dialect& dialect() const override { return dialect_; }
    QString description() const override { return path_; }

    static constexpr int kBusyTimeoutMs = 5000;

private:
    sqlite3_stmt* prepared(const QString& sql);
    void bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql);
    Recordset run(sqlite3_stmt* stmt, const QString& sql);
    [[noreturn]] void fail(const QString& sql) const;
    void clearCache();
    void refuseIfDamaged();
    static void createPrivateFile(const QString& path, bool create);
    static int onBusy(void* self, int count);
    static int onProgress(void* self);
    bool stopAsked();

    sqlite3* db_ = nullptr;
    QString path_;
    Dialect dialect_{Dialect::Engine::Sqlite};
    std::unordered_map<QString, sqlite3_stmt*> cache_;
    bool busy_ = false;  // a statement is running
    WaitClock* clock_ = nullptr;
    bool cancelled_ = false;
    std::chrono::steady_clock::time_point lockedSince_;
};

}  // namespace ado
