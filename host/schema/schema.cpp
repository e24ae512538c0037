#include "host/schema/schema.h"

#include <QDateTime>

#include "host/schema/roles.h"
#include "platform/ado/transaction.h"
#include "platform/core/error.h"

namespace schema {

namespace {

const QString kVersionQuery = QStringLiteral("SELECT MAX(Ve_Version) AS v FROM Version_Esquema");

using K = Column::Kind;

constexpr int kCreationLock = 501;
// From this version on, bounded texts are checked texts on every engine.
constexpr int kCheckedTextVersion = 2;
// From this version on, the operations log names the login beside the user.
constexpr int kSessionVersion = 3;

Column text(const QString& name, int length, bool notNull = true, const QString& def = {}) {
    return {name, K::Text, length, notNull, def};
}
Column state() { return text(QStringLiteral("Es_Cve_Estado"), 2, true, QStringLiteral("'AC'")); }
Column date(const QString& name, bool notNull = true) { return {name, K::Date, 0, notNull, {}}; }
Column stamp(const QString& name, bool notNull = false) { return {name, K::Timestamp, 0, notNull, {}}; }
Column timeText(const QString& name) { return {name, K::TimeText, 5, true, {}}; }
Column autoId(const QString& name) { return {name, K::AutoId, 0, true, {}}; }

// Who made and last changed a row, and when.
std::vector<Column> audit(std::vector<Column> columns) {
    columns.push_back(text(QStringLiteral("Oper_Alta"), 30, false));
    columns.push_back(stamp(QStringLiteral("Fecha_Alta")));
    columns.push_back(text(QStringLiteral("Oper_Ult_Modif"), 30, false));
    columns.push_back(stamp(QStringLiteral("Fecha_Ult_Modif")));
    return columns;
}

std::vector<Table> buildTables() {
    std::vector<Table> t;
    auto reservation = audit({
        text("Rsj_Folio", 10),
        date("Rsj_Fecha"),
        timeText("Rsj_Inicio"),
        timeText("Rsj_Fin"),
        text("Sj_Cve_Sala_Junta", 20),
        text("Rsj_Cliente", 20, true, "''"),
        text("Rsj_Responsable", 100, true, "''"),
        text("Rsj_Proposito", 0, true, "''"),
    });
    reservation.push_back(text("Oper_Baja", 30, false, "''"));
    reservation.push_back(stamp("Fecha_Baja"));
    reservation.push_back(state());
    // The calendar asks, cell by cell, for one room on one day.
    t.push_back({"Reservacion_Sala_Junta", reservation, {"Rsj_Folio"},
                 {{"IX_Rsj_Sala_Fecha", {"Sj_Cve_Sala_Junta", "Rsj_Fecha", "Rsj_Inicio"}}}});
    t.push_back({"Sala_Junta", {text("Sj_Cve_Sala_Junta", 20), text("Sj_Descripcion", 100), state()},
                 {"Sj_Cve_Sala_Junta"}, {}});
    auto header = audit({text("Tg_Cve_Tabla_General", 40), text("Tg_Tipo", 2)});
    header.push_back(state());
    t.push_back({"Tabla_General", header, {"Tg_Cve_Tabla_General"}, {}});
    t.push_back({"Tabla_General_Detalle",
                 {text("Tg_Cve_Tabla_General", 40), text("Tgd_Id", 10), text("Tgd_Clave", 20, false),
                  text("Tgd_Valor", 200, false)},
                 {"Tg_Cve_Tabla_General", "Tgd_Id"},
                 {{"IX_Tgd_Valor", {"Tg_Cve_Tabla_General", "Tgd_Valor"}}}});
    t.push_back({"Cliente", {text("Cl_Cve_Cliente", 20), text("Cl_Razon_Social", 150), state()}, {"Cl_Cve_Cliente"}, {}});

    // The host's own tables behind its services.
    t.push_back({"Parametro",
                 {text("Pa_Cve_Parametro", 60), text("Pa_Valor", 400, true, "''"), text("Pa_Descripcion", 200, false)},
                 {"Pa_Cve_Parametro"}, {}});
    t.push_back({"Usuario", {text("Us_Cve_Usuario", 30), text("Us_Nombre", 100, false), state()}, {"Us_Cve_Usuario"}, {}});
    t.push_back({"Permiso_Usuario",
                 {text("Us_Cve_Usuario", 30), text("Pu_Modulo", 20), text("Pu_Cve_Permiso", 40),
                  text("Pu_Descripcion", 200, false)},
                 {"Us_Cve_Usuario", "Pu_Modulo", "Pu_Cve_Permiso"}, {}});
    t.push_back({"Bitacora_Error",
                 {autoId("Be_Id"), text("Be_Mensaje", 0), text("Be_Titulo", 200, false), text("Be_Modulo", 20, false),
                  text("Be_Identificador", 40, false), text("Be_Usuario", 30, false), stamp("Be_Fecha", true)},
                 {}, {}});
    t.push_back({"Bitacora_Movimiento",
                 {autoId("Bm_Id"), text("Bm_Entidad", 60), text("Bm_Clave", 60), text("Bm_Operacion", 40),
                  text("Bm_Usuario", 30, false), stamp("Bm_Fecha", true),
                  {"Bm_Sesion", K::Text, 63, false, {}, kSessionVersion}},
                 {}, {{"IX_Bm_Entidad_Clave", {"Bm_Entidad", "Bm_Clave"}}}});
    t.push_back({"Dia_Inhabil", {date("Di_Fecha"), text("Di_Descripcion", 100, false)}, {"Di_Fecha"}, {}});
    t.push_back({"Consecutivo", {text("Co_Nombre", 200), {"Co_Valor", K::Integer, 0, true, {}}}, {"Co_Nombre"}, {}});
    t.push_back({"Version_Esquema", {{"Ve_Version", K::Integer, 0, true, {}}, stamp("Fecha_Alta")}, {}, {}});
    return t;
}

QString columnType(const Column& c, const ado::Dialect& d) {
    switch (c.kind) {
        case K::Date: return d.dateType();
        case K::Timestamp: return d.timestampType();
        case K::Integer: return d.bigintType();
        case K::AutoId: return d.autoIdColumn();
        case K::Text:
        case K::TimeText: return d.textType(c.name, c.maxLength);
    }
    return {};
}

QString columnDefinition(const Column& c, const ado::Dialect& d) {
    QString def = c.name + QLatin1Char(' ') + columnType(c, d);
    if (c.notNull && c.kind != K::AutoId) def += QStringLiteral(" NOT NULL");
    if (!c.defaultValue.isEmpty()) def += QStringLiteral(" DEFAULT ") + c.defaultValue;
    if (c.kind == K::TimeText) def += QStringLiteral(" CHECK (%1)").arg(d.timeTextCheck(c.name));
    return def;
}

QString createTable(const Table& table, const ado::Dialect& d) {
    QStringList parts;
    for (const Column& c : table.columns) parts << columnDefinition(c, d);
    if (!table.primaryKey.isEmpty()) parts << QStringLiteral("PRIMARY KEY (%1)").arg(table.primaryKey.join(", "));
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)").arg(table.name, parts.join(", "));
}

// Version 1 made bounded texts VARCHAR on PostgreSQL, which cuts a text
// whose excess is spaces instead of refusing it as SQLite does.
void upgradeToCheckedText(ado::Connection& connection) {
    for (const Table& t : Schema::tables())
        for (const Column& c : t.columns)
            if ((c.kind == K::Text || c.kind == K::TimeText) && c.since < kCheckedTextVersion)
                for (const QString& statement : connection.dialect().checkedTextUpgrade(t.name, c.name, c.maxLength))
                    connection.Execute(statement);
}

// Adds the columns later versions brought to tables an older one made.
void addLaterColumns(ado::Connection& connection, int stored) {
    for (const Table& t : Schema::tables())
        for (const Column& c : t.columns)
            if (c.since > stored)
                connection.Execute(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                       .arg(t.name, columnDefinition(c, connection.dialect())));
}

// PostgreSQL lists only the tables a login may use: ours may stand there
// unseen by a login the administrator gave no role.
void refuseUnseenTables(ado::Connection& connection) {
    if (!Roles::apply(connection) ||
        !connection.Execute(QStringLiteral("SELECT to_regclass('version_esquema') IS NOT NULL")).Fields(0).Value.toBool())
        return;
    throw core::Error(QStringLiteral("La cuenta %1 de la base de datos no tiene acceso a las tablas de RS501; el "
                                     "administrador le da el rol rs501_desktop o rs501_admin.")
                          .arg(Roles::login(connection)));
}

}  // namespace

