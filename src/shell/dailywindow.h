#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

namespace shell {

// The daily reservation window from its parameter text "hh:mm,hh:mm". Both
// the screen that reads the parameter and the host that stores it apply
// this one rule, so a value the host accepts is never reported later.
struct DailyWindow {
    static inline const QString kParameter = QStringLiteral("RS_HORARIO_RESERVACIONES");
    static inline const QString kDefault = QStringLiteral("09:00,18:30");

    QTime start{9, 0};
    QTime end{18, 30};
    // Set but not two times of day, the first not after the second: the
    // default stands and the user is told.
    bool malformed = false;

    static DailyWindow parse(const QString& text) {
        DailyWindow w;
        if (text.trimmed().isEmpty()) return w;  // not set: the default, nothing to say
        const QStringList pieces = text.split(QLatin1Char(','));
        if (pieces.size() < 2) {
            w.malformed = true;
            return w;
        }
        const auto time = [](const QString& piece) {
            const QString full = piece.trimmed() + QStringLiteral(":00");
            const QTime t = QTime::fromString(full, QStringLiteral("H:mm:ss"));
            return t.isValid() ? t : QTime::fromString(full, QStringLiteral("HH:mm:ss"));
        };
        const QTime start = time(pieces.at(0));
        const QTime end = time(pieces.at(1));
        if (!start.isValid() || !end.isValid() || end < start) {
            w.malformed = true;
            return w;
        }
        w.start = start;
        w.end = end;
        return w;
    }
};

}  // namespace shell
