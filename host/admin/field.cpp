#include "host/admin/field.h"

#include <algorithm>

#include "host/admin/inputerror.h"
#include "host/schema/schema.h"

namespace admin {

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
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        throw InputError(QStringLiteral("%1 tiene caracteres de control, que no se admiten.").arg(subject));
    const int max = width(table, column);
    if (max > 0 && text.size() > max)
        throw InputError(QStringLiteral("%1 tiene %2 caracteres y admite hasta %3.").arg(subject).arg(text.size()).arg(max));
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