const std::vector<Table>& Schema::tables() {
    static const std::vector<Table> all = buildTables();
    return all;
}

const Table* Schema::findTable(const QString& name) {
    for (const Table& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
    return nullptr;
}

bool Schema::hasColumn(const QString& table, const QString& column) {
    const Table* t = findTable(table);
    if (!t) return false;
    for (const Column& c : t->columns)
        if (c.name.compare(column, Qt::CaseInsensitive) == 0) return true;
    return false;
}

QStringList Schema::createStatements(const ado::Dialect& dialect) {
    QStringList out;
    for (const Table& t : tables()) out << createTable(t, dialect);
    for (const Table& t : tables())
        for (const Index& i : t.indexes)
            out << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)").arg(i.name, t.name, i.columns.join(", "));
    return out;
}

QStringList Schema::tableNames(ado::Connection& connection) {
    QStringList names;
    for (ado::Recordset rs = connection.Execute(connection.dialect().tableNamesQuery()); !rs.Eof(); rs.MoveNext())
        names << rs.Fields(0).Value.toString();
    return names;
}

int Schema::storedVersion(ado::Connection& connection) {
    return storedVersion(connection, tableNames(connection));
}

int Schema::storedVersion(ado::Connection& connection, const QStringList& present) {
    if (!present.contains(QStringLiteral("Version_Esquema"), Qt::CaseInsensitive)) return 0;
    ado::Recordset rs = connection.Execute(kVersionQuery);
    return rs.Eof() ? 0 : rs.Fields(0).Value.toInt();
}

