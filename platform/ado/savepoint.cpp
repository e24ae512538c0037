#include "platform/ado/savepoint.h"

#include <QDebug>

#include "platform/core/error.h"

namespace ado {

Savepoint::Savepoint(Connection& connection) : connection_(connection), open_(connection.InTransaction()) {
    // Outside a transaction every statement stands alone: nothing to mark.
    if (open_) connection_.Execute(kMark);
}

Savepoint::~Savepoint() {
    if (open_) undo(connection_);
}

void Savepoint::undo(Connection& connection) {
    try {
        connection.Execute(QStringLiteral("ROLLBACK TO SAVEPOINT rs_paso"));
        connection.Execute(kRelease);
    } catch (const core::Error& e) {
        // The transaction stays spoiled; its owner's commit or rollback ends it.
        qWarning() << "rollback to savepoint failed:" << e.description();
    }
}

void Savepoint::release() {
    if (!open_) return;
    connection_.Execute(kRelease);
    open_ = false;
}

}  // namespace ado
