#include "platform/ado/transaction.h"

#include <QDebug>

#include "platform/core/error.h"

namespace ado {

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.BeginTrans();
}

Transaction::~Transaction() {
    if (!open_) return;
    try {
        connection_.RollbackTrans();
    } catch (const core::Error& e) {
        // A destructor must not throw; the engine ends the transaction anyway
        // when the connection goes.
        qWarning() << "rollback failed:" << e.description();
    }
}

void Transaction::commit() {
    connection_.CommitTrans();
    // Only now is there nothing left to roll back: a commit that failed may
    // have left the transaction open.
    open_ = false;
}

}  // namespace ado
