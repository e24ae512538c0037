#include "tests/support/recordingconnection.h"

#include "platform/core/error.h"

namespace testsupport {

void RecordingConnection::record(const QString& sql) {
    statements << sql;
    if (static_cast<int>(statements.size()) == hookAt_) hook_();
    if (static_cast<int>(statements.size()) != failAt_) return;
    if (endsTransaction_) inner_.RollbackTrans();
    throw core::Error(QStringLiteral("fallo simulado de la base de datos"), sql);
}

ado::Recordset RecordingConnection::Execute(const QString& sql, const QVariantList& params) {
    values << params;
    record(sql);
    return inner_.Execute(sql, params);
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
    inner_.RollbackTrans();
}

}  // namespace testsupport
