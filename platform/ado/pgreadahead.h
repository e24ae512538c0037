#pragma once

#include <deque>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>

#include "platform/ado/connection.h"

namespace ado {

class PgConnection;

// Reads sent together on one PostgreSQL session in pipeline mode, their
// answers kept until asked for in the same order.
class PgReadAhead {
public:
    using Reads = std::vector<std::pair<QString, QVariantList>>;

    void run(PgConnection& c, const Reads& reads);
    // The next answer when it is the one asked for; any other question
    // drops every answer kept.
    std::optional<Recordset> take(const QString& sql, const QVariantList& params);
    void clear() { answers_.clear(); }

private:
    struct Answer {
        QString sql;
        QVariantList params;
        Recordset rows;
    };
    static void send(PgConnection& c, const Reads& reads, std::vector<bool>& fresh, std::vector<QByteArray>& names);
    void receive(PgConnection& c, const Reads& reads, const std::vector<bool>& fresh,
                 const std::vector<QByteArray>& names);

    std::deque<Answer> answers_;  // read ahead, not yet asked for
};

}  // namespace ado
