#include "host/services/identifiers.h"

#include "host/schema/schema.h"
#include "platform/ado/sqltext.h"
#include "platform/core/error.h"

namespace services {

void Identifiers::requireTable(const QString& table) {
    if (!ado::isPlainIdentifier(table) || !schema::Schema::findTable(table))
        throw core::Error(QStringLiteral("Nombre de tabla no permitido: \"%1\".").arg(table));
}

void Identifiers::requireColumn(const QString& table, const QString& column) {
    requireTable(table);
    if (!ado::isPlainIdentifier(column) || !schema::Schema::hasColumn(table, column))
        throw core::Error(QStringLiteral("Nombre de columna no permitido: \"%1\" en la tabla %2.").arg(column, table));
}

}  // namespace services
