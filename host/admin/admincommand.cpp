#include "host/admin/admincommand.h"

#include <optional>

#include "host/admin/catalogue.h"
#include "host/admin/commandline.h"
#include "host/admin/holidays.h"
#include "host/admin/inputerror.h"
#include "host/admin/parameters.h"
#include "host/app/hoststartup.h"
#include "host/services/hostsession.h"
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

// The acting user as start-up resolves it: --user, else RS501_USER, else
// the login name; a named one must be an active user of the database.
QString actingUser(const CommandLine& line, ado::Connection& connection) {
    const QString user = line.userGiven ? line.user : services::HostSession::resolveUser({});
    try {
        app::checkUser(connection, user, line.userGiven || !qEnvironmentVariable("RS501_USER").trimmed().isEmpty());
    } catch (const core::Error& e) {
        if (!e.statement().isEmpty()) throw;  // the database failed, not the user
        throw InputError(e.description());
    }
    return user;
}

void execute(const CommandLine& line, ado::Connection& connection, QTextStream& out) {
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
    std::unique_ptr<ado::Connection> connection;
    try {
        connection = app::openSchemaDatabase(line.hostOptions());
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
