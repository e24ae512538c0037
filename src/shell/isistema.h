#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include "platform/ado/connection.h"

class QWidget;

namespace shell {

// The host's first service object: connection, identity, parameters,
// permissions and the error report.
class ISistema {
public:
    virtual ~ISistema() = default;

    virtual ado::Connection& Conexion() = 0;
    virtual QString ObtenerUsuario() = 0;
    virtual void ForzarMayusculas(bool flag) = 0;
    virtual QString LeerParametro(const QString& key, int reserved, const QString& type, const QString& defaultValue) = 0;
    // The read LeerParametro makes for key, for a caller that sends reads ahead.
    virtual ado::Statement ConsultaParametro(const QString& key) = 0;
    virtual bool TienePermiso(const QString& module, const QString& permission, const QString& description) = 0;
    // The reads a screen's load makes, in its order: these parameters, the
    // server's date, then this permission of the module, sent together (one
    // round trip on a server); the calls that follow answer from them.
    virtual void AnticiparCarga(const QStringList& parameters, const QString& module, const QString& permission) = 0;
    // style: 16 critical, 48 warning. window: the reporting screen, parent of
    // the message box.
    virtual void RegistrarError(const QString& message, int style, const QString& title, QWidget* window,
                                const QString& module, const QString& identifier) = 0;
};

}  // namespace shell

#define RS_ISISTEMA_IID "rs501.shell.ISistema/1"
Q_DECLARE_INTERFACE(shell::ISistema, RS_ISISTEMA_IID)
