#include "src/calendar/period.h"

#include <QStringList>

#include "platform/core/error.h"

namespace calendar {

void periodBounds(const QDate& base, const QString& tipo, QDate& inicio, QDate& fin) {
    if (!base.isValid()) throw core::Error(QStringLiteral("La fecha base no es válida."));
    const QString t = tipo.toUpper();
    if (t == QLatin1String("WW")) {
        inicio = base.addDays(1 - weekdayFromSunday(base));
        fin = inicio.addDays(7);
    } else if (t == QLatin1String("M")) {
        inicio = QDate(base.year(), base.month(), 1);
        fin = inicio.addMonths(1);
    } else {
        inicio = base.addDays(1);
        fin = inicio.addDays(7);
    }
}

QDate moveByInterval(const QDate& base, const QString& tipo, int steps) {
    const QString t = tipo.toUpper();
    if (t == QLatin1String("WW")) return base.addDays(7 * steps);
    if (t == QLatin1String("M")) return base.addMonths(steps);
    throw core::Error(QStringLiteral("Tipo de periodo desconocido: \"%1\".").arg(tipo));
}

int slotCount(const QTime& start, const QTime& end) {
    const int minutes = start.secsTo(end) / 60;
    return minutes < 0 ? 0 : minutes / 30 + 1;
}

QString dayName(int weekday) {
    static const char* const names[] = {"DOM", "LUN", "MAR", "MIE", "JUE", "VIE", "SAB"};
    return weekday >= 1 && weekday <= 7 ? QString::fromLatin1(names[weekday - 1]) : QStringLiteral("NA");
}

QLocale titleLocale() {
    const QLocale system = QLocale::system();
    if (system.language() == QLocale::C) return QLocale(QLocale::Spanish, QLocale::Mexico);
    return system;
}

QString monthTitle(const QDate& d, const QLocale& locale) {
    return (locale.standaloneMonthName(d.month(), QLocale::LongFormat) + QLatin1Char(' ') +
            QString::number(d.year()).rightJustified(4, QLatin1Char('0')))
        .toUpper();
}

bool parameterFlag(const QString& text) {
    const QString value = text.trimmed();
    bool numeric = false;
    const double number = value.toDouble(&numeric);
    if (numeric) return number != 0;
    for (const char* yes : {"true", "verdadero", "si", "sí"})
        if (value.compare(QString::fromUtf8(yes), Qt::CaseInsensitive) == 0) return true;
    return false;
}

}  // namespace calendar
