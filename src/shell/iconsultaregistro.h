#pragma once

#include <QObject>
#include <QString>

namespace shell {

// The host's record consultation: shows one stored record read-only.
class IConsultaRegistro {
public:
    virtual ~IConsultaRegistro() = default;
    virtual void Mostrar(const QString& table, const QString& keyColumn, const QString& key, const QString& e1 = {},
                         const QString& e2 = {}, const QString& e3 = {}, const QString& e4 = {}) = 0;
};

}  // namespace shell

#define RS_ICONSULTAREGISTRO_IID "rs501.shell.IConsultaRegistro/1"
Q_DECLARE_INTERFACE(shell::IConsultaRegistro, RS_ICONSULTAREGISTRO_IID)
