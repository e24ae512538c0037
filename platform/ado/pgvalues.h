#pragma once

#include <vector>

#include <QByteArray>
#include <QVariant>
#include <QVariantList>

struct pg_result;

namespace ado {

// Values in libpq's text form: the parameters of one execution (a null
// parameter is a null pointer), and a result's cells back as values.
class PgValues {
public:
    // Throws core::Error for a value that cannot travel (a NUL in a text).
    explicit PgValues(const QVariantList& params);

    int count() const { return static_cast<int>(values.size()); }
    // Booleans and numbers of the built-in types as such, the rest as text.
    static QVariant cell(const pg_result* result, int row, int col);

    std::vector<QByteArray> texts;
    std::vector<const char*> values;  // point into texts
};

}  // namespace ado
