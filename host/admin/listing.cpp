#include "host/admin/listing.h"

namespace admin {

void Listing::print(QTextStream& out, const QStringList& values) {
    QStringList clean;
    for (QString value : values) {
        for (QChar& c : value)
            if (c.category() == QChar::Other_Control) c = QLatin1Char(' ');
        clean << value;
    }
    out << clean.join(QLatin1Char('\t')) << '\n';
}

void Listing::print(QTextStream& out, ado::Recordset rs) {
    for (; !rs.Eof(); rs.MoveNext()) {
        QStringList values;
        for (int i = 0; i < rs.FieldCount(); ++i) values << rs.Fields(i).Value.toString();
        print(out, values);
    }
}

}  // namespace admin
