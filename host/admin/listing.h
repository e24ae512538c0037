#pragma once

#include <QStringList>
#include <QTextStream>

#include "platform/ado/recordset.h"

namespace admin {

// A listing as scripts read it: one line per row, its values separated by
// tabs, no heading. A tab or line break stored by other means is shown as a
// space, so a row always stays one line of the same columns.
class Listing {
public:
    static void print(QTextStream& out, const QStringList& values);
    // Every row of rs; a NULL is an empty value.
    static void print(QTextStream& out, ado::Recordset rs);
};

}  // namespace admin
