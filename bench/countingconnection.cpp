#include "bench/countingconnection.h"

namespace bench {

ado::Recordset CountingConnection::Execute(const QString& sql, const QVariantList& params) {
    ++statements_;
    return inner_->Execute(sql, params);
}

void CountingConnection::BeginTrans() {
    ++statements_;
    inner_->BeginTrans();
}

void CountingConnection::CommitTrans() {
    ++statements_;
    inner_->CommitTrans();
}

void CountingConnection::RollbackTrans() {
    ++statements_;
    inner_->RollbackTrans();
}

std::vector<ado::Recordset> CountingConnection::ExecuteMany(const QString& sql,
                                                        const std::vector<QVariantList>& paramLists) {
    statements_ += static_cast<long long>(paramLists.size());
    return inner_->ExecuteMany(sql, paramLists);
}

ado::BatchAnswer CountingConnection::ExecuteBatch(const std::vector<ado::Statement>& statements, int beginAt) {
    statements_ += static_cast<long long>(statements.size()) + (beginAt >= 0 ? 1 : 0);
    return inner_->ExecuteBatch(statements, beginAt);
}

}  // namespace bench
