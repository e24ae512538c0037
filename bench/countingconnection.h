#pragma once

#include <memory>

#include "platform/ado/connection.h"

namespace bench {

// Passes everything to a real connection and counts the statements it was
// asked to run (BEGIN, COMMIT and ROLLBACK count: each costs the server a
// statement too), so a benchmark can report statements per repaint.
class CountingConnection : public ado::Connection {
public:
    explicit CountingConnection(std::unique_ptr<ado::Connection> inner) : inner_(std::move(inner)) {}

    ado::Recordset Execute(const QString& sql, const QVariantList& params = {}) override;
    // Forwarded whole, so the engine can still send the executions together.
    std::vector<ado::Recordset> ExecuteMany(const QString& sql, const std::vector<QVariantList>& paramLists) override;
    void ReadAhead(const std::vector<std::pair<QString, QVariantList>>& reads) override { inner_->ReadAhead(reads); }
    ado::BatchAnswer ExecuteBatch(const std::vector<ado::Statement>& statements, int beginAt = -1) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override { return inner_->InTransaction(); }
    const ado::Dialect& dialect() const override { return inner_->dialect(); }
    QString description() const override { return inner_->description(); }

    long long statements() const { return statements_; }

private:
    std::unique_ptr<ado::Connection> inner_;
    long long statements_ = 0;
};

}  // namespace bench
