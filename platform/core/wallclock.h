#pragma once

#include <QDateTime>

namespace core {

// A reading of the wall clock as a date-time: local time when that reading
// exists here, else the same reading in UTC, so that its date and time are
// never moved or lost where the clocks jump (00:00 does not exist on some
// days in Cairo or Santiago).
inline QDateTime wallClock(const QDate& day, const QTime& time) {
    const QDateTime local(day, time);
    if (local.isValid() && local.date() == day && local.time() == time) return local;
    return QDateTime(day, time, Qt::UTC);
}

}  // namespace core
