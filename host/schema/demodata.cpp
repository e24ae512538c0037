#include "host/schema/demodata.h"

#include <QDateTime>

#include "host/schema/schema.h"
#include "platform/ado/sqltext.h"
#include "platform/ado/transaction.h"
#include "platform/core/error.h"

namespace schema {

namespace {

// The n-th Monday (1-based) of a month.
QDate nthMonday(int year, int month, int n) {
    QDate d(year, month, 1);
    while (d.dayOfWeek() != Qt::Monday) d = d.addDays(1);
    return d.addDays(7 * (n - 1));
}

void insertIgnoring(ado::Connection& c, const QString& table, const QString& columns, const QVariantList& values) {
    QStringList marks;
    for (qsizetype i = 0; i < values.size(); ++i) marks << QStringLiteral("?");
    c.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) ON CONFLICT DO NOTHING").arg(table, columns, marks.join(", ")),
              values);
}

void loadCatalogues(ado::Connection& c) {
    const QList<QStringList> rooms = {
        {"0000000001", "Sala Juárez (10 personas)", "AC"},  {"0000000002", "Sala Hidalgo (6 personas)", "AC"},
        {"0000000003", "Sala Morelos (20 personas)", "AC"}, {"0000000004", "Sala Allende (4 personas)", "AC"},
        {"0000000005", "Sala de Consejo", "AC"},            {"0000000006", "Sala Anexo (retirada)", "BA"},
    };
    for (const QStringList& r : rooms)
        insertIgnoring(c, "Sala_Junta", "Sj_Cve_Sala_Junta, Sj_Descripcion, Es_Cve_Estado", {r[0], r[1], r[2]});
    const QStringList clients = {"Abarrotes La Esperanza", "Constructora del Bajío", "Farmacias Guadalajara Norte",
                                 "Grupo Industrial Saltillo", "Hotelera Mar Azul", "Importadora Pacífico",
                                 "Logística Monterrey", "Muebles Finos de Puebla", "Papelera Nacional",
                                 "Textiles de Oaxaca", "Transportes del Golfo", "Comercial Antigua (baja)"};
    for (int i = 0; i < clients.size(); ++i)
        insertIgnoring(c, "Cliente", "Cl_Cve_Cliente, Cl_Razon_Social, Es_Cve_Estado",
                       {QStringLiteral("%1").arg(i + 1, 4, 10, QLatin1Char('0')), clients[i],
                        i == clients.size() - 1 ? "BA" : "AC"});
    // The client keys above are four digits: typing "1" finds client 0001.
    insertIgnoring(c, "Parametro", "Pa_Cve_Parametro, Pa_Valor, Pa_Descripcion",
                   {"FTO_CLIENTE", "0000", "Formato de la clave de cliente: ceros para rellenar números."});
    insertIgnoring(c, "Usuario", "Us_Cve_Usuario, Us_Nombre, Es_Cve_Estado",
                   {DemoData::kUser, "Usuario de demostración", "AC"});
    insertIgnoring(c, "Permiso_Usuario", "Us_Cve_Usuario, Pu_Modulo, Pu_Cve_Permiso, Pu_Descripcion",
                   {DemoData::kUser, "RS501", "CHFEFIN", "Permitir cambiar fecha de finalizacion."});
}

void loadHolidays(ado::Connection& c, int year) {
    for (int y : {year, year + 1})
        for (const Holiday& h : DemoData::holidays(y))
            insertIgnoring(c, "Dia_Inhabil", "Di_Fecha, Di_Descripcion", {h.date, h.name});
}

bool reservationsUntouched(ado::Connection& c) {
    ado::Recordset rows = c.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM Reservacion_Sala_Junta"));
    ado::Recordset counter = c.Execute(QStringLiteral("SELECT COUNT(*) AS n FROM Consecutivo WHERE Co_Nombre = ?"),
                                       {Schema::counterName("Reservacion_Sala_Junta", "Rsj_Folio")});
    return rows.Fields(0).Value.toLongLong() == 0 && counter.Fields(0).Value.toLongLong() == 0;
}

