#pragma once

#include <QObject>
#include <QString>

namespace shell {

// LabelQnt.Etiqueta.
class ILabel {
public:
    virtual ~ILabel() = default;
    virtual QString Caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
};

}  // namespace shell

#define RS_ILABEL_IID "rs501.shell.ILabel/1"
Q_DECLARE_INTERFACE(shell::ILabel, RS_ILABEL_IID)
