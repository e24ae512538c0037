#pragma once

#include <chrono>
#include <unordered_map>

#include "platform/ado/connection.h"

namespace core {
class Error;
}

struct pg_conn;
struct pg_result;

namespace ado {

// PostgreSQL through libpq. Every statement goes through the extended
// protocol, which carries one statement per call; parameterised statements
// are prepared once per text. The session runs with UTF-8 and
// standard_conforming_strings on, so a backslash in a quoted value is never
// an escape. A server that does not answer within the answer wait is left:
// the connection is closed and the statement fails. A lost connection is
// re-established on the next statement, but never in the middle of a
// transaction: its remaining statements and its commit fail, so none of
// them can run on their own in a new session.
class PgConnection : public Connection {
public:
    explicit PgConnection(const QString& url);
    ~PgConnection() override;

    Recordset Execute(const QString& sql, const QVariantList& params = {}) override;
    // Sends the executions together in pipeline mode: one round trip per
    // batch instead of one per execution.
    std::vector<Recordset> ExecuteMany(const QString& sql, const std::vector<QVariantList>& paramLists) override;
    // Sends the statements, BEGIN among them when asked, together in
    // pipeline mode: one round trip (a text used for the first time is
    // prepared before).
    BatchAnswer ExecuteBatch(const std::vector<Statement>& statements, int beginAt = -1) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override;
    const Dialect& dialect() const override { return dialect_; }
    QString description() const override;

    // How long to wait for the server's answer to one statement before
    // giving up on it; longer than the session's statement time-out, so a
    // server that is merely slow reports its own error first.
    void setAnswerWait(std::chrono::milliseconds wait) { answerWait_ = wait; }

private:
    friend class PgBatch;  // sends statements together on this session

    void setUpSession();
    bool alive() const;
    void ensureConnected();
    void reconnectIfLost();
    pg_result* send(const QString& sql, const QVariantList& params);
    pg_result* finish(const QString& sql);
    pg_result* nextResult(const QString& sql);
    [[noreturn]] void abandon(const QString& sql);
    core::Error lost(const QString& sql) const;
    QString outcome(const QString& sql) const;
    void sendBatch(const QByteArray& name, const std::vector<QVariantList>& paramLists, std::size_t from,
                   std::size_t to);
    void receiveBatch(std::size_t count, const QString& sql, std::vector<Recordset>& out);
    QString preparedName(const QString& sql, int paramCount);
    Recordset collect(pg_result* result, const QString& sql);
    QString lastMessage() const;
    QString withoutPassword(QString text) const;

    pg_conn* conn_ = nullptr;
    QString url_;
    Dialect dialect_{Dialect::Engine::Postgres};
    std::unordered_map<QString, QString> prepared_;
    int nextName_ = 1;
    bool transaction_ = false;  // BEGIN answered, COMMIT or ROLLBACK not yet asked for
    std::chrono::milliseconds answerWait_{std::chrono::seconds(45)};
};

}  // namespace ado
