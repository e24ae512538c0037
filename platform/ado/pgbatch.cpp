#include "platform/ado/pgbatch.h"

#include <libpq-fe.h>

#include <algorithm>

#include "platform/ado/paramvalues.h"
#include "platform/ado/pgconnection.h"
#include "platform/core/error.h"

namespace ado {

namespace {

// As for repeated executions: few enough that neither side's socket buffer
// fills while the other waits.
constexpr std::size_t kLimit = 1000;

// Sends one statement: prepared under name, or as it is when it has no values.
bool sendOne(pg_conn* conn, const QByteArray& name, const QString& sql, const ParamValues& p) {
    return (name.isEmpty()
                ? PQsendQueryParams(conn, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0)
                : PQsendQueryPrepared(conn, name.constData(), p.count(), p.values.data(), nullptr, nullptr, 0)) == 1;
}

}  // namespace

BatchAnswer PgBatch::run(PgConnection& c, const std::vector<Statement>& statements, int beginAt) {
    BatchAnswer answer;
    try {
        if (beginAt >= 0 && c.InTransaction())
            throw core::Error(QStringLiteral("Ya hay una transacción abierta en la conexión."));
        c.ensureConnected();
        std::vector<Statement> all = statements;
        if (beginAt >= 0) all.insert(all.begin() + beginAt, Statement{QStringLiteral("BEGIN")});
        // Prepared, and every value checked, before the pipeline opens: a
        // refusal halfway through sending would leave answers unread.
        std::vector<QByteArray> names;
        std::vector<ParamValues> values;
        values.reserve(all.size());
        for (const Statement& s : all) {
            values.emplace_back(s.params);
            names.push_back(s.params.isEmpty() ? QByteArray()
                                               : c.preparedName(s.sql, static_cast<int>(s.params.size())).toLatin1());
        }
        // In batches as ExecuteMany's, so no socket buffer fills; the first
        // failure stops the batches after it.
        for (std::size_t from = 0; from < all.size() && !answer.failure; from += kLimit) {
            const std::size_t to = std::min(all.size(), from + kLimit);
            if (PQenterPipelineMode(c.conn_) != 1) throw core::Error(c.lastMessage());
            struct Leave {
                pg_conn*& conn;  // gone if the server stopped answering
                ~Leave() {
                    if (conn) PQexitPipelineMode(conn);
                }
            } leave{c.conn_};
            for (std::size_t i = from; i < to; ++i)
                if (!sendOne(c.conn_, names[i], all[i].sql, values[i])) throw core::Error(c.lastMessage(), all[i].sql);
            if (PQpipelineSync(c.conn_) != 1) throw core::Error(c.lastMessage());
            receive(c, all, from, to, beginAt, answer);
        }
    } catch (const core::Error& e) {
        if (!answer.failure) answer.failure = e;
    }
    return answer;
}

// As PgConnection::receiveBatch, keeping each statement's answer until the first failure;
// BEGIN's answer opens the transaction and is not handed back.
void PgBatch::receive(PgConnection& c, const std::vector<Statement>& sent, std::size_t from, std::size_t to,
                      int beginAt, BatchAnswer& answer) {
    for (std::size_t i = from; i < to; ++i) {
        const QString& sql = sent[i].sql;
        PGresult* r = c.nextResult(sql);
        if (!r) {
            if (!answer.failure) answer.failure = core::Error(c.lastMessage(), sql);
            break;
        }
        if (answer.failure) {
            PQclear(r);
        } else {
            try {
                Recordset rs = c.collect(r, sql);
                if (static_cast<int>(i) == beginAt)
                    c.transaction_ = true;
                else
                    answer.results.push_back(std::move(rs));
            } catch (const core::Error& e) {
                answer.failure = e;
            }
        }
        while (PGresult* end = c.nextResult(sql)) PQclear(end);
    }
    const QString last = sent[to - 1].sql;
    while (PGresult* r = c.nextResult(last)) {
        const bool sync = PQresultStatus(r) == PGRES_PIPELINE_SYNC;
        PQclear(r);
        if (sync) break;
    }
    if (answer.failure && !c.alive()) answer.failure = c.lost(answer.failure->statement());
}

}  // namespace ado
