#pragma once

#include "platform/ado/connection.h"

namespace ado {

// Marks a point inside the caller's transaction, if there is one, and, on
// scope exit unless released, undoes everything run since, leaving the
// transaction usable.
// A statement that fails inside a PostgreSQL transaction spoils the whole
// transaction; rolling back to the mark is what lets the caller go on.
class Savepoint {
public:
    explicit Savepoint(Connection& connection);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    void release();

private:
    Connection& connection_;
    bool open_;
};

}  // namespace ado
