#include "tests/support/testdatabase.h"

#include <atomic>

#include <QCoreApplication>
#include <QRandomGenerator>

namespace testsupport {

namespace {

QString pgBase() {
    return qEnvironmentVariable("RS501_TEST_PG");
}

QString withSearchPath(const QString& url, const QString& schema) {
    const QChar sep = url.contains(QLatin1Char('?')) ? QLatin1Char('&') : QLatin1Char('?');
    return url + sep + QStringLiteral("options=-csearch_path%3D") + schema;
}

}  // namespace

bool TestDatabase::available(const std::string& backend) {
    return backend == "sqlite" || !pgBase().isEmpty();
}

TestDatabase::TestDatabase(const std::string& backend) : backend_(backend) {
    if (backend == "sqlite") {
        text_ = QStringLiteral("sqlite:") + dir_.filePath(QStringLiteral("test.sqlite"));
        return;
    }
    static std::atomic<int> counter{0};
    pgSchema_ = QStringLiteral("t_%1_%2_%3")
                    .arg(QCoreApplication::applicationPid())
                    .arg(counter++)
                    .arg(QRandomGenerator::global()->bounded(1000000));
    ado::open(pgBase())->Execute(QStringLiteral("CREATE SCHEMA ") + pgSchema_);
    text_ = withSearchPath(pgBase(), pgSchema_);
}

TestDatabase::~TestDatabase() {
    if (pgSchema_.isEmpty()) return;
    try {
        ado::open(pgBase())->Execute(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(pgSchema_));
    } catch (const std::exception&) {
        // The throwaway server goes away with everything in it.
    }
}

void BackendTest::SetUp() {
    if (!TestDatabase::available(GetParam())) GTEST_SKIP() << "RS501_TEST_PG is not set: no PostgreSQL server";
    db = std::make_unique<TestDatabase>(GetParam());
    conn = db->open();
}

QStringList rows(ado::Connection& c, const QString& sql, const QVariantList& params) {
    QStringList out;
    for (ado::Recordset rs = c.Execute(sql, params); !rs.Eof(); rs.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rs.FieldCount(); ++i)
            row << (rs.Fields(i).Value.isNull() ? QStringLiteral("NULL") : rs.Fields(i).Value.toString());
        out << row.join(QLatin1Char('|'));
    }
    return out;
}

QStringList BackendTest::rows(const QString& sql, const QVariantList& params) {
    return testsupport::rows(*conn, sql, params);
}

void BackendTest::TearDown() {
    conn.reset();
    db.reset();
}

std::string backendName(const ::testing::TestParamInfo<std::string>& info) {
    return info.param;
}

}  // namespace testsupport
