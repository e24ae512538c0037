#include "platform/ado/connection.h"
#include "platform/ado/connectiontext.h"
#include "platform/ado/pgconnection.h"
#include "platform/ado/sqliteconnection.h"
#include "platform/core/error.h"

namespace ado {

bool isPostgresText(const QString& text) {
    return ConnectionText::isPostgres(text);
}

std::unique_ptr<Connection> open(const QString& connectionText, OpenMode mode) {
    const QString text = connectionText.trimmed();
    if (text.isEmpty()) throw core::Error(QStringLiteral("No se indicó la base de datos."));
    if (isPostgresText(text)) return std::make_unique<PgConnection>(text);
    const QString path = text.startsWith(QLatin1String("sqlite:")) ? text.mid(7) : text;
    if (path.isEmpty()) throw core::Error(QStringLiteral("La ruta del archivo de base de datos está vacía."));
    // A URI or an in-memory name would open something other than the file
    // named, and an in-memory database loses every reservation at exit.
    if (path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) || path.startsWith(QLatin1Char(':')))
        throw core::Error(QStringLiteral("\"%1\" no es la ruta de un archivo de base de datos; no se admiten URI ni "
                                         "bases en memoria de SQLite.")
                              .arg(path));
    return std::make_unique<SqliteConnection>(path, mode == OpenMode::CreateFile);
}

}  // namespace ado
