#include "host/admin/commandline.h"

#include "host/admin/inputerror.h"

namespace admin {

namespace {

struct Verb {
    const char* area;
    const char* action;
    int least, most;  // how many values it takes
    const char* values;
};

const Verb kVerbs[] = {
    {"rooms", "list", 0, 0, ""},
    {"rooms", "add", 2, 2, "CLAVE DESCRIPCION"},
    {"rooms", "retire", 1, 1, "CLAVE"},
    {"rooms", "reactivate", 1, 1, "CLAVE"},
    {"clients", "list", 0, 0, ""},
    {"clients", "add", 2, 2, "CLAVE NOMBRE"},
    {"clients", "retire", 1, 1, "CLAVE"},
    {"clients", "reactivate", 1, 1, "CLAVE"},
    {"users", "list", 0, 0, ""},
    {"users", "add", 1, 2, "CLAVE [NOMBRE]"},
    {"users", "retire", 1, 1, "CLAVE"},
    {"users", "reactivate", 1, 1, "CLAVE"},
    {"users", "grant", 2, 2, "CLAVE PERMISO"},
    {"users", "revoke", 2, 2, "CLAVE PERMISO"},
    {"parameters", "list", 0, 0, ""},
    {"parameters", "set", 2, 2, "CLAVE VALOR"},
    {"holidays", "list", 0, 2, "[DESDE HASTA]"},
    {"holidays", "add", 1, 2, "AAAA-MM-DD [DESCRIPCION]"},
    {"holidays", "remove", 1, 1, "AAAA-MM-DD"},
    {"schema", "create", 0, 0, ""},
    {"schema", "upgrade", 0, 0, ""},
    {"backup", "", 1, 1, "ARCHIVO"},  // one word: no action, the file is its value
    {"check", "", 0, 0, ""},
};

// A verb of one word (backup, check) takes the words after it as values.
bool oneWord(const QString& area) {
    for (const Verb& v : kVerbs)
        if (area == QLatin1String(v.area)) return *v.action == '\0';
    return false;
}

QString line(const Verb& v) {
    return QStringLiteral("rs501 admin %1 %2 %3").arg(QLatin1String(v.area), QLatin1String(v.action),
                                                      QLatin1String(v.values)).simplified();
}

}  // namespace

QString CommandLine::usage() {
    QString text = app::HostOptions::versionText() + QStringLiteral(
        "\nUso: rs501 admin [--db CONEXION] [--user CLAVE] [--create-schema] [--force] ÁREA ACCIÓN [VALORES...]\n"
        "La base de datos es la de la aplicación: --db, si no RS501_DB, si no el archivo predeterminado.\n"
        "Firma en la bitácora el usuario --user (o RS501_USER, o el de la sesión). Listados: columnas\n"
        "separadas por tabuladores; estado AC activo, BA de baja. Salida 0 bien, 64 datos o uso\n"
        "incorrectos, 2 problema con la base de datos. --force: hace un cambio que dejaría reservaciones\n"
        "vigentes en gris o sin poder cambiarse (un día inhábil, una sala de baja, otro formato de clave).\n");
    for (const Verb& v : kVerbs) text += QStringLiteral("  ") + line(v) + QLatin1Char('\n');
    return text;
}

void CommandLine::takeOption(const QStringList& arguments, qsizetype& i) {
    const QString word = arguments.at(i);
    const qsizetype equals = word.indexOf(QLatin1Char('='));
    const QString name = equals < 0 ? word : word.left(equals);
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        help = true;
        return;
    }
    if (name == QLatin1String("--create-schema")) {
        createSchema = true;
        return;
    }
    if (name == QLatin1String("--force")) {
        force = true;
        return;
    }
    if (name != QLatin1String("--db") && name != QLatin1String("--user"))
        throw InputError(QStringLiteral("Opción desconocida: %1.").arg(word));
    QString value;
    if (equals >= 0)
        value = word.mid(equals + 1);
    else if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--")))
        value = arguments.at(++i);
    else
        throw InputError(QStringLiteral("%1 necesita un valor.").arg(name));
    if (name == QLatin1String("--user")) {
        user = value.trimmed();
        userGiven = true;
    } else if (value.trimmed().isEmpty()) {
        throw InputError(QStringLiteral("--db necesita la base de datos que se abrirá."));
    } else {
        database = value.trimmed();
    }
}

void CommandLine::checkVerb() const {
    QStringList actions;
    for (const Verb& v : kVerbs) {
        if (area != QLatin1String(v.area)) continue;
        actions << QLatin1String(v.action);
        if (action != QLatin1String(v.action)) continue;
        if (values.size() < v.least || values.size() > v.most)
            throw InputError(QStringLiteral("%1 valores para %2. Uso: %3")
                                 .arg(values.size() < v.least ? QStringLiteral("Faltan") : QStringLiteral("Sobran"),
                                      (area + QLatin1Char(' ') + action).trimmed(), line(v)));
        return;
    }
    if (actions.isEmpty())
        throw InputError(QStringLiteral("Área desconocida: \"%1\"; se admiten rooms, clients, users, parameters, "
                                        "holidays, schema, backup y check (rs501 admin --help).")
                             .arg(area));
    throw InputError(QStringLiteral("%1 no admite la acción \"%2\"; admite %3.").arg(area, action, actions.join(", ")));
}

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine c;
    QStringList words;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        if (!optionsEnded && word == QLatin1String("--"))
            optionsEnded = true;
        else if (!optionsEnded && (word.startsWith(QLatin1String("--")) || word == QLatin1String("-h")))
            c.takeOption(arguments, i);
        else
            words << word;
    }
    if (c.help) return c;
    if (!words.isEmpty() && oneWord(words.first())) words.insert(1, QString());
    if (words.size() < 2)
        throw InputError(words.isEmpty() ? QStringLiteral("Falta el área y la acción (rs501 admin --help).")
                                         : QStringLiteral("Falta la acción de %1 (rs501 admin --help).").arg(words.at(0)));
    c.area = words.takeFirst();
    c.action = words.takeFirst();
    c.values = words;
    c.checkVerb();
    return c;
}

app::HostOptions CommandLine::hostOptions() const {
    app::HostOptions options;
    options.database = database;
    options.user = user;
    options.userGiven = userGiven;
    options.createSchema = createSchema;
    options.createDatabase = false;  // a mistyped --db must not start a second database
    return options;
}

}  // namespace admin
