#pragma once

#include <QObject>

#include "host/services/hostsession.h"
#include "src/shell/isistema.h"

namespace services {

class Sistema : public QObject, public shell::ISistema {
    Q_OBJECT
    Q_INTERFACES(shell::ISistema)
public:
    // Without a session it works on whichever session is installed at the
    // time of each call, so the module's long-lived object follows the host.
    Sistema();
    explicit Sistema(HostSession& session);

    ado::Connection& Conexion() override;
    Q_INVOKABLE QString ObtenerUsuario() override;
    Q_INVOKABLE void ForzarMayusculas(bool flag) override;
    Q_INVOKABLE QString LeerParametro(const QString& key, int reserved, const QString& type,
                                      const QString& defaultValue) override;
    Q_INVOKABLE bool TienePermiso(const QString& module, const QString& permission,
                                  const QString& description) override;
    Q_INVOKABLE void RegistrarError(const QString& message, int style, const QString& title, QWidget* window,
                                    const QString& module, const QString& identifier) override;

    static constexpr int kCritical = 16;
    static constexpr int kWarning = 48;

private:
    void logError(const QString& message, const QString& title, const QString& module, const QString& identifier);

    HostSession& session() const { return session_ ? *session_ : HostSession::current(); }

    HostSession* session_ = nullptr;
};

}  // namespace services
