#include "platform/ado/pgrepeated.h"

#include <libpq-fe.h>

#include <algorithm>

#include "platform/ado/pgconnection.h"
#include "platform/ado/pgpipeline.h"
#include "platform/ado/pgvalues.h"
#include "platform/core/error.h"

namespace ado {

namespace {

// Executions sent before their results are read: enough for a month of
// slot cells in one round trip, few enough that neither side's socket
// buffer fills while the other waits.
constexpr std::size_t kBatchLimit = 1000;

}  // namespace

// Sends the executions together in pipeline mode, behind the statement's
// preparation when this session has not prepared it yet: one round trip
// per batch, the first one included.
std::vector<Recordset> PgRepeated::run(PgConnection& c, const QString& sql,
                                       const std::vector<QVariantList>& paramLists) {
    std::vector<Recordset> out;
    out.reserve(paramLists.size());
    for (std::size_t from = 0; from < paramLists.size(); from += kBatchLimit) {
        const std::size_t to = std::min(paramLists.size(), from + kBatchLimit);
        c.makeRoomFor(sql);
        const PgPipeline pipeline(c.conn_, sql);
        bool fresh = false;
        const QByteArray name = send(c, sql, paramLists, from, to, fresh);
        c.receiveBatch(fresh, to - from, sql, out);
        if (fresh) c.prepared_.emplace(sql, QString::fromLatin1(name));
    }
    return out;
}

// Every value is checked before anything is sent: a batch cut short would
// leave the connection waiting for a sync that never comes.
// Returns the prepared name; fresh: the preparation went ahead of them.
QByteArray PgRepeated::send(PgConnection& c, const QString& sql, const std::vector<QVariantList>& paramLists,
                            std::size_t from, std::size_t to, bool& fresh) {
    std::vector<PgValues> values;
    values.reserve(to - from);  // no reallocation: libpq reads through pointers into each
    for (std::size_t i = from; i < to; ++i) values.emplace_back(paramLists[i]);
    const QByteArray name = c.preparedName(sql, static_cast<int>(paramLists[from].size()), fresh);
    for (const PgValues& p : values)
        if (PQsendQueryPrepared(c.conn_, name.constData(), p.count(), p.values.data(), nullptr, nullptr, 0) != 1)
            throw core::Error(c.lastMessage());
    if (PQpipelineSync(c.conn_) != 1) throw core::Error(c.lastMessage());
    return name;
}

}  // namespace ado
