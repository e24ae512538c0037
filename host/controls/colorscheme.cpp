#include "host/controls/colorscheme.h"

#include <utility>

#include <QWidget>

#include "host/controls/datepicker.h"
#include "host/controls/label.h"
#include "host/controls/textbox.h"
#include "platform/core/contrast.h"
#include "platform/core/units.h"

namespace controls {

ColorScheme::ColorScheme(QObject* parent) : QObject(parent) {}

void ColorScheme::Aplicar() {
    auto* screen = qobject_cast<QWidget*>(parent());
    if (!screen) return;  // nothing to colour yet

    QPalette pal = screen->palette();
    pal.setColor(QPalette::Window, core::fromBgr(static_cast<quint32>(backcolor)));
    // Every control of the screen inherits readable disabled text, each on
    // the background it draws it on.
    for (const auto& [text, back] : {std::pair{QPalette::WindowText, QPalette::Window},
                                     std::pair{QPalette::ButtonText, QPalette::Button},
                                     std::pair{QPalette::Text, QPalette::Base}})
        pal.setColor(QPalette::Disabled, text, core::readableDisabledText(pal.color(QPalette::Disabled, back)));
    screen->setPalette(pal);
    screen->setAutoFillBackground(true);

    // The scheme fills in: a colour the screen's design gives a box stays.
    for (TextBox* box : screen->findChildren<TextBox*>()) {
        box->fillColors(enablecolor, disablecolor);
        if (textfontsize > 0) {
            QFont font = box->font();
            font.setPointSizeF(textfontsize);
            box->setFont(font);
        }
    }
    for (DatePicker* picker : screen->findChildren<DatePicker*>()) {
        picker->setCalendarbackcolor(calendarbackcolor);
        picker->setCalendarforecolor(calendarforecolor);
        picker->setCalendartitlebackcolor(calendartitlebackcolor);
        picker->setCalendartitleforecolor(calendartitleforecolor);
        picker->setCalendartrailingforecolor(calendartrailingforecolor);
    }
    if (labelfontsize > 0) {
        for (Label* label : screen->findChildren<Label*>()) {
            QFont font = label->font();
            font.setPointSizeF(labelfontsize);
            label->setFont(font);
        }
    }
}

}  // namespace controls
