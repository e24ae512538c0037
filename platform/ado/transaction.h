#pragma once

#include "platform/ado/connection.h"

namespace ado {

// Begins a transaction and rolls it back on scope exit unless committed.
// Discarding one at once would roll back before anything ran in it.
class [[nodiscard]] Transaction {
public:
    explicit Transaction(Connection& connection);
    // Guards the transaction already open on the connection (begun by a batch).
    static Transaction adopt(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    // The moved-from guard no longer owns the transaction.
    Transaction(Transaction&& other) noexcept;
    Transaction& operator=(Transaction&&) = delete;

    // Disarms only once the engine has committed: a refused commit may leave
    // the transaction open, and the guard still rolls it back.
    void commit();
    // Rolls back now, reporting a failure instead of swallowing it as the
    // destructor must.
    void rollback();
    bool open() const { return connection_ != nullptr; }

private:
    struct Open {};
    Transaction(Connection& connection, Open) : connection_(&connection) {}

    Connection* connection_;
};

}  // namespace ado
