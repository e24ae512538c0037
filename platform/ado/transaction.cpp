#include "platform/ado/transaction.h"

#include <utility>

#include <QDebug>

#include "platform/core/error.h"

namespace ado {

Transaction::Transaction(Connection& connection) : connection_(&connection) {
    connection_->BeginTrans();
}

Transaction Transaction::adopt(Connection& connection) {
    if (!connection.InTransaction()) throw core::Error(QStringLiteral("No hay una transacción abierta que guardar."));
    return Transaction(connection, Open{});
}

Transaction::Transaction(Transaction&& other) noexcept : connection_(std::exchange(other.connection_, nullptr)) {}

Transaction::~Transaction() {
    if (!connection_) return;
    try {
        connection_->RollbackTrans();
    } catch (const core::Error& e) {
        // A destructor must not throw; the engine ends the transaction anyway
        // when the connection goes.
        qWarning() << "rollback failed:" << e.description();
    }
}

void Transaction::commit() {
    if (!connection_) throw core::Error(QStringLiteral("No hay una transacción abierta que confirmar."));
    connection_->CommitTrans();
    connection_ = nullptr;
}

void Transaction::rollback() {
    if (!connection_) throw core::Error(QStringLiteral("No hay una transacción abierta que deshacer."));
    Connection* connection = std::exchange(connection_, nullptr);
    connection->RollbackTrans();
}

}  // namespace ado
