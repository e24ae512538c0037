#pragma once

#include <QObject>

#include "src/shell/icolorscheme.h"

namespace controls {

// coloresQNT.colorQNT: the screen's colours and font sizes, kept on a
// non-visual child of the screen and applied to it on request. The grid and
// menu colours are only held here for the controls that draw those parts.
class ColorScheme : public QObject, public shell::IColorScheme {
    Q_OBJECT
    Q_INTERFACES(shell::IColorScheme)
    Q_PROPERTY(int backcolor MEMBER backcolor)
    Q_PROPERTY(int calendarbackcolor MEMBER calendarbackcolor)
    Q_PROPERTY(int calendarforecolor MEMBER calendarforecolor)
    Q_PROPERTY(int calendartitlebackcolor MEMBER calendartitlebackcolor)
    Q_PROPERTY(int calendartitleforecolor MEMBER calendartitleforecolor)
    Q_PROPERTY(int calendartrailingforecolor MEMBER calendartrailingforecolor)
    Q_PROPERTY(int dbgridbackcolor MEMBER dbgridbackcolor)
    Q_PROPERTY(int dbgridbackcoloreven MEMBER dbgridbackcoloreven)
    Q_PROPERTY(int dbgridbackcolorodd MEMBER dbgridbackcolorodd)
    Q_PROPERTY(int enablecolor MEMBER enablecolor)
    Q_PROPERTY(int disablecolor MEMBER disablecolor)
    Q_PROPERTY(int focuscolor MEMBER focuscolor)
    Q_PROPERTY(double labelfontsize MEMBER labelfontsize)
    Q_PROPERTY(double textfontsize MEMBER textfontsize)
    Q_PROPERTY(int menubackcolor MEMBER menubackcolor)
    Q_PROPERTY(int menufontbackcolor MEMBER menufontbackcolor)
    Q_PROPERTY(int menuselbackcolor MEMBER menuselbackcolor)
public:
    explicit ColorScheme(QObject* parent = nullptr);

    // Colours the parent screen: its background, its text boxes (enabled and
    // disabled), its date pickers' calendars and, when a size is set, the
    // fonts of its labels and text boxes.
    Q_INVOKABLE void Aplicar() override;

    // 0x00BBGGRR colours; font sizes in points, 0 leaves the designed font.
    int backcolor = 0xF0F0F0;
    int calendarbackcolor = 0xFFFFFF;
    int calendarforecolor = 0x000000;
    int calendartitlebackcolor = 0x800000;
    int calendartitleforecolor = 0xFFFFFF;
    int calendartrailingforecolor = 0x808080;
    int dbgridbackcolor = 0xFFFFFF;
    int dbgridbackcoloreven = 0xFFFFFF;
    int dbgridbackcolorodd = 0xF5F5F5;
    int enablecolor = 0xFFFFFF;
    int disablecolor = 0xE0E0E0;
    int focuscolor = 0xC0FFFF;
    double labelfontsize = 0;
    double textfontsize = 0;
    int menubackcolor = 0xF0F0F0;
    int menufontbackcolor = 0x000000;
    int menuselbackcolor = 0xFFCC99;
};

}  // namespace controls
