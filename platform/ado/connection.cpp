#include "platform/ado/connection.h"

namespace ado {

Connection::~Connection() = default;

void Connection::ReadAhead(const std::vector<std::pair<QString, QVariantList>>&) {}

std::vector<Recordset> Connection::ExecuteMany(const QString& sql, const std::vector<QVariantList>& paramLists) {
    std::vector<Recordset> out;
    out.reserve(paramLists.size());
    for (const QVariantList& params : paramLists) out.push_back(Execute(sql, params));
    return out;
}

}  // namespace ado
