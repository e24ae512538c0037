#pragma once

#include <vector>

#include <QByteArray>

#include "platform/ado/connection.h"

namespace ado {

class PgConnection;
class PgValues;

// Statements of different texts sent together on one PostgreSQL session in
// pipeline mode, BEGIN among them when asked: one round trip per thousand,
// a text's first preparation travelling with its first execution.
class PgBatch {
public:
    static BatchAnswer run(PgConnection& connection, const std::vector<Statement>& statements, int beginAt);

private:
    struct Sent {
        std::vector<QByteArray> names;  // empty for a statement without values
        std::vector<bool> fresh;        // prepared in this piece
    };
    static void runPiece(PgConnection& c, const std::vector<Statement>& all, const std::vector<PgValues>& values,
                         std::size_t from, std::size_t to, int beginAt, BatchAnswer& answer);
    static Sent send(PgConnection& c, const std::vector<Statement>& all, const std::vector<PgValues>& values,
                     std::size_t from, std::size_t to);
    static void receive(PgConnection& c, const std::vector<Statement>& all, std::size_t from, std::size_t to,
                        const Sent& sent, int beginAt, BatchAnswer& answer);
};

}  // namespace ado
