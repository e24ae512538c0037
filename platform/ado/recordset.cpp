#include "platform/ado/recordset.h"

#include "platform/core/error.h"

namespace ado {

Recordset::Recordset(QStringList columns, std::vector<QVariantList> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

void Recordset::MoveNext() {
    requireRow();
    ++position_;
}

Field Recordset::Fields(const QString& column) const {
    return Fields(columnIndex(column));
}

Field Recordset::Fields(int index) const {
    requireRow();
    if (index < 0 || index >= columns_.size())
        throw core::Error(QStringLiteral("El conjunto de registros no tiene la columna número %1.").arg(index));
    return Field{columns_.at(index), rows_[position_].at(index)};
}

int Recordset::columnIndex(const QString& column) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).compare(column, Qt::CaseInsensitive) == 0) return i;
    throw core::Error(QStringLiteral("El conjunto de registros no tiene la columna \"%1\".").arg(column));
}

void Recordset::requireRow() const {
    if (Eof()) throw core::Error(QStringLiteral("No hay registro actual: se llegó al final del conjunto de registros."));
}

}  // namespace ado
