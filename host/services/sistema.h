#pragma once

#include <QObject>

#include "host/services/icontrolhost.h"
#include "host/services/sessionref.h"

namespace services {

class Sistema : public QObject, public IControlHost {
    Q_OBJECT
    Q_INTERFACES(shell::ISistema)
public:
    // On the installed session; throws core::Error now when there is none.
    Sistema();
    explicit Sistema(SessionRef session);

    ado::Connection& Conexion() override;
    Q_INVOKABLE QString ObtenerUsuario() override;
    Q_INVOKABLE void ForzarMayusculas(bool flag) override;
    Q_INVOKABLE QString LeerParametro(const QString& key, int reserved, const QString& type,
                                      const QString& defaultValue) override;
    ado::Statement ConsultaParametro(const QString& key) override;
    Q_INVOKABLE bool TienePermiso(const QString& module, const QString& permission,
                                  const QString& description) override;
    Q_INVOKABLE void AnticiparCarga(const QStringList& parameters, const QString& module,
                                    const QString& permission) override;
    Q_INVOKABLE void RegistrarError(const QString& message, int style, const QString& title, QWidget* window,
                                    const QString& module, const QString& identifier) override;
    bool forceUpperCase() override;
    bool unattended() override;

    static constexpr int kCritical = 16;
    static constexpr int kWarning = 48;

private:
    void logError(const QString& message, const QString& title, const QString& module, const QString& identifier);

    HostSession& session() const { return session_.get(); }

    SessionRef session_;
};

}  // namespace services
