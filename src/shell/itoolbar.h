#pragma once

#include <QObject>
#include <QString>

namespace shell {

// toolbarQNT.Controles. Signals: Nuevo(), Modificar(), Consultar(),
// Eliminar(), Aceptar(bool EsNuevo), Salir(), Cerrar(), Cancelar().
class IToolbar {
public:
    virtual ~IToolbar() = default;
    virtual void EjecutarNuevo() = 0;  // raises Nuevo() before it returns
    virtual void RechazaAceptar() = 0;
    virtual void ConfirmaAceptar() = 0;
    virtual void Activar(bool on) = 0;
    // The five availability switches: new, modify, delete, consult, print.
    virtual void setNuevoHabilitado(bool on) = 0;
    virtual void setModificarHabilitado(bool on) = 0;
    virtual void setEliminarHabilitado(bool on) = 0;
    virtual void setConsultarHabilitado(bool on) = 0;
    virtual void setImprimirHabilitado(bool on) = 0;
    virtual bool Bandera() const = 0;  // the flag property
    virtual void setBandera(bool on) = 0;
    virtual bool EstadoEsc() const = 0;  // while true, Esc does nothing
};

}  // namespace shell

#define RS_ITOOLBAR_IID "rs501.shell.IToolbar/1"
Q_DECLARE_INTERFACE(shell::IToolbar, RS_ITOOLBAR_IID)
