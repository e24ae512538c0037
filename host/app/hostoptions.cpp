#include "host/app/hostoptions.h"

#include <QCommandLineParser>
#include <QStandardPaths>

#include "host/app/databasefile.h"
#include "host/schema/schema.h"

namespace app {

bool HostOptions::parse(const QStringList& arguments, HostOptions& options, QString& error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("RS501: reservación de salas de juntas"));
    parser.addHelpOption();
    const QCommandLineOption db(QStringLiteral("db"),
                                QStringLiteral("Base de datos: archivo SQLite, sqlite:RUTA o postgresql://usuario@host/bd."),
                                QStringLiteral("conexion"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Clave del usuario que firma."),
                                  QStringLiteral("usuario"));
    const QCommandLineOption demo(QStringLiteral("demo"), QStringLiteral("Carga los datos de demostración."));
    const QCommandLineOption unattended(QStringLiteral("unattended"),
                                        QStringLiteral("Sin cuadros de mensaje: los errores van a la bitácora y a stderr."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Guarda la ventana en un PNG al terminar de abrir y sale."),
                                        QStringLiteral("archivo"));
    const QCommandLineOption room(QStringLiteral("sala"), QStringLiteral("Abre el calendario en esta sala de juntas."),
                                  QStringLiteral("clave"));
    const QCommandLineOption editor(
        QStringLiteral("editor"),
        QStringLiteral("Abre el editor de reservaciones, como un doble clic, en un espacio del periodo mostrado "
                       "(AAAA-MM-DDThh:mm) o en un folio; con --screenshot guarda el editor."),
        QStringLiteral("espacio|folio"));
    const QCommandLineOption accept(
        QStringLiteral("accept"),
        QStringLiteral("Con --editor y --screenshot, acepta el editor (Aceptar) antes de guardar la imagen."));
    const QCommandLineOption createSchema(
        QStringLiteral("create-schema"),
        QStringLiteral("Crea las tablas de RS501 en una base de datos que ya tiene tablas de otra aplicación."));
    const QCommandLineOption overlapGuard(
        QStringLiteral("overlap-guard"),
        QStringLiteral("on: la base de datos rechaza dos reservaciones activas de una sala que se traslapan el mismo "
                       "día, las guarde quien las guarde; off: lo deja al editor (así viene)."),
        QStringLiteral("on|off"));
    const QCommandLineOption version(QStringLiteral("version"),
                                     QStringLiteral("Muestra la versión del programa y la del esquema de base de datos."));
    parser.addOptions({version, db, user, demo, unattended, screenshot, room, editor, accept, createSchema, overlapGuard});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        error = parser.helpText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("Argumento no reconocido: %1").arg(parser.positionalArguments().first());
        return false;
    }
    options.database = parser.value(db);
    if (parser.isSet(db) && (options.database.trimmed().isEmpty() || options.database.startsWith(QLatin1String("--")))) {
        error = options.database.trimmed().isEmpty()
                    ? QStringLiteral("--db necesita la base de datos que se abrirá.")
                    : QStringLiteral("--db va seguido de la opción %1 en lugar de una base de datos.").arg(options.database);
        return false;
    }
    options.user = parser.value(user);
    options.userGiven = parser.isSet(user);
    options.demo = parser.isSet(demo);
    options.unattended = parser.isSet(unattended);
    options.screenshot = parser.value(screenshot);
    options.room = parser.value(room);
    options.editor = parser.value(editor);
    options.accept = parser.isSet(accept);
    options.createSchema = parser.isSet(createSchema);
    if (DatabaseFile::wouldOverwrite(options.screenshot, options.connectionText())) {
        error = QStringLiteral("--screenshot escribiría la imagen sobre la base de datos %1.").arg(options.screenshot);
        return false;
    }
    options.overlapGuard = parser.value(overlapGuard);
    if (parser.isSet(overlapGuard) && options.overlapGuard != QLatin1String("on") &&
        options.overlapGuard != QLatin1String("off")) {
        error = QStringLiteral("--overlap-guard admite on u off, no \"%1\".").arg(options.overlapGuard);
        return false;
    }
    return true;
}

QString HostOptions::connectionText() const {
    if (!database.trimmed().isEmpty()) return database.trimmed();
    const QString fromEnv = qEnvironmentVariable("RS501_DB").trimmed();
    return fromEnv.isEmpty() ? defaultDatabasePath() : fromEnv;
}

QString HostOptions::defaultDatabasePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/RS501/rs501.sqlite");
}

QString HostOptions::versionText() {
    return QStringLiteral("rs501 %1, esquema de base de datos versión %2")
        .arg(QStringLiteral(RS501_VERSION))
        .arg(schema::Schema::kVersion);
}

bool HostOptions::asksVersion(const QStringList& arguments) {
    return arguments.value(1) != QLatin1String("admin") && arguments.mid(1).contains(QLatin1String("--version"));
}

}  // namespace app