void Schema::refuseNewer(int stored) {
    if (stored > kVersion)
        throw core::Error(QStringLiteral("La base de datos tiene la versión de esquema %1 y este programa conoce hasta la %2; "
                                         "actualice el programa.")
                              .arg(stored)
                              .arg(kVersion));
}

void Schema::refuseDamaged(const ado::Connection& connection, const QStringList& present, int stored) {
    if (stored == 0) return;
    for (const Table& t : tables())
        if (!present.contains(t.name, Qt::CaseInsensitive))
            throw core::Error(QStringLiteral("A la base de datos %1 le falta la tabla %2 y sus datos no se pueden "
                                             "recuperar desde aquí; no se modificó. Restaure una copia de respaldo.")
                                  .arg(connection.description(), t.name));
}

void Schema::refuseForeignOrDamaged(const ado::Connection& connection, const QStringList& present, int stored,
                                    bool adopt) {
    if (stored == 0 && !present.isEmpty() && !adopt)
        throw core::Error(QStringLiteral("La base de datos %1 pertenece a otra aplicación (tiene %2 tablas y ninguna de "
                                         "RS501); no se modificó. Para crear las tablas de RS501 en ella, inicie con "
                                         "--create-schema.")
                              .arg(connection.description())
                              .arg(present.size()));
    refuseDamaged(connection, present, stored);
}

