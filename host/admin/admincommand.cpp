#include "host/admin/admincommand.h"

#include <optional>

#include "host/admin/backupverb.h"
#include "host/admin/catalogue.h"
#include "host/admin/checkverb.h"
#include "host/admin/commandline.h"
#include "host/admin/holidays.h"
#include "host/admin/inputerror.h"
#include "host/admin/parameters.h"
#include "host/admin/schemaverb.h"
#include "host/app/hoststartup.h"
#include "host/app/signon.h"
#include "host/schema/roles.h"
#include "platform/ado/connectiontext.h"

namespace admin {

namespace {

int fail(QTextStream& err, const QString& message, int code) {
    err << "rs501 admin: " << message << Qt::endl;
    return code;
}

// A script reading a listing that was cut short must not take it whole.
int written(QTextStream& out, QTextStream& err, int code) {
    out.flush();
    if (out.status() == QTextStream::Ok) return code;
    return fail(err, QStringLiteral("No se pudo escribir la salida de la orden."), AdminCommand::kOutputTrouble);
}

// The acting user as start-up signs one on.
QString actingUser(const CommandLine& line, ado::Connection& connection) {
    try {
        return app::SignOn::signer(connection, line.userGiven, line.user);
    } catch (const core::Error& e) {
        if (!e.statement().isEmpty()) throw;  // the database failed, not the user
        throw InputError(e.description());
    }
}

// Backup and check read the embedded file itself and change nothing in it.
bool readsFile(const CommandLine& line) {
    return line.area == QLatin1String("backup") || line.area == QLatin1String("check");
}

// A shared server is copied and checked by its own tools: said before
// connecting to it, with the line to run instead.
QString serverRefusal(const CommandLine& line, const QString& connectionText) {
    if (!readsFile(line) || !ado::ConnectionText::isPostgres(connectionText)) return {};
    const QString display = ado::ConnectionText::display(connectionText);
    return line.area == QLatin1String("backup") ? BackupVerb::serverRefusal(display, line.values.value(0))
                                                : CheckVerb::serverRefusal(display);
}

// The server enforces who writes what; asking it first gives the person a
// reason instead of a refused statement.
QString refusal(const CommandLine& line, ado::Connection& connection) {
    if (line.action == QLatin1String("list") || line.area == QLatin1String("schema") || readsFile(line) ||
        !schema::Roles::apply(connection) ||
        schema::Roles::privileged(connection))
        return {};
    return QStringLiteral("La cuenta %1 de la base de datos no puede cambiar el catálogo de RS501: hace falta el rol "
                          "%2 (GRANT %2 TO %1). No se modificó nada.")
        .arg(schema::Roles::login(connection), schema::Roles::kAdmin);
}

void execute(const CommandLine& line, ado::Connection& connection, QTextStream& out) {
    if (line.area == QLatin1String("schema")) return SchemaVerb::run(line.action, connection, out);
    if (line.area == QLatin1String("backup")) return BackupVerb::run(line.values.first(), connection, out);
    if (line.area == QLatin1String("check")) return CheckVerb::run(connection, out);
    Context context{connection, actingUser(line, connection), out, line.force};
    if (line.area == QLatin1String("rooms"))
        Catalogue(Catalogue::kRooms, context).run(line.action, line.values);
    else if (line.area == QLatin1String("clients"))
        Catalogue(Catalogue::kClients, context).run(line.action, line.values);
    else if (line.area == QLatin1String("users"))
        Catalogue(Catalogue::kUsers, context).run(line.action, line.values);
    else if (line.area == QLatin1String("parameters"))
        Parameters(context).run(line.action, line.values);
    else
        Holidays(context).run(line.action, line.values);
}

int runParsed(const CommandLine& line, ado::Connection& connection, QTextStream& out, QTextStream& err) {
    try {
        if (const QString refused = refusal(line, connection); !refused.isEmpty())
            return fail(err, refused, AdminCommand::kDatabaseTrouble);
        execute(line, connection, out);
        return written(out, err, AdminCommand::kOk);
    } catch (const InputError& e) {
        return fail(err, e.description(), AdminCommand::kBadInput);
    } catch (const std::exception& e) {
        return fail(err, QStringLiteral("Error de la base de datos; no se modificó nada.\n%1").arg(core::describe(e)),
                    AdminCommand::kDatabaseTrouble);
    }
}

// The parsed line, or the exit code when the command ends here: help
// asked for, or a line that cannot be run.
std::optional<int> parse(const QStringList& arguments, CommandLine& line, QTextStream& out, QTextStream& err) {
    try {
        line = CommandLine::parse(arguments);
    } catch (const InputError& e) {
        return fail(err, e.description(), AdminCommand::kBadInput);
    }
    if (!line.help) return std::nullopt;
    out << CommandLine::usage();
    return written(out, err, AdminCommand::kOk);
}

}  // namespace

int AdminCommand::main(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    CommandLine line;
    if (const std::optional<int> ended = parse(arguments, line, out, err)) return *ended;
    if (ado::ConnectionText::hasPassword(line.database))
        err << "rs501 admin: " << ado::ConnectionText::commandLineWarning() << Qt::endl;
    app::HostOptions options = line.hostOptions();
    if (const QString refused = serverRefusal(line, options.connectionText()); !refused.isEmpty())
        return fail(err, refused, kBadInput);
    std::unique_ptr<ado::Connection> connection;
    try {
        // The schema verbs find the tables missing or old on purpose, and
        // creating them is the one admin action that may make a new file;
        // a backup or a check copies or reads the file as it stands.
        if (line.area != QLatin1String("schema") && !readsFile(line)) {
            connection = app::openSchemaDatabase(options);
        } else {
            options.createDatabase = line.action == QLatin1String("create");
            connection = app::openDatabase(options);
        }
    } catch (const std::exception& e) {
        return fail(err, QStringLiteral("No se pudo abrir la base de datos.\n%1").arg(core::describe(e)),
                    kDatabaseTrouble);
    }
    return runParsed(line, *connection, out, err);
}

int AdminCommand::run(const QStringList& arguments, ado::Connection& connection, QTextStream& out, QTextStream& err) {
    CommandLine line;
    if (const std::optional<int> ended = parse(arguments, line, out, err)) return *ended;
    return runParsed(line, connection, out, err);
}

}  // namespace admin
