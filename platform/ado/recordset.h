#pragma once

#include <vector>

#include <QString>
#include <QStringList>
#include <QVariant>

namespace ado {

// One column of the current row.
struct Field {
    QString Name;
    QVariant Value;  // null QVariant for SQL NULL
};

// A forward-only set of rows, read in full when the statement ran so that
// nothing stays open on the connection. Column names match case-blind, as
// PostgreSQL folds unquoted names to lower case.
class Recordset {
public:
    Recordset() = default;
    Recordset(QStringList columns, std::vector<QVariantList> rows);

    bool Eof() const { return position_ >= rows_.size(); }
    void MoveNext();
    Field Fields(const QString& column) const;
    Field Fields(int index) const;
    int FieldCount() const { return static_cast<int>(columns_.size()); }
    std::size_t RecordCount() const { return rows_.size(); }
    const QStringList& columns() const { return columns_; }

private:
    int columnIndex(const QString& column) const;
    void requireRow() const;

    QStringList columns_;
    std::vector<QVariantList> rows_;
    std::size_t position_ = 0;
};

}  // namespace ado
