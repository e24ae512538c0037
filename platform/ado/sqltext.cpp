#include "platform/ado/sqltext.h"

#include <QDate>
#include <QDateTime>

#include "platform/core/error.h"

namespace ado {

void checkValue(const QString& value) {
    for (qsizetype i = 0; i < value.size(); ++i) {
        const ushort c = value.at(i).unicode();
        if (c == '\t' || c == '\n' || c == '\r') continue;
        if (c < 0x20 || c == 0x7f) {
            throw core::Error(
                QStringLiteral("El valor contiene un carácter de control (código %1) en la posición %2; no se acepta.")
                    .arg(c)
                    .arg(i + 1));
        }
    }
}

QString parameterText(const QVariant& value) {
    QString text;
    bool valid = true;
    switch (value.typeId()) {
        case QMetaType::QDate:
            valid = value.toDate().isValid();
            text = value.toDate().toString(Qt::ISODate);
            break;
        case QMetaType::QDateTime:
            valid = value.toDateTime().isValid();
            text = value.toDateTime().toString(kTimestampFormat);
            break;
        default: text = value.toString();
    }
    if (!valid) throw core::Error(QStringLiteral("La fecha no es válida; no se acepta."));
    checkValue(text);
    return text;
}

QString protect(const QString& value) {
    checkValue(value);
    QString out = value;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return out;
}

QString quoted(const QString& value) {
    return QLatin1Char('\'') + protect(value) + QLatin1Char('\'');
}

bool isPlainIdentifier(const QString& name) {
    if (name.isEmpty() || name.size() > 63) return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!letter && !(digit && i > 0)) return false;
    }
    return true;
}

namespace {
SqlPlace placeInside(QChar closing) {
    if (closing.isNull()) return SqlPlace::Statement;
    return closing == QLatin1Char('\'') ? SqlPlace::QuotedText : SqlPlace::QuotedIdentifier;
}
}  // namespace

QString replacePlaceholders(const QString& sql, const std::function<QString(SqlPlace)>& replacement) {
    QString out;
    out.reserve(sql.size() + 8);
    QChar closing;  // non-null while inside '...' or "..."
    for (const QChar c : sql) {
        if (c == QLatin1Char('?')) {
            out += replacement(placeInside(closing));
            continue;
        }
        if (closing.isNull() && (c == QLatin1Char('\'') || c == QLatin1Char('"')))
            closing = c;
        else if (c == closing)
            closing = QChar();
        out += c;
    }
    return out;
}

QString numberPlaceholders(const QString& sql) {
    int next = 1;
    return replacePlaceholders(sql, [&next](SqlPlace place) {
        return place == SqlPlace::Statement ? QLatin1Char('$') + QString::number(next++) : QStringLiteral("?");
    });
}

}  // namespace ado
