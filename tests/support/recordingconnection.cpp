#include "tests/support/recordingconnection.h"

#include "platform/core/error.h"

namespace testsupport {

ado::Recordset RecordingConnection::Execute(const QString& sql, const QVariantList& params) {
    statements << sql;
    if (static_cast<int>(statements.size()) == failAt_)
        throw core::Error(QStringLiteral("fallo simulado de la base de datos"), sql);
    return inner_.Execute(sql, params);
}

void RecordingConnection::BeginTrans() {
    statements << QStringLiteral("BEGIN");
    inner_.BeginTrans();
}

void RecordingConnection::CommitTrans() {
    statements << QStringLiteral("COMMIT");
    inner_.CommitTrans();
}

void RecordingConnection::RollbackTrans() {
    statements << QStringLiteral("ROLLBACK");
    inner_.RollbackTrans();
}

}  // namespace testsupport
