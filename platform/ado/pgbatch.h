#pragma once

#include <vector>

#include "platform/ado/connection.h"

namespace ado {

class PgConnection;

// Statements of different texts sent together on one PostgreSQL session in
// pipeline mode, BEGIN among them when asked: one round trip per thousand.
class PgBatch {
public:
    static BatchAnswer run(PgConnection& connection, const std::vector<Statement>& statements, int beginAt);

private:
    static void receive(PgConnection& c, const std::vector<Statement>& sent, std::size_t from, std::size_t to,
                        int beginAt, BatchAnswer& answer);
};

}  // namespace ado
