#pragma once

#include <vector>

#include <QByteArray>
#include <QVariantList>

namespace ado {

// Parameter texts and the pointers libpq reads them through; a null
// parameter is a null pointer. Every value is checked as it is turned into
// text, so a refusal comes before anything is sent.
struct ParamValues {
    explicit ParamValues(const QVariantList& params);
    int count() const { return static_cast<int>(values.size()); }

    std::vector<QByteArray> texts;
    std::vector<const char*> values;
};

}  // namespace ado
