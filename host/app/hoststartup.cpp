#include "host/app/hoststartup.h"

#include <algorithm>

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include "host/app/databasefile.h"
#include "host/schema/demodata.h"
#include "host/schema/roles.h"
#include "host/schema/schema.h"
#include "platform/core/error.h"

namespace app {

namespace {

void prepareSchema(ado::Connection& connection, bool adopt) {
    int stored = 0;
    const schema::Schema::State state = schema::Schema::inspect(connection, &stored);
    if (state == schema::Schema::State::Current) return;
    if (!schema::Roles::apply(connection)) {
        schema::Schema::ensure(connection, adopt, schema::Roles::login(connection).toUpper());
        return;
    }
    if (state == schema::Schema::State::Old)
        throw core::Error(QStringLiteral("La base de datos %1 tiene la versión de esquema %2 y este programa usa la %3; "
                                         "la cuenta dueña de las tablas la actualiza con: rs501 admin schema upgrade")
                              .arg(connection.description())
                              .arg(stored)
                              .arg(schema::Schema::kVersion));
    throw core::Error(QStringLiteral("La base de datos %1 no tiene las tablas de RS501; la cuenta que será su dueña "
                                     "las crea con: rs501 admin schema create")
                          .arg(connection.description()));
}

}  // namespace

std::unique_ptr<ado::Connection> openDatabase(const HostOptions& options, bool* created) {
    const QString text = options.connectionText();
    bool isNew = false;
    if (text == HostOptions::defaultDatabasePath() && options.createDatabase) {
        const QFileInfo file(text);
        isNew = !file.exists();
        DatabaseFile::makePrivateFolder(file.absolutePath());
    }
    std::unique_ptr<ado::Connection> connection =
        ado::open(text, options.createDatabase ? ado::OpenMode::CreateFile : ado::OpenMode::ExistingOnly);
    if (created) *created = isNew;
    return connection;
}

std::unique_ptr<ado::Connection> openSchemaDatabase(const HostOptions& options, bool* created) {
    std::unique_ptr<ado::Connection> connection = openDatabase(options, created);
    prepareSchema(*connection, options.createSchema);
    return connection;
}

std::unique_ptr<ado::Connection> openHostDatabase(const HostOptions& options) {
    std::unique_ptr<ado::Connection> connection = openSchemaDatabase(options);
    try {
        if (!options.overlapGuard.isEmpty())
            schema::Schema::setOverlapGuard(*connection, options.overlapGuard == QLatin1String("on"));
    } catch (const core::Error& e) {
        if (!schema::Roles::apply(*connection)) throw;
        throw core::Error(QStringLiteral("--overlap-guard lo cambia solo la cuenta dueña de las tablas.\n%1")
                              .arg(e.description()),
                          e.statement());
    }
    // An office's new database starts empty: demonstration data only when asked.
    if (options.demo) schema::DemoData::loadIntoEmpty(*connection, QDate::currentDate());
    return connection;
}

void checkUser(ado::Connection& connection, const QString& user, bool named) {
    constexpr int kMaxLength = 30;  // the width of Us_Cve_Usuario
    if (user.isEmpty()) throw core::Error(QStringLiteral("No se indicó la clave del usuario que firma."));
    const bool control = std::any_of(user.begin(), user.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
    if (control || user.size() > kMaxLength)
        throw core::Error(QStringLiteral("La clave de usuario no es válida: debe tener de 1 a %1 caracteres, sin "
                                         "caracteres de control (tiene %2).")
                              .arg(kMaxLength)
                              .arg(user.size()));
    if (!named) return;
    const ado::Recordset rs = connection.Execute(
        QStringLiteral("SELECT COUNT(*) FROM Usuario WHERE Us_Cve_Usuario = ? AND Es_Cve_Estado <> 'BA'"), {user});
    if (rs.Fields(0).Value.toLongLong() == 0)
        throw core::Error(QStringLiteral("El usuario %1 no existe en la base de datos o está dado de baja.").arg(user));
}

}  // namespace app
