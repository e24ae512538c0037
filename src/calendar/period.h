#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

#include "src/shell/dailywindow.h"

namespace calendar {

// The period shown for a base date: "ww" (any case) the Sunday-to-Saturday
// week holding it, "m" its calendar month, anything else the seven days
// after it. fin is exclusive.
void periodBounds(const QDate& base, const QString& tipo, QDate& inicio, QDate& fin);

// base moved by steps intervals of tipo: "ww" a week, "m" a calendar month
// (a day the target month lacks becomes its last day). Throws core::Error
// for any other tipo.
QDate moveByInterval(const QDate& base, const QString& tipo, int steps);

// Half-hour slot starts from start up to and including end; 0 when the
// window ends before it starts.
int slotCount(const QTime& start, const QTime& end);

// "DOM" .. "SAB" for 1 (Sunday) .. 7; "NA" for anything else.
QString dayName(int weekday);

// Sunday = 1 ... Saturday = 7.
inline int weekdayFromSunday(const QDate& d) {
    return d.dayOfWeek() % 7 + 1;
}

// The locale month titles follow: the user's, or Mexican Spanish under the
// C/POSIX locale, like every other text of the screens.
QLocale titleLocale();

// "MARZO 2024": full month name and year, upper case.
QString monthTitle(const QDate& d, const QLocale& locale = titleLocale());

// The daily reservation window, by the rule the host shares.
using Window = shell::DailyWindow;
inline Window parseWindow(const QString& text) {
    return Window::parse(text);
}

// A parameter taken as a Boolean: a number is true unless it is zero ("0",
// "00", "0.0" are all off); "true", "verdadero", "si" or "sí" in any case
// are true; any other text is false.
bool parameterFlag(const QString& text);

}  // namespace calendar
