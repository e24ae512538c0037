#include "host/admin/parameters.h"

#include <algorithm>
#include <functional>

#include "host/admin/field.h"
#include "host/admin/guardrail.h"
#include "host/admin/inputerror.h"
#include "host/admin/listing.h"
#include "host/services/funciones.h"
#include "platform/ado/transaction.h"
#include "src/shell/dailywindow.h"

namespace admin {

namespace {

// The catalogues whose typed numeric keys a format parameter pads.
struct Padded {
    QString parameter, table, keyColumn, noun;
};
const Padded kPadded[] = {{"FTO_SALA_JUNTA", "Sala_Junta", "Sj_Cve_Sala_Junta", "sala"},
                          {"FTO_CLIENTE", "Cliente", "Cl_Cve_Cliente", "cliente"}};

// A key box pads typed numbers with zeros to the format's length, and pads
// nothing under any other format; longer than the key column, no typed
// number could name a record.
void checkKeyFormat(const QString& value, const QString& table, const QString& column) {
    if (std::any_of(value.begin(), value.end(), [](QChar c) { return c != QLatin1Char('0'); }))
        throw InputError(QStringLiteral("El formato \"%1\" debe llevar solo ceros, uno por cada dígito de la clave (por "
                                        "ejemplo 0000000000).")
                             .arg(value));
    if (value.size() > Field::width(table, column))
        throw InputError(QStringLiteral("El formato \"%1\" es más largo que la clave (%2 caracteres).")
                             .arg(value)
                             .arg(Field::width(table, column)));
}

struct Known {
    QString key;
    QString description;
    std::function<void(const QString&)> check;  // throws InputError for a value the host would refuse
};

const std::vector<Known>& known() {
    static const std::vector<Known> all = {
        {shell::DailyWindow::kParameter, QStringLiteral("Horario diario de reservaciones: hh:mm,hh:mm."),
         [](const QString& v) {
             const shell::DailyWindow w = shell::DailyWindow::parse(v);
             if (w.malformed || w.start == w.end)  // equal: not one slot to book
                 throw InputError(QStringLiteral("El horario \"%1\" no es válido: escriba dos horas del día en orden, "
                                                 "separadas por una coma, por ejemplo 09:00,18:30.")
                                      .arg(v));
         }},
        {services::Funciones::kRestDaysParameter,
         QStringLiteral("Días de la semana sin servicio, del 1 (lunes) al 7 (domingo), separados por comas."),
         [](const QString& v) {
             try {
                 services::Funciones::parseRestDays(v);
             } catch (const core::Error& e) {
                 throw InputError(e.description());
             }
         }},
        {kPadded[0].parameter, QStringLiteral("Formato de la clave de sala: ceros para rellenar números."),
         [](const QString& v) { checkKeyFormat(v, kPadded[0].table, kPadded[0].keyColumn); }},
        {kPadded[1].parameter, QStringLiteral("Formato de la clave de cliente: ceros para rellenar números."),
         [](const QString& v) { checkKeyFormat(v, kPadded[1].table, kPadded[1].keyColumn); }},
        {QStringLiteral("CAT_FORZAR_MAYUSCULAS"), QStringLiteral("Escribir en mayúsculas en las cajas de texto (1 o 0)."),
         [](const QString&) {}},
    };
    return all;
}

const Known* find(const QString& key) {
    for (const Known& k : known())
        if (k.key.compare(key, Qt::CaseInsensitive) == 0) return &k;
    return nullptr;
}

}  // namespace

void Parameters::run(const QString& action, const QStringList& values) {
    if (action == QLatin1String("list"))
        list();
    else
        set(values.at(0), values.at(1));
}

void Parameters::list() {
    Listing::print(c_.out, c_.connection.Execute(QStringLiteral("SELECT Pa_Cve_Parametro, Pa_Valor, "
                                                                "COALESCE(Pa_Descripcion, '') FROM Parametro ORDER BY 1")));
}

void Parameters::set(const QString& typedKey, const QString& typedValue) {
    const QString table = QStringLiteral("Parametro");
    QString key = Field::text(typedKey, table, QStringLiteral("Pa_Cve_Parametro"), QStringLiteral("la clave del parámetro"));
    const QString value = Field::text(typedValue, table, QStringLiteral("Pa_Valor"), QStringLiteral("el valor"), true);
    const Known* k = find(key);
    if (k) {
        key = k->key;  // the host reads it by this exact name
        k->check(value);
    }
    ado::Transaction tx(c_.connection);
    for (const Padded& p : kPadded)
        if (key == p.parameter) GuardRail(c_).keyFormat(value, p.table, p.keyColumn, p.noun);
    // Inserting first: a second administrator adding the same new key waits
    // for the first one's row and then changes it, instead of failing on
    // the duplicate key.
    const bool added = !c_.connection
                            .Execute(QStringLiteral("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor, Pa_Descripcion) "
                                                    "VALUES (?, ?, ?) ON CONFLICT DO NOTHING RETURNING Pa_Cve_Parametro"),
                                     {key, value, k ? QVariant(k->description) : QVariant()})
                            .Eof();
    if (!added)
        c_.connection.Execute(QStringLiteral("UPDATE Parametro SET Pa_Valor = ? WHERE Pa_Cve_Parametro = ?"), {value, key});
    c_.log(QStringLiteral("PARAMETRO"), key, added ? QStringLiteral("ALTA") : QStringLiteral("CAMBIO"));
    tx.commit();
    c_.out << QStringLiteral("Parámetro %1 = \"%2\".").arg(key, value) << '\n';
}

}  // namespace admin
