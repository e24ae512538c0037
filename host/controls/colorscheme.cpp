#include "host/controls/colorscheme.h"

#include <QWidget>

#include "host/controls/datepicker.h"
#include "host/controls/label.h"
#include "host/controls/textbox.h"
#include "platform/core/units.h"

namespace controls {

ColorScheme::ColorScheme(QObject* parent) : QObject(parent) {}

void ColorScheme::Aplicar() {
    auto* screen = qobject_cast<QWidget*>(parent());
    if (!screen) return;  // nothing to colour yet

    QPalette pal = screen->palette();
    pal.setColor(QPalette::Window, core::fromBgr(static_cast<quint32>(backcolor)));
    screen->setPalette(pal);
    screen->setAutoFillBackground(true);

    for (TextBox* box : screen->findChildren<TextBox*>()) {
        box->setEnabledcolor(enablecolor);
        box->setDisabledcolor(disablecolor);
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