void loadReservations(ado::Connection& c, const QDate& today) {
    if (!reservationsUntouched(c)) return;
    const QDate sunday = today.addDays(-(today.dayOfWeek() % 7));
    const QString now = QDateTime::currentDateTime().toString(ado::kTimestampFormat);
    struct Row {
        int day;  // 0 = Sunday
        const char *start, *end, *room, *client, *who, *purpose, *state;
    };
    const Row rows[] = {
        {1, "10:00", "11:30", "0000000001", "0002", "Laura Méndez", "Revisión de obra con el cliente", "AC"},
        {2, "09:00", "10:00", "0000000001", "", "Jorge Ramírez", "Junta semanal de ventas", "AC"},
        {2, "12:00", "14:00", "0000000002", "0005", "Ana Torres", "Presentación de propuesta", "AC"},
        {3, "16:00", "17:30", "0000000001", "", "Carlos Vega", "Capacitación del sistema", "AC"},
        {4, "11:00", "12:00", "0000000001", "", "Jorge Ramírez", "Reunión cancelada", "CA"},
        {5, "13:00", "15:00", "0000000003", "0008", "Patricia Ruiz", "Comité de compras", "AC"},
    };
    int folio = 0;
    for (const Row& r : rows) {
        const QDate day = sunday.addDays(r.day);
        insertIgnoring(c, "Reservacion_Sala_Junta",
                       "Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, Rsj_Cliente, Rsj_Responsable, "
                       "Rsj_Proposito, Oper_Alta, Fecha_Alta, Oper_Ult_Modif, Fecha_Ult_Modif, Oper_Baja, Es_Cve_Estado",
                       {QStringLiteral("%1").arg(++folio, 10, 10, QLatin1Char('0')), day, r.start, r.end, r.room,
                        r.client, r.who, r.purpose, DemoData::kUser, now, DemoData::kUser, now,
                        QString::fromLatin1(r.state) == "CA" ? DemoData::kUser : QStringLiteral(""), r.state});
    }
}

void loadAll(ado::Connection& c, const QDate& today) {
    loadCatalogues(c);
    loadHolidays(c, today.year());
    loadReservations(c, today);
}

}  // namespace

std::vector<Holiday> DemoData::holidays(int year) {
    std::vector<Holiday> out = {
        {QDate(year, 1, 1), "Año Nuevo"},
        {nthMonday(year, 2, 1), "Día de la Constitución"},
        {nthMonday(year, 3, 3), "Natalicio de Benito Juárez"},
        {QDate(year, 5, 1), "Día del Trabajo"},
        {QDate(year, 9, 16), "Día de la Independencia"},
        {nthMonday(year, 11, 3), "Día de la Revolución"},
        {QDate(year, 12, 25), "Navidad"},
    };
    // The federal executive changes hands every six years on 1 October.
    if (year >= 2024 && (year - 2024) % 6 == 0) out.push_back({QDate(year, 10, 1), "Transmisión del Poder Ejecutivo"});
    return out;
}

void DemoData::loadIntoEmpty(ado::Connection& connection, const QDate& today) {
    ado::Transaction tx(connection);
    for (const char* table : {"Reservacion_Sala_Junta", "Sala_Junta", "Cliente", "Dia_Inhabil", "Parametro",
                              "Permiso_Usuario", "Tabla_General_Detalle", "Consecutivo", "Bitacora_Movimiento"}) {
        const QString count = QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table));
        if (connection.Execute(count).Fields(0).Value.toLongLong() > 0)
            throw core::Error(QStringLiteral("La base de datos %1 ya tiene datos (tabla %2); los datos de demostración "
                                             "solo se cargan en una base nueva y vacía. No se modificó nada.")
                                  .arg(connection.description(), QLatin1String(table)));
    }
    loadAll(connection, today);
    tx.commit();
}

void DemoData::load(ado::Connection& connection, const QDate& today) {
    ado::Transaction tx(connection);
    loadAll(connection, today);
    tx.commit();
}

}  // namespace schema
