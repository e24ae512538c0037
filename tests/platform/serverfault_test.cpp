#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/ado/pgconnection.h"
#include "platform/ado/transaction.h"
#include "platform/core/error.h"
#include "tests/support/serverfault.h"
#include "tests/support/testdatabase.h"

namespace {

using testsupport::ServerFault;
using Kind = ServerFault::Kind;

struct Cut {
    const char* name;
    Kind kind;
    bool atCommit;       // the fault comes after the last insert, before COMMIT
    const char* saying;  // what the first failing call must tell the user
};

// A transaction cut short by the server stores none of its rows, however it
// ends; the desktop hears so within the answer wait, and its next statement
// works on a new session without a restart.
class ServerFaultTest : public ::testing::TestWithParam<Cut> {
protected:
    void SetUp() override {
        if (!testsupport::TestDatabase::available("postgresql")) GTEST_SKIP() << "no PostgreSQL server";
        db = std::make_unique<testsupport::TestDatabase>("postgresql");
        conn = db->open();
        dynamic_cast<ado::PgConnection&>(*conn).setAnswerWait(std::chrono::seconds(1));
        conn->Execute("CREATE TABLE nota (id INTEGER PRIMARY KEY)");
    }
    long long stored() { return db->open()->Execute("SELECT COUNT(*) FROM nota").Fields(0).Value.toLongLong(); }

    std::unique_ptr<testsupport::TestDatabase> db;
    std::unique_ptr<ado::Connection> conn;
};

TEST_P(ServerFaultTest, NothingOfTheTransactionIsStoredAndTheNextStatementWorks) {
    const Cut& cut = GetParam();
    ServerFault fault(*conn, db->connectionText());
    QElapsedTimer clock;
    QStringList heard;
    try {
        ado::Transaction transaction(*conn);
        conn->Execute("INSERT INTO nota (id) VALUES (?)", {1});
        fault.strike(cut.kind);
        clock.start();
        // A caller that shrugs off the first failure must not get the
        // rest stored one by one on a new session.
        for (int id : {2, 3}) {
            try {
                if (!cut.atCommit) conn->Execute("INSERT INTO nota (id) VALUES (?)", {id});
            } catch (const core::Error& e) {
                heard << e.description();
            }
        }
        transaction.commit();
    } catch (const core::Error& e) {
        heard << e.description();
    }
    EXPECT_LT(clock.elapsed(), 5000);
    ASSERT_FALSE(heard.isEmpty()) << "the cut went unnoticed";
    EXPECT_TRUE(heard.front().contains(cut.saying)) << heard.front().toStdString();
    for (const QString& h : heard) EXPECT_TRUE(h.contains("no se") || h.contains("No se")) << h.toStdString();
    fault.thaw();

    EXPECT_FALSE(conn->InTransaction());
    EXPECT_EQ(conn->Execute("SELECT 7").Fields(0).Value.toLongLong(), 7);
    // A commit that went unanswered may have reached the server: the user
    // was told the outcome is unknown, so only the others are counted.
    if (!cut.atCommit || cut.kind == Kind::Terminate) {
        EXPECT_EQ(stored(), 0);
    }
    conn->Execute("INSERT INTO nota (id) VALUES (?)", {3});
    EXPECT_EQ(conn->Execute("SELECT COUNT(*) FROM nota WHERE id = 3").Fields(0).Value.toLongLong(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cuts, ServerFaultTest,
    ::testing::Values(Cut{"FrozenMidway", Kind::Freeze, false, "no respondió en 1 s"},
                      Cut{"FrozenAtCommit", Kind::Freeze, true, "No se sabe si la transacción quedó guardada"},
                      Cut{"EndedMidway", Kind::Terminate, false, "Se perdió la conexión"},
                      Cut{"EndedAtCommit", Kind::Terminate, true, "Se perdió la conexión"}),
    [](const auto& info) { return std::string(info.param.name); });

// Reading many answers at once waits no longer than one statement would.
TEST(ServerFaultBatch, AFrozenServerEndsABatchWithinTheWait) {
    if (!testsupport::TestDatabase::available("postgresql")) GTEST_SKIP() << "no PostgreSQL server";
    testsupport::TestDatabase db("postgresql");
    auto conn = db.open();
    dynamic_cast<ado::PgConnection&>(*conn).setAnswerWait(std::chrono::seconds(1));
    const QString sql = "SELECT ?::int";
    conn->ExecuteMany(sql, {{1}});  // prepared: what follows waits on the batch itself
    ServerFault fault(*conn, db.connectionText());
    fault.strike(Kind::Freeze);
    QElapsedTimer clock;
    clock.start();
    EXPECT_THROW(conn->ExecuteMany(sql, std::vector<QVariantList>(50, QVariantList{1})), core::Error);
    EXPECT_LT(clock.elapsed(), 5000);
    fault.thaw();
    EXPECT_EQ(conn->ExecuteMany("SELECT ?::int + 1", {{1}, {2}}).back().Fields(0).Value.toLongLong(), 3);
}

}  // namespace
