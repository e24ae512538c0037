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

BatchAnswer Connection::ExecuteBatch(const std::vector<Statement>& statements, int beginAt) {
    BatchAnswer answer;
    try {
        for (std::size_t i = 0; i <= statements.size(); ++i) {
            if (static_cast<int>(i) == beginAt) BeginTrans();
            if (i < statements.size()) answer.results.push_back(Execute(statements[i].sql, statements[i].params));
        }
    } catch (const core::Error& e) {
        answer.failure = e;
    }
    return answer;
}

}  // namespace ado
