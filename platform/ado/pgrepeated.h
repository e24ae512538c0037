#pragma once

#include <vector>

#include <QByteArray>

#include "platform/ado/connection.h"

namespace ado {

class PgConnection;

// One statement executed with many value lists on one PostgreSQL session in
// pipeline mode, behind its preparation when the session has not prepared
// it yet: one round trip per thousand executions.
class PgRepeated {
public:
    static std::vector<Recordset> run(PgConnection& c, const QString& sql, const std::vector<QVariantList>& paramLists);

private:
    static QByteArray send(PgConnection& c, const QString& sql, const std::vector<QVariantList>& paramLists,
                           std::size_t from, std::size_t to, bool& fresh);
};

}  // namespace ado
