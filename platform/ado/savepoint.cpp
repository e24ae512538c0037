#include "platform/ado/savepoint.h"

#include <QDebug>

#include "platform/core/error.h"

namespace ado {

namespace {
const QString kName = QStringLiteral("rs_paso");
}

Savepoint::Savepoint(Connection& connection) : connection_(connection), open_(connection.InTransaction()) {
    // Outside a transaction every statement stands alone: nothing to mark.
    if (open_) connection_.Execute(QStringLiteral("SAVEPOINT ") + kName);
}

Savepoint::~Savepoint() {
    if (!open_) return;
    try {
        connection_.Execute(QStringLiteral("ROLLBACK TO SAVEPOINT ") + kName);
        connection_.Execute(QStringLiteral("RELEASE SAVEPOINT ") + kName);
    } catch (const core::Error& e) {
        // The transaction stays spoiled; its owner's commit or rollback ends it.
        qWarning() << "rollback to savepoint failed:" << e.description();
    }
}

void Savepoint::release() {
    if (!open_) return;
    connection_.Execute(QStringLiteral("RELEASE SAVEPOINT ") + kName);
    open_ = false;
}

}  // namespace ado
