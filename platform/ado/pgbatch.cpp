#include "platform/ado/pgbatch.h"

#include <libpq-fe.h>

#include <algorithm>
#include <unordered_map>

#include "platform/ado/pgconnection.h"
#include "platform/ado/pgpipeline.h"
#include "platform/ado/pgvalues.h"
#include "platform/core/error.h"

namespace ado {

namespace {

// As for repeated executions: few enough that neither side's socket buffer
// fills while the other waits.
constexpr std::size_t kLimit = 1000;

}  // namespace

BatchAnswer PgBatch::run(PgConnection& c, const std::vector<Statement>& statements, int beginAt) {
    BatchAnswer answer;
    c.ahead_.clear();
    try {
        if (beginAt >= 0 && c.InTransaction())
            throw core::Error(QStringLiteral("Ya hay una transacción abierta en la conexión."));
        const PgConnection::Watch watch(c);
        c.ensureConnected();
        std::vector<Statement> all = statements;
        if (beginAt >= 0) all.insert(all.begin() + beginAt, Statement{QStringLiteral("BEGIN")});
        // Every value checked before the pipeline opens: a refusal halfway
        // through sending would leave answers unread.
        std::vector<PgValues> values;
        values.reserve(all.size());  // no reallocation: libpq reads through pointers into each
        for (const Statement& s : all) values.emplace_back(s.params);
        for (std::size_t from = 0; from < all.size() && !answer.failure; from += kLimit)
            runPiece(c, all, values, from, std::min(all.size(), from + kLimit), beginAt, answer);
    } catch (const core::Error& e) {
        if (!answer.failure) answer.failure = e;
    }
    return answer;
}

void PgBatch::runPiece(PgConnection& c, const std::vector<Statement>& all, const std::vector<PgValues>& values,
                       std::size_t from, std::size_t to, int beginAt, BatchAnswer& answer) {
    if (c.prepared_.size() + (to - from) > PgConnection::kPreparedLimit) {
        c.prepared_.clear();
        PQclear(c.send(QStringLiteral("DEALLOCATE ALL")));
    }
    Sent sent;
    {
        const PgPipeline pipeline(c.conn_, all[from].sql);
        sent = send(c, all, values, from, to);
        receive(c, all, from, to, sent, beginAt, answer);
    }
    if (answer.failure) return;  // a preparation after the failure never ran
    for (std::size_t i = from; i < to; ++i)
        if (sent.fresh[i - from]) c.prepared_.emplace(all[i].sql, QString::fromLatin1(sent.names[i - from]));
}

PgBatch::Sent PgBatch::send(PgConnection& c, const std::vector<Statement>& all, const std::vector<PgValues>& values,
                            std::size_t from, std::size_t to) {
    Sent sent;
    std::unordered_map<QString, QByteArray> preparedNow;  // a text sent twice is prepared once
    for (std::size_t i = from; i < to; ++i) {
        const QString& sql = all[i].sql;
        bool isNew = false;
        QByteArray name;
        if (values[i].count()) {
            auto it = preparedNow.find(sql);
            name = it != preparedNow.end() ? it->second : c.preparedName(sql, values[i].count(), isNew);
            if (isNew) preparedNow.emplace(sql, name);
        }
        sent.names.push_back(name);
        sent.fresh.push_back(isNew);
        const int ok = name.isEmpty()
                           ? PQsendQueryParams(c.conn_, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0)
                           : PQsendQueryPrepared(c.conn_, name.constData(), values[i].count(), values[i].values.data(),
                                                 nullptr, nullptr, 0);
        if (ok != 1) throw core::Error(c.lastMessage(), sql);
    }
    if (PQpipelineSync(c.conn_) != 1) throw core::Error(c.lastMessage());
    return sent;
}

// Every answer up to the sync point is read, even after a failure, so the
// session is ready for the next statement; BEGIN's answer opens the
// transaction and is not handed back.
void PgBatch::receive(PgConnection& c, const std::vector<Statement>& all, std::size_t from, std::size_t to,
                      const Sent& sent, int beginAt, BatchAnswer& answer) {
    for (std::size_t i = from; i < to; ++i) {
        std::vector<Recordset> one;
        c.receiveResults(sent.fresh[i - from], 1, all[i].sql, one, answer.failure);
        if (one.empty()) continue;
        if (static_cast<int>(i) == beginAt)
            c.transaction_ = true;
        else
            answer.results.push_back(std::move(one.front()));
    }
    c.drainToSync(all[to - 1].sql);
    if (answer.failure && !c.alive()) answer.failure = c.lost(answer.failure->statement());
}

}  // namespace ado
