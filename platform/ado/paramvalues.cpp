#include "platform/ado/paramvalues.h"

#include "platform/ado/sqltext.h"

namespace ado {

namespace {

QByteArray paramText(const QVariant& v) {
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? "true" : "false";
    return parameterText(v).toUtf8();  // checked: libpq would cut a text at a NUL
}

}  // namespace

ParamValues::ParamValues(const QVariantList& params) {
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

}  // namespace ado