Schema::State Schema::inspect(ado::Connection& connection, int* stored) {
    // Asked together, a current schema costs one round trip; where the
    // version's table is missing its read fails and both run as asked.
    connection.ReadAhead({{connection.dialect().tableNamesQuery(), {}}, {kVersionQuery, {}}});
    const QStringList present = tableNames(connection);
    const int version = storedVersion(connection, present);
    if (stored) *stored = version;
    refuseNewer(version);
    refuseDamaged(connection, present, version);
    if (version == kVersion) return State::Current;
    if (version > 0) return State::Old;
    refuseUnseenTables(connection);
    return present.isEmpty() ? State::Empty : State::Foreign;
}

bool Schema::ensure(ado::Connection& connection, bool adopt, const QString& firstUser, bool grantRoles) {
    ado::Transaction tx(connection);
    // Two desktops starting on a new database at once must not race each
    // other through the CREATE statements.
    if (const QString lock = connection.dialect().transactionLock(kCreationLock); !lock.isEmpty())
        connection.Execute(lock);
    const QStringList present = tableNames(connection);
    const int stored = storedVersion(connection, present);
    refuseNewer(stored);
    refuseForeignOrDamaged(connection, present, stored, adopt);
    for (const QString& statement : createStatements(connection.dialect())) connection.Execute(statement);
    if (stored > 0 && stored < kCheckedTextVersion) upgradeToCheckedText(connection);
    if (stored > 0) addLaterColumns(connection, stored);
    if (stored < kVersion)
        connection.Execute(QStringLiteral("INSERT INTO Version_Esquema (Ve_Version, Fecha_Alta) VALUES (?, ?)"),
                           {kVersion, QDateTime::currentDateTime()});
    if (stored == 0 && !firstUser.isEmpty())
        connection.Execute(QStringLiteral("INSERT INTO Usuario (Us_Cve_Usuario, Us_Nombre, Es_Cve_Estado) "
                                          "VALUES (?, ?, 'AC') ON CONFLICT DO NOTHING"),
                           {firstUser, QStringLiteral("Creó la base de datos")});
    if (grantRoles && Roles::apply(connection)) Roles::grant(connection);
    tx.commit();
    return stored == 0;
}

void Schema::setOverlapGuard(ado::Connection& connection, bool on) {
    const QString name = QStringLiteral("rs_sin_traslape");
    const QString table = QStringLiteral("Reservacion_Sala_Junta");
    const QString conflict = QStringLiteral(
        "COALESCE(NEW.Es_Cve_Estado, '') <> 'CA' AND EXISTS (SELECT 1 FROM Reservacion_Sala_Junta r "
        "WHERE r.Sj_Cve_Sala_Junta = NEW.Sj_Cve_Sala_Junta AND r.Rsj_Fecha = NEW.Rsj_Fecha "
        "AND COALESCE(r.Es_Cve_Estado, '') <> 'CA' AND r.Rsj_Folio <> NEW.Rsj_Folio "
        "AND r.Rsj_Inicio < NEW.Rsj_Fin AND NEW.Rsj_Inicio < r.Rsj_Fin)");
    const QString lockKey = QStringLiteral("NEW.Sj_Cve_Sala_Junta || '|' || CAST(NEW.Rsj_Fecha AS TEXT)");
    const QString message = QStringLiteral("La sala ya tiene una reservación en ese horario; no se guardó.");
    ado::Transaction tx(connection);
    for (const QString& statement : connection.dialect().dropGuardStatements(name, table)) connection.Execute(statement);
    if (on)
        for (const QString& statement : connection.dialect().guardStatements(name, table, lockKey, conflict, message))
            connection.Execute(statement);
    tx.commit();
}

QString Schema::counterName(const QString& table, const QString& column, const QString& filterColumn,
                            const QString& filterValue) {
    QString name = table.toLower() + QLatin1Char('.') + column.toLower();
    if (!filterColumn.isEmpty()) name += QStringLiteral("[%1=%2]").arg(filterColumn.toLower(), filterValue);
    return name;
}

}  // namespace schema
