#pragma once

#include <QObject>
#include <QString>

namespace shell {

// coloresQNT.colorQNT: non-visual, a child of the screen it colours.
class IColorScheme {
public:
    virtual ~IColorScheme() = default;
    virtual void Aplicar() = 0;  // applies the scheme to its parent screen
};

}  // namespace shell

#define RS_ICOLORSCHEME_IID "rs501.shell.IColorScheme/1"
Q_DECLARE_INTERFACE(shell::IColorScheme, RS_ICOLORSCHEME_IID)
