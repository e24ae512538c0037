#pragma once

#include <QString>
#include <QVariantList>

#include "platform/ado/connection.h"

namespace services {

// Hands out the next number of a named counter. The counter row is raised
// with one UPDATE ... RETURNING, whose row lock makes a second desktop wait
// until the first one's transaction ends, so no number is handed out twice;
// a number taken inside a transaction that rolls back is handed out again.
// A counter that does not exist yet starts from the highest number already
// in the column it numbers.
class Numbering {
public:
    explicit Numbering(ado::Connection& connection) : connection_(connection) {}

    // seedQuery returns one row whose first column is the highest number in
    // use (NULL when none). count > 1 takes that many numbers with one raise
    // and returns the last of them.
    qint64 next(const QString& counter, const QString& seedQuery, const QVariantList& seedParams = {}, int count = 1);

private:
    qint64 raise(const QString& counter, int count);

    ado::Connection& connection_;
};

}  // namespace services
