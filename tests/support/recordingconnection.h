#pragma once

#include <functional>
#include <memory>

#include <QStringList>

#include "platform/ado/connection.h"

namespace testsupport {

// Passes everything to a real connection, keeps the statements it ran and
// can make the N-th statement fail as a database would.
class RecordingConnection : public ado::Connection {
public:
    explicit RecordingConnection(ado::Connection& inner) : inner_(inner) {}
    // Owns the connection it records, so it can stand in a host session.
    explicit RecordingConnection(std::unique_ptr<ado::Connection> inner) : owned_(std::move(inner)), inner_(*owned_) {}

    ado::Recordset Execute(const QString& sql, const QVariantList& params = {}) override;
    // Forwarded whole, so the engine still sends the reads together; each is
    // recorded when it is asked for, as before.
    void ReadAhead(const std::vector<std::pair<QString, QVariantList>>& reads) override { inner_.ReadAhead(reads); }
    // Forwarded whole, so the engine still sends it together, unless a
    // planted failure or action falls inside it.
    ado::BatchAnswer ExecuteBatch(const std::vector<ado::Statement>& batch, int beginAt = -1) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void RollbackTrans() override;
    bool InTransaction() const override { return inner_.InTransaction(); }
    const ado::Dialect& dialect() const override { return inner_.dialect(); }
    QString description() const override { return inner_.description(); }

    // Statement number n (1-based, counting from now; BEGIN and COMMIT
    // count) throws core::Error. endsTransaction: the failure also rolls the
    // open transaction back, as SQLite does on a full disk.
    void failAt(int n, bool endsTransaction = false) {
        failAt_ = static_cast<int>(statements.size()) + n;
        endsTransaction_ = endsTransaction;
    }

    // Runs action just before statement number n (counted as failAt does)
    // goes to the database, which then answers it as it can.
    void beforeStatement(int n, std::function<void()> action) {
        hookAt_ = static_cast<int>(statements.size()) + n;
        hook_ = std::move(action);
    }

    ado::Connection& inner() { return inner_; }

    QStringList statements;  // every Execute, plus "BEGIN", "COMMIT", "ROLLBACK"
    QList<QVariantList> values;  // each statement's bound values

private:
    void record(const QString& sql, const QVariantList& params = {});

    std::unique_ptr<ado::Connection> owned_;
    ado::Connection& inner_;
    int failAt_ = 0;
    bool endsTransaction_ = false;
    int hookAt_ = 0;
    std::function<void()> hook_;
};

}  // namespace testsupport
