#include "host/admin/field.h"

#include <algorithm>

#include "host/admin/inputerror.h"
#include "host/schema/schema.h"

namespace admin {

namespace {

// Characters that show as nothing or break a line: a key holding one looks
// just like another key, and a listing line would break.
bool invisible(uint c) {
    switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:  // zero-width spaces and joiners, direction marks
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph: return true;
        default: return false;
    }
}

}  // namespace

int Field::width(const QString& table, const QString& column) {
    if (const schema::Table* t = schema::Schema::findTable(table))
        for (const schema::Column& c : t->columns)
            if (c.name.compare(column, Qt::CaseInsensitive) == 0) return c.maxLength;
    throw core::Error(QStringLiteral("La tabla %1 no tiene la columna %2.").arg(table, column));
}

QString Field::text(const QString& value, const QString& table, const QString& column, const QString& label,
                    bool optional) {
    const QString text = value.trimmed();
    const QString subject = label.left(1).toUpper() + label.mid(1);
    if (text.isEmpty() && !optional) throw InputError(QStringLiteral("Falta %1.").arg(label));
    const QList<uint> characters = text.toUcs4();
    if (!text.isValidUtf16() || std::any_of(characters.begin(), characters.end(), invisible))
        throw InputError(QStringLiteral("%1 tiene caracteres de control o invisibles (de formato, de ancho cero), que no "
                                        "se admiten.")
                             .arg(subject));
    // The columns count characters, not the UTF-16 units of this string.
    const int max = width(table, column);
    if (max > 0 && characters.size() > max)
        throw InputError(
            QStringLiteral("%1 tiene %2 caracteres y admite hasta %3.").arg(subject).arg(characters.size()).arg(max));
    return text;
}

QDate Field::date(const QString& value) {
    const QString text = value.trimmed();
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        throw InputError(QStringLiteral("La fecha \"%1\" no es válida; escríbala como AAAA-MM-DD, por ejemplo 2025-12-25.")
                             .arg(value));
    return date;
}

}  // namespace admin
