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

}  // namespace bench
