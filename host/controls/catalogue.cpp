#include "host/controls/catalogue.h"

#include "platform/core/error.h"

namespace controls {

namespace {
const QString kRetired = QStringLiteral("BA");
}

Catalogue::Catalogue(QString id, QString title, QString table, QString keyColumn, QString descriptionColumn,
                     QString stateColumn, bool picksDescription)
    : id_(std::move(id)),
      title_(std::move(title)),
      table_(std::move(table)),
      keyColumn_(std::move(keyColumn)),
      descriptionColumn_(std::move(descriptionColumn)),
      stateColumn_(std::move(stateColumn)),
      picksDescription_(picksDescription) {}

std::optional<Catalogue> Catalogue::find(const QString& id) {
    const QString wanted = id.trimmed().toUpper();
    if (wanted == QLatin1String("SALA_JUNTA"))
        return Catalogue(wanted, QStringLiteral("Salas de juntas"), QStringLiteral("Sala_Junta"),
                         QStringLiteral("Sj_Cve_Sala_Junta"), QStringLiteral("Sj_Descripcion"),
                         QStringLiteral("Es_Cve_Estado"), false);
    if (wanted == QLatin1String("CLIENTE"))
        return Catalogue(wanted, QStringLiteral("Clientes"), QStringLiteral("Cliente"),
                         QStringLiteral("Cl_Cve_Cliente"), QStringLiteral("Cl_Razon_Social"),
                         QStringLiteral("Es_Cve_Estado"), false);
    if (wanted == QLatin1String("TABLA_GENERAL_VALOR"))
        return Catalogue(wanted, QStringLiteral("Valores"), QStringLiteral("Tabla_General_Detalle"),
                         QStringLiteral("Tgd_Clave"), QStringLiteral("Tgd_Valor"), QString(), true);
    return std::nullopt;
}

void Catalogue::checkCondition(const QString& condition) {
    const bool separator = condition.contains(QLatin1Char(';'));
    const bool comment = condition.contains(QLatin1String("--")) || condition.contains(QLatin1String("/*"));
    // An unclosed literal would swallow whatever the statement adds after it.
    const bool openQuote = condition.count(QLatin1Char('\'')) % 2 != 0;
    if (separator || comment || openQuote)
        throw core::Error(QStringLiteral("La condición de la consulta no se acepta: debe ser una sola expresión, "
                                         "sin \";\", sin comentarios y con las comillas cerradas (\"%1\").")
                              .arg(condition.trimmed()));
}

std::vector<Catalogue::Row> Catalogue::rows(ado::Connection& connection, const QString& condition) const {
    QStringList where;
    QVariantList params;
    if (!stateColumn_.isEmpty()) {
        where << QStringLiteral("%1 <> ?").arg(stateColumn_);
        params << kRetired;
    }
    if (!condition.trimmed().isEmpty()) {
        checkCondition(condition);
        where << QStringLiteral("(%1)").arg(condition.trimmed());
    }
    QString sql = QStringLiteral("SELECT %1, %2 FROM %3").arg(keyColumn_, descriptionColumn_, table_);
    if (!where.isEmpty()) sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY %1").arg(keyColumn_);

    std::vector<Row> out;
    for (ado::Recordset rs = connection.Execute(sql, params); !rs.Eof(); rs.MoveNext()) {
        Row row{rs.Fields(0).Value.toString(), rs.Fields(1).Value.toString(), {}};
        row.pick = picksDescription_ ? row.description : row.key;
        out.push_back(std::move(row));
    }
    return out;
}

}  // namespace controls
