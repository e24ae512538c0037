#pragma once

#include <memory>
#include <utility>
#include <vector>

#include <QObject>

#include "host/services/sessionref.h"
#include "src/shell/iconsultaregistro.h"

class QDialog;
class QWidget;

namespace services {

// Shows one stored record, column by column, read-only.
class ConsultaRegistro : public QObject, public shell::IConsultaRegistro {
    Q_OBJECT
    Q_INTERFACES(shell::IConsultaRegistro)
public:
    using Campos = std::vector<std::pair<QString, QString>>;  // column name, value as text

    // Without a session it works on whichever session is installed at the
    // time of each call.
    ConsultaRegistro();
    explicit ConsultaRegistro(SessionRef session);

    // e1/e2 and e3/e4 are optional further key column / value pairs.
    // Throws core::Error for a table or column the host does not know and
    // for a missing record. Unattended, it reads and shows nothing.
    Q_INVOKABLE void Mostrar(const QString& table, const QString& keyColumn, const QString& key,
                             const QString& e1 = {}, const QString& e2 = {}, const QString& e3 = {},
                             const QString& e4 = {}) override;

    // The record's columns in table order; same checks as Mostrar.
    Campos Leer(const QString& table, const QString& keyColumn, const QString& key, const QString& e1 = {},
                const QString& e2 = {}, const QString& e3 = {}, const QString& e4 = {});

    // The dialog Mostrar runs: "Consulta de registro", one row per column.
    static std::unique_ptr<QDialog> crearDialogo(const QString& table, const Campos& campos, QWidget* parent);

private:
    HostSession& session() const { return session_.get(); }

    SessionRef session_;
};

}  // namespace services
