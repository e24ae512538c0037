#pragma once

#include <optional>
#include <vector>

#include <QString>

#include "platform/ado/connection.h"

namespace controls {

// A catalogue a text box can list for picking (its "idconsulta"): which table,
// which columns, which rows are retired and what a pick writes into the box.
class Catalogue {
public:
    struct Row {
        QString key;
        QString description;
        QString pick;  // what the box receives when the row is picked
    };

    // The catalogue of an idconsulta (case-blind); none when unknown.
    static std::optional<Catalogue> find(const QString& id);

    // Throws core::Error unless the host's extra condition is a single
    // expression: no statement separator, no comment.
    static void checkCondition(const QString& condition);

    // The listed rows in key order, retired ones left out, restricted by the
    // host's extra condition when there is one.
    std::vector<Row> rows(ado::Connection& connection, const QString& condition) const;

    const QString& id() const { return id_; }
    const QString& title() const { return title_; }

private:
    Catalogue(QString id, QString title, QString table, QString keyColumn, QString descriptionColumn,
              QString stateColumn, bool picksDescription);

    QString id_;
    QString title_;
    QString table_;
    QString keyColumn_;
    QString descriptionColumn_;
    QString stateColumn_;  // empty: the table keeps no state
    bool picksDescription_;
};

}  // namespace controls
