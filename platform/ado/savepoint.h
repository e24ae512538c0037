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

    // The statements a step is made of, for a caller that sends them with
    // others; undo does what the guard does on scope exit, quietly.
    static inline const QString kMark = QStringLiteral("SAVEPOINT rs_paso");
    static inline const QString kRelease = QStringLiteral("RELEASE SAVEPOINT rs_paso");
    static void undo(Connection& connection);

private:
    Connection& connection_;
    bool open_;
};

}  // namespace ado
