#include "platform/ado/pgvalues.h"

#include <libpq-fe.h>

#include "platform/ado/sqltext.h"

namespace ado {

namespace {

// Type identifiers of the built-in types whose values we hand out as numbers.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;

QByteArray paramText(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? "true" : "false";
    return parameterText(v).toUtf8();  // checked: libpq would cut a text at a NUL
}

}  // namespace

PgValues::PgValues(const QVariantList& params) {
    texts.reserve(params.size());  // no reallocation: values point into texts
    for (const QVariant& v : params) {
        if (v.isNull()) {
            values.push_back(nullptr);
        } else {
            texts.push_back(paramText(v));
            values.push_back(texts.back().constData());
        }
    }
}

QVariant PgValues::cell(const pg_result* r, int row, int col) {
    if (PQgetisnull(r, row, col)) return QVariant();
    const char* text = PQgetvalue(r, row, col);
    switch (PQftype(r, col)) {
        case kBool: return QVariant(text[0] == 't');
        case kInt2:
        case kInt4:
        case kInt8: return QVariant(QByteArray(text).toLongLong());
        case kFloat4:
        case kFloat8:
        case kNumeric: return QVariant(QByteArray(text).toDouble());
        default: return QVariant(QString::fromUtf8(text, PQgetlength(r, row, col)));
    }
}

}  // namespace ado
