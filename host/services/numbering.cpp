#include "host/services/numbering.h"

#include <optional>

#include "platform/ado/transaction.h"

namespace services {

qint64 Numbering::raise(const QString& counter, int count) {
    ado::Recordset rs =
        count == 1 ? connection_.Execute(QStringLiteral("UPDATE Consecutivo SET Co_Valor = Co_Valor + 1 WHERE "
                                                        "Co_Nombre = ? RETURNING Co_Valor"),
                                         {counter})
                   : connection_.Execute(QStringLiteral("UPDATE Consecutivo SET Co_Valor = Co_Valor + ? WHERE "
                                                        "Co_Nombre = ? RETURNING Co_Valor"),
                                         {count, counter});
    return rs.Eof() ? -1 : rs.Fields(0).Value.toLongLong();
}

qint64 Numbering::next(const QString& counter, const QString& seedQuery, const QVariantList& seedParams, int count) {
    // Outside a caller's transaction the seeding and the raise still go
    // together.
    std::optional<ado::Transaction> own;
    if (!connection_.InTransaction()) own.emplace(connection_);
    qint64 value = raise(counter, count);
    if (value < 0) {
        ado::Recordset highest = connection_.Execute(seedQuery, seedParams);
        const qint64 start = highest.Eof() ? 0 : highest.Fields(0).Value.toLongLong();
        connection_.Execute(
            QStringLiteral("INSERT INTO Consecutivo (Co_Nombre, Co_Valor) VALUES (?, ?) ON CONFLICT DO NOTHING"),
            {counter, start});
        value = raise(counter, count);
    }
    if (own) own->commit();
    return value;
}

}  // namespace services
