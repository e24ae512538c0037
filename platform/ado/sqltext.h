#pragma once

#include <functional>

#include <QString>
#include <QVariant>

namespace ado {

// How dates with a time of day are written in SQL text and bound values.
inline const QString kTimestampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// Where a "?" stands in SQL text.
enum class SqlPlace { Statement, QuotedText, QuotedIdentifier };

// Protects a value that goes between single quotes in SQL text: apostrophes
// are doubled; NUL and other control characters (tab, line feed and carriage
// return excepted, which free text such as a purpose may hold) are refused.
QString protect(const QString& value);

// The protected value already enclosed in single quotes.
QString quoted(const QString& value);

// Throws unless the value is free of characters a statement cannot carry.
void checkValue(const QString& value);

// A bound value as the text both engines are handed: a date as
// 'yyyy-MM-dd', a date and time as kTimestampFormat, anything else as its
// text; checked as checkValue checks. An invalid date or time is refused
// rather than stored as an empty text by one engine and refused by the other.
QString parameterText(const QVariant& value);

// True for a plain identifier: a letter or underscore, then letters, digits
// or underscores, at most 63 characters.
bool isPlainIdentifier(const QString& name);

// The text with each "?" replaced by what replacement returns for its
// place; quotes and everything else are kept as they are. A doubled quote
// inside quoted text closes and reopens it, which scans the same.
QString replacePlaceholders(const QString& sql, const std::function<QString(SqlPlace)>& replacement);

// Rewrites each "?" outside quoted text and quoted identifiers as $1, $2, ...
QString numberPlaceholders(const QString& sql);

}  // namespace ado
