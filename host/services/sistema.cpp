#include "host/services/sistema.h"

#include <QMessageBox>
#include <QTextStream>

#include "platform/core/error.h"

namespace services {

namespace {

QMessageBox::Icon iconFor(int style) {
    switch (style & 0x70) {
        case 16: return QMessageBox::Critical;
        case 32: return QMessageBox::Question;
        case 48: return QMessageBox::Warning;
        case 64: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

const QString kPermissionQuery = QStringLiteral(
    "SELECT COUNT(*) AS n FROM Permiso_Usuario p "
    "JOIN Usuario u ON u.Us_Cve_Usuario = p.Us_Cve_Usuario "
    "WHERE p.Us_Cve_Usuario = ? AND p.Pu_Modulo = ? AND p.Pu_Cve_Permiso = ? "
    "AND u.Es_Cve_Estado <> 'BA'");

void toStderr(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
}

}  // namespace

// Fails now, not at the first call, without a host session.
Sistema::Sistema() : Sistema(SessionRef::installed().checked()) {}

Sistema::Sistema(SessionRef session) : session_(session) {
    setObjectName(QStringLiteral("Sistema"));
}

ado::Connection& Sistema::Conexion() {
    return session().connection();
}

QString Sistema::ObtenerUsuario() {
    return session().user();
}

void Sistema::ForzarMayusculas(bool flag) {
    session().setForceUpperCase(flag);
}

bool Sistema::forceUpperCase() {
    return session().forceUpperCase();
}

bool Sistema::unattended() {
    return session().unattended();
}

QString Sistema::LeerParametro(const QString& key, int, const QString&, const QString& defaultValue) {
    return session().parameter(key, defaultValue);
}

ado::Statement Sistema::ConsultaParametro(const QString& key) {
    return {HostSession::kParameterQuery, {key}};
}

bool Sistema::TienePermiso(const QString& module, const QString& permission, const QString&) {
    ado::Recordset rs = Conexion().Execute(kPermissionQuery, {ObtenerUsuario(), module, permission});
    return rs.Fields(0).Value.toLongLong() > 0;
}

void Sistema::AnticiparCarga(const QStringList& parameters, const QString& module, const QString& permission) {
    ado::Connection& c = Conexion();
    std::vector<std::pair<QString, QVariantList>> reads;
    for (const QString& key : parameters) reads.push_back({HostSession::kParameterQuery, {key}});
    reads.push_back({c.dialect().serverNowQuery(), {}});
    reads.push_back({kPermissionQuery, {ObtenerUsuario(), module, permission}});
    c.ReadAhead(reads);
}

void Sistema::logError(const QString& message, const QString& title, const QString& module,
                       const QString& identifier) {
    ado::Connection& c = Conexion();
    c.Execute(QStringLiteral("INSERT INTO Bitacora_Error (Be_Mensaje, Be_Titulo, Be_Modulo, Be_Identificador, "
                             "Be_Usuario, Be_Fecha) VALUES (?, ?, ?, ?, ?, %1)")
                  .arg(c.dialect().nowExpression()),
              {message, title, module, identifier, ObtenerUsuario()});
}

void Sistema::RegistrarError(const QString& message, int style, const QString& title, QWidget* window,
                             const QString& module, const QString& identifier) {
    try {
        logError(message, title, module, identifier);
    } catch (const core::Error& e) {
        // The report must reach the person even when the log cannot be written.
        toStderr(QStringLiteral("No se pudo registrar el error en la bitácora: %1").arg(e.description()));
    }
    session().setLastError(message);
    if (session().unattended()) {
        toStderr(QStringLiteral("%1 %2 [%3]: %4").arg(module, identifier, title, message));
        return;
    }
    QMessageBox box(iconFor(style), title, message, QMessageBox::Ok, window);
    box.setTextFormat(Qt::PlainText);  // messages carry database texts; the title is plain already
    box.exec();
}

}  // namespace services
