#include <QAbstractButton>
#include <QCalendarWidget>
#include <QLabel>
#include <QTextEdit>

#include "platform/core/contrast.h"
#include "tests/src/editorfixture.h"

namespace {

using reservation::frmReservacion;
using testsupport::EditorTest;

// The controls of a screen whose disabled text, by their own palettes, is
// under 4.5:1 against the background it is drawn on. Whether a control is
// disabled now does not matter: the colours are those it would show. The
// pickers' pop-up calendars keep their designed colours and disable nothing.
QStringList unreadableWhenDisabled(QWidget* screen) {
    QStringList out;
    for (QWidget* w : screen->findChildren<QWidget*>()) {
        bool inCalendar = false;
        for (QWidget* up = w; up && !inCalendar; up = up->parentWidget())
            inCalendar = qobject_cast<QCalendarWidget*>(up);
        if (inCalendar) continue;
        auto role = std::pair{QPalette::Text, QPalette::Base};
        if (qobject_cast<QLabel*>(w))
            role = {QPalette::WindowText, QPalette::Window};
        else if (qobject_cast<QAbstractButton*>(w))
            role = {QPalette::ButtonText, w->property("autoRaise").toBool() ? QPalette::Window : QPalette::Button};
        else if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QTextEdit*>(w))
            continue;
        const QPalette& pal = w->palette();
        const double ratio = core::contrastRatio(pal.color(QPalette::Disabled, role.first),
                                                 pal.color(QPalette::Disabled, role.second));
        if (ratio < 4.5)
            out << QString("%1/%2 %3").arg(w->parent()->objectName(), w->objectName()).arg(ratio, 0, 'f', 1);
    }
    return out;
}

// A stored reservation is read in disabled boxes: every text of both screens
// stays readable disabled, and the folio keeps the grey its design gives it.
TEST_P(EditorTest, DisabledTextOfBothScreensCanBeRead) {
    openOnRoom(false);
    EXPECT_EQ(unreadableWhenDisabled(screen), QStringList{});
    throughEditor("10:00", monday, [](frmReservacion* e) {
        EXPECT_EQ(unreadableWhenDisabled(e), QStringList{});
        EXPECT_EQ(e->findChild<QWidget*>("txtFolio")->findChild<QLineEdit*>()->palette().color(QPalette::Disabled,
                                                                                              QPalette::Base),
                  QColor(0x808080));
        click(e, "Salir");
    });
}

}  // namespace
