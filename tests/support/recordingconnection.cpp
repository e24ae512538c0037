#include "tests/support/recordingconnection.h"

#include "platform/core/error.h"

namespace testsupport {

void RecordingConnection::record(const QString& sql, const QVariantList& params) {
    statements << sql;
    values << params;
    if (static_cast<int>(statements.size()) == hookAt_) hook_();
    if (static_cast<int>(statements.size()) != failAt_) return;
    if (endsTransaction_) inner_.RollbackTrans();
    throw core::Error(QStringLiteral("fallo simulado de la base de datos"), sql);
}

ado::Recordset RecordingConnection::Execute(const QString& sql, const QVariantList& params) {
    record(sql, params);
    return inner_.Execute(sql, params);
}

ado::BatchAnswer RecordingConnection::ExecuteBatch(const std::vector<ado::Statement>& batch, int beginAt) {
    const qsizetype first = statements.size() + 1, end = first + static_cast<qsizetype>(batch.size()) + (beginAt >= 0);
    if ((failAt_ >= first && failAt_ < end) || (hookAt_ >= first && hookAt_ < end)) return Connection::ExecuteBatch(batch, beginAt);
    for (std::size_t i = 0; i <= batch.size(); ++i) {
        if (static_cast<int>(i) == beginAt) record(QStringLiteral("BEGIN"));
        if (i < batch.size()) record(batch[i].sql, batch[i].params);
    }
    return inner_.ExecuteBatch(batch, beginAt);
}

void RecordingConnection::BeginTrans() {
    record(QStringLiteral("BEGIN"));
    inner_.BeginTrans();
}

// Fails before the engine commits, leaving the transaction open as a commit
// refused by the engine may.
void RecordingConnection::CommitTrans() {
    record(QStringLiteral("COMMIT"));
    inner_.CommitTrans();
}

void RecordingConnection::RollbackTrans() {
    statements << QStringLiteral("ROLLBACK");
    values << QVariantList();
    inner_.RollbackTrans();
}

}  // namespace testsupport
