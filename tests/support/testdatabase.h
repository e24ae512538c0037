#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QString>
#include <QTemporaryDir>

#include "platform/ado/connection.h"

// Failures print Qt strings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace testsupport {

// A fresh, empty database of one engine: a temporary SQLite file, or a
// schema of its own on the PostgreSQL server the test command started
// (RS501_TEST_PG), dropped again at the end.
class TestDatabase {
public:
    explicit TestDatabase(const std::string& backend);
    ~TestDatabase();

    static bool available(const std::string& backend);
    static std::vector<std::string> backends() { return {"sqlite", "postgresql"}; }

    const QString& connectionText() const { return text_; }
    std::unique_ptr<ado::Connection> open() const { return ado::open(text_); }

private:
    std::string backend_;
    QTemporaryDir dir_;
    QString text_;
    QString pgSchema_;
};

// A test run once per engine, with a fresh database and one open connection.
class BackendTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override;
    void TearDown() override;

    QStringList rows(const QString& sql, const QVariantList& params = {});
    long long scalar(const QString& sql, const QVariantList& params = {}) {
        return conn->Execute(sql, params).Fields(0).Value.toLongLong();
    }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<ado::Connection> conn;
};

// Each row's values joined by '|', NULL for a missing one.
QStringList rows(ado::Connection& c, const QString& sql, const QVariantList& params = {});

std::string backendName(const ::testing::TestParamInfo<std::string>& info);

#define RS_INSTANTIATE_BACKENDS(Suite)                                                                       \
    INSTANTIATE_TEST_SUITE_P(Backends, Suite, ::testing::ValuesIn(::testsupport::TestDatabase::backends()), \
                             ::testsupport::backendName)

}  // namespace testsupport
