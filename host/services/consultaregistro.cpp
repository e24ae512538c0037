#include "host/services/consultaregistro.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/schema/schema.h"
#include "host/services/identifiers.h"
#include "platform/core/error.h"

namespace services {

ConsultaRegistro::ConsultaRegistro() : ConsultaRegistro(SessionRef::installed()) {}

ConsultaRegistro::ConsultaRegistro(SessionRef session) : session_(session) {
    setObjectName(QStringLiteral("ConsultaRegistro"));
}

ConsultaRegistro::Campos ConsultaRegistro::Leer(const QString& table, const QString& keyColumn, const QString& key,
                                                const QString& e1, const QString& e2, const QString& e3,
                                                const QString& e4) {
    Identifiers::requireColumn(table, keyColumn);
    QStringList where{QStringLiteral("%1 = ?").arg(keyColumn)};
    QVariantList params{key};
    for (const auto& [column, value] : {std::pair{e1, e2}, std::pair{e3, e4}}) {
        if (column.isEmpty()) continue;
        Identifiers::requireColumn(table, column);
        where << QStringLiteral("%1 = ?").arg(column);
        params << value;
    }
    // Columns named as the schema spells them: PostgreSQL reports them folded.
    const schema::Table* definition = schema::Schema::findTable(table);
    QStringList columns;
    for (const schema::Column& c : definition->columns) columns << c.name;

    ado::Recordset rs = session().connection().Execute(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(columns.join(QStringLiteral(", ")), definition->name,
                                                         where.join(QStringLiteral(" AND "))),
        params);
    if (rs.Eof())
        throw core::Error(QStringLiteral("No existe el registro \"%1\" en %2.").arg(key, definition->name));
    Campos campos;
    for (int i = 0; i < columns.size(); ++i) campos.emplace_back(columns[i], rs.Fields(i).Value.toString());
    return campos;
}

void ConsultaRegistro::Mostrar(const QString& table, const QString& keyColumn, const QString& key, const QString& e1,
                               const QString& e2, const QString& e3, const QString& e4) {
    const Campos campos = Leer(table, keyColumn, key, e1, e2, e3, e4);
    if (session().unattended()) return;  // nobody to show it to, and nothing may wait
    std::unique_ptr<QDialog> dialog = crearDialogo(table, campos, QApplication::activeWindow());
    dialog->exec();
}

std::unique_ptr<QDialog> ConsultaRegistro::crearDialogo(const QString& table, const Campos& campos, QWidget* parent) {
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setObjectName(QStringLiteral("dlgConsultaRegistro"));
    dialog->setWindowTitle(QStringLiteral("Consulta de registro"));
    dialog->resize(520, 420);

    auto* grid = new QTableWidget(static_cast<int>(campos.size()), 2, dialog.get());
    grid->setObjectName(QStringLiteral("grdCampos"));
    grid->setHorizontalHeaderLabels({QStringLiteral("Campo"), QStringLiteral("Valor")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    for (int r = 0; r < grid->rowCount(); ++r) {
        grid->setItem(r, 0, new QTableWidgetItem(campos[r].first));
        grid->setItem(r, 1, new QTableWidgetItem(campos[r].second));
    }
    grid->resizeColumnToContents(0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog.get());
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog.get());
    auto* heading = new QLabel(table, dialog.get());
    heading->setTextFormat(Qt::PlainText);
    layout->addWidget(heading);
    layout->addWidget(grid);
    layout->addWidget(buttons);
    return dialog;
}

}  // namespace services
