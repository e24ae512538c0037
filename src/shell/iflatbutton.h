#pragma once

#include <QObject>
#include <QString>

namespace shell {

// flatButtonQNT.flatButton. Signal: Click().
class IFlatButton {
public:
    virtual ~IFlatButton() = default;
    virtual QString Caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
};

}  // namespace shell

#define RS_IFLATBUTTON_IID "rs501.shell.IFlatButton/1"
Q_DECLARE_INTERFACE(shell::IFlatButton, RS_IFLATBUTTON_IID)
