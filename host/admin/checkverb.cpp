#include "host/admin/checkverb.h"

#include "host/admin/inputerror.h"
#include "host/schema/roles.h"
#include "platform/core/error.h"

namespace admin {

namespace {
constexpr int kMostProblemsShown = 20;
}

QString CheckVerb::serverRefusal(const QString& display) {
    return QStringLiteral("El servidor PostgreSQL comprueba sus propias páginas; use su herramienta:\n"
                          "  pg_amcheck --dbname='%1'")
        .arg(display);
}

QStringList CheckVerb::problems(ado::Connection& connection) {
    ado::Recordset rs =
        connection.Execute(QStringLiteral("PRAGMA integrity_check(%1)").arg(kMostProblemsShown));
    QStringList found;
    for (; !rs.Eof(); rs.MoveNext()) found << rs.Fields(0).Value.toString();
    if (found == QStringList{QStringLiteral("ok")}) return {};
    return found;
}

void CheckVerb::run(ado::Connection& connection, QTextStream& out) {
    if (schema::Roles::apply(connection))
        throw InputError(serverRefusal(connection.description()));
    const QStringList found = problems(connection);
    if (!found.isEmpty())
        throw core::Error(QStringLiteral("La base de datos %1 está dañada:\n  %2\nRestaure una copia de respaldo o "
                                         "repárela con la herramienta sqlite3 (.recover).")
                              .arg(connection.description(), found.join(QStringLiteral("\n  "))));
    out << QStringLiteral("La base de datos %1 está íntegra (PRAGMA integrity_check: ok).").arg(connection.description())
        << Qt::endl;
}

}  // namespace admin
