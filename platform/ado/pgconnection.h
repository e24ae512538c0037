#pragma once

#include <chrono>
#include <optional>
#include <unordered_map>

#include "platform/ado/connection.h"
#include "platform/ado/pgreadahead.h"
#include "platform/ado/waitclock.h"

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
// them can run on their own in a new session. While it waits for an answer
// the installed wait hook is asked whether to go on; told to stop, it
// cancels the statement on the server and closes the connection, so the
// server rolls back whatever was open and the next statement connects again.
class PgConnection : public Connection {
public:
    explicit PgConnection(const QString& url);
    ~PgConnection() override;

    Recordset Execute(const QString& sql, const QVariantList& params = {}) override;
    // Sends the executions together in pipeline mode: one round trip per
    // batch instead of one per execution.
    std::vector<Recordset> ExecuteMany(const QString& sql, const std::vector<QVariantList>& paramLists) override;
    void ReadAhead(const std::vector<std::pair<QString, QVariantList>>& reads) override;
    // Sends the statements, BEGIN among them when asked, together in
    // pipeline mode: one round trip per thousand, preparations included.
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
    friend class PgBatch;  // sends statements of different texts together on this session
    friend class PgRepeated;  // sends one statement's executions together on this session
    friend class PgReadAhead;  // sends reads together on this session, keeps their answers
    // One call's wait, from its first statement sent to its last answer read.
    struct Watch {
        explicit Watch(PgConnection& c) : connection(c) { connection.clock_.emplace(connection.busy_); }
        ~Watch() { connection.clock_.reset(); }
        PgConnection& connection;
    };
    static constexpr std::size_t kPreparedLimit = 256;  // prepared statements a session keeps

    Recordset run(const QString& sql, const QVariantList& params = {});
    void setUpSession();
    bool alive() const;
    void ensureConnected();
    void reconnectIfLost();
    pg_result* send(const QString& sql);
    void makeRoomFor(const QString& sql);
    pg_result* finish(const QString& sql);
    pg_result* nextResult(const QString& sql);
    [[noreturn]] void abandon(const QString& sql);
    [[noreturn]] void stop(const QString& sql);
    [[noreturn]] void drop(const QString& sql, const QString& why);
    core::Error lost(const QString& sql) const;
    QString outcome(const QString& sql) const;
    void receiveResults(bool prepared, std::size_t count, const QString& sql, std::vector<Recordset>& out,
                        std::optional<core::Error>& failure);
    void drainToSync(const QString& sql);
    void receiveBatch(bool prepared, std::size_t count, const QString& sql, std::vector<Recordset>& out);
    QByteArray preparedName(const QString& sql, int paramCount, bool& fresh);
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
    bool busy_ = false;  // a statement is out and its answer not yet read
    std::optional<WaitClock> clock_;
    PgReadAhead ahead_;  // reads sent together, answers not yet asked for
};

}  // namespace ado
