#include "platform/ado/pgreadahead.h"

#include <libpq-fe.h>

#include <unordered_map>

#include "platform/ado/pgconnection.h"
#include "platform/ado/pgpipeline.h"
#include "platform/ado/pgvalues.h"
#include "platform/core/error.h"

namespace ado {

std::optional<Recordset> PgReadAhead::take(const QString& sql, const QVariantList& params) {
    if (answers_.empty()) return std::nullopt;
    Answer next = std::move(answers_.front());
    answers_.pop_front();
    if (next.sql == sql && next.params == params) return std::move(next.rows);
    answers_.clear();  // the caller went another way
    return std::nullopt;
}

void PgReadAhead::run(PgConnection& c, const Reads& reads) {
    answers_.clear();
    if (reads.empty() || c.transaction_) return;
    const PgConnection::Watch watch(c);
    c.ensureConnected();
    if (c.prepared_.size() + reads.size() > PgConnection::kPreparedLimit) return;  // rare: asked one by one instead
    std::vector<bool> fresh;
    std::vector<QByteArray> names;
    {
        const PgPipeline pipeline(c.conn_, reads.front().first);
        send(c, reads, fresh, names);
        receive(c, reads, fresh, names);
    }
}

void PgReadAhead::send(PgConnection& c, const Reads& reads, std::vector<bool>& fresh, std::vector<QByteArray>& names) {
    std::vector<PgValues> values;
    values.reserve(reads.size());
    for (const auto& [sql, params] : reads) values.emplace_back(params);  // checked before anything is sent
    std::unordered_map<QString, QByteArray> preparedNow;  // a text read twice is prepared once
    for (std::size_t i = 0; i < reads.size(); ++i) {
        const QString& sql = reads[i].first;
        bool isNew = false;
        if (values[i].count() && preparedNow.count(sql))
            names.push_back(preparedNow[sql]);
        else if (values[i].count())
            names.push_back(c.preparedName(sql, values[i].count(), isNew));
        else
            names.emplace_back();
        if (isNew) preparedNow[sql] = names.back();
        fresh.push_back(isNew);
        const int sent = values[i].count()
                             ? PQsendQueryPrepared(c.conn_, names.back().constData(), values[i].count(),
                                                   values[i].values.data(), nullptr, nullptr, 0)
                             : PQsendQueryParams(c.conn_, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr,
                                                 nullptr, 0);
        if (sent != 1) throw core::Error(c.lastMessage(), sql);
    }
    if (PQpipelineSync(c.conn_) != 1) throw core::Error(c.lastMessage());
}

// Keeps every answer when all came; on a failure keeps none, so each read
// runs again when asked and says why then.
void PgReadAhead::receive(PgConnection& c, const Reads& reads, const std::vector<bool>& fresh,
                          const std::vector<QByteArray>& names) {
    std::vector<Recordset> answers;
    std::optional<core::Error> failure;
    for (std::size_t i = 0; i < reads.size(); ++i) c.receiveResults(fresh[i], 1, reads[i].first, answers, failure);
    c.drainToSync(reads.back().first);
    if (failure) return;
    for (std::size_t i = 0; i < reads.size(); ++i) {
        if (fresh[i]) c.prepared_.emplace(reads[i].first, QString::fromLatin1(names[i]));
        answers_.push_back({reads[i].first, reads[i].second, std::move(answers[i])});
    }
}

}  // namespace ado
