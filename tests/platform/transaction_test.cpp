#include <gtest/gtest.h>

#include "platform/ado/transaction.h"
#include "platform/core/error.h"
#include "tests/support/recordingconnection.h"
#include "tests/support/testdatabase.h"

namespace {

class TransactionTest : public testsupport::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) return;
        conn->Execute("CREATE TABLE nota (id INTEGER PRIMARY KEY)");
    }
    int count() { return conn->Execute("SELECT COUNT(*) FROM nota").Fields(0).Value.toInt(); }
    void insert(int id) { conn->Execute("INSERT INTO nota (id) VALUES (?)", {id}); }
};

ado::Transaction begun(ado::Connection& c, int id) {
    ado::Transaction tx(c);
    c.Execute("INSERT INTO nota (id) VALUES (?)", {id});
    return tx;  // the caller's guard owns it now
}

TEST_P(TransactionTest, AMovedGuardOwnsTheTransactionAndRollbackIsExplicit) {
    {
        ado::Transaction tx = begun(*conn, 1);
        EXPECT_TRUE(conn->InTransaction());
        tx.commit();
        EXPECT_FALSE(tx.open());
    }
    EXPECT_EQ(count(), 1);
    {
        ado::Transaction outer(*conn);
        insert(2);
        ado::Transaction inner(std::move(outer));
        EXPECT_FALSE(outer.open());
        inner.rollback();
        EXPECT_FALSE(conn->InTransaction());
        EXPECT_THROW(inner.commit(), core::Error);  // nothing left to commit
    }
    EXPECT_EQ(count(), 1);
    {
        ado::Transaction tx = begun(*conn, 3);  // returned, never committed
        EXPECT_TRUE(tx.open());
    }
    EXPECT_FALSE(conn->InTransaction());
    EXPECT_EQ(count(), 1);
}

TEST_P(TransactionTest, ARefusedCommitLeavesTheGuardArmed) {
    testsupport::RecordingConnection rec(*conn);
    {
        ado::Transaction tx(rec);
        insert(5);
        rec.failAt(1);  // the COMMIT
        EXPECT_THROW(tx.commit(), core::Error);
        EXPECT_TRUE(tx.open());
        EXPECT_TRUE(conn->InTransaction());
    }
    EXPECT_FALSE(conn->InTransaction());
    EXPECT_EQ(count(), 0);
}

RS_INSTANTIATE_BACKENDS(TransactionTest);

}  // namespace
