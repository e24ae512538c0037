#pragma once

#include "platform/ado/connection.h"

namespace ado {

// Begins a transaction and rolls it back on scope exit unless committed.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& connection_;
    bool open_ = true;
};

}  // namespace ado
