#pragma once

#include <QObject>
#include <QString>

#include "platform/ado/connection.h"

namespace shell {

// textoQNT.txtQNT. Signals: Change() on every edit, Consulta() when a key
// is confirmed (Enter, leaving the box, or a pick from the look-up list).
class ITextBox {
public:
    virtual ~ITextBox() = default;
    virtual QString Text() const = 0;
    virtual void setText(const QString& text) = 0;
    virtual QString FormatoClave() const = 0;  // key format, e.g. "0000"
    virtual void setFormatoClave(const QString& format) = 0;
    virtual QString CondicionConsulta() const = 0;  // look-up condition
    virtual void setCondicionConsulta(const QString& condition) = 0;
    virtual QString ValorClave() const = 0;  // the key as confirmed
    // Runs the box's own look-up again and fills its result control.
    virtual void ActualizarConsulta() = 0;
    // The read ActualizarConsulta would make now; no text when the box has no look-up.
    virtual ado::Statement ConsultaActual() const = 0;
};

}  // namespace shell

#define RS_ITEXTBOX_IID "rs501.shell.ITextBox/1"
Q_DECLARE_INTERFACE(shell::ITextBox, RS_ITEXTBOX_IID)
