#include <gtest/gtest.h>

#include "platform/ado/transaction.h"
#include "platform/core/error.h"
#include "tests/support/testdatabase.h"

namespace {

class ExecuteManyTest : public testsupport::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) return;
        conn->Execute("CREATE TABLE nota (id INTEGER PRIMARY KEY, texto VARCHAR(20))");
        conn->Execute("INSERT INTO nota (id, texto) VALUES (1, 'uno'), (2, 'dos'), (3, 'tres')");
    }
    int count() { return conn->Execute("SELECT COUNT(*) FROM nota").Fields(0).Value.toInt(); }
};

TEST_P(ExecuteManyTest, AnswersComeBackInTheOrderAsked) {
    const auto answers = conn->ExecuteMany("SELECT texto FROM nota WHERE id = ?", {{3}, {99}, {1}, {3}});
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers[0].Fields(0).Value.toString(), "tres");
    EXPECT_TRUE(answers[1].Eof());
    EXPECT_EQ(answers[2].Fields(0).Value.toString(), "uno");
    EXPECT_EQ(answers[3].Fields(0).Value.toString(), "tres");
    EXPECT_TRUE(conn->ExecuteMany("SELECT texto FROM nota WHERE id = ?", {}).empty());

    // More than one batch's worth: still every answer, in order.
    std::vector<QVariantList> many;
    for (int i = 0; i < 2500; ++i) many.push_back({QString::number(i)});
    const auto echoed = conn->ExecuteMany("SELECT ? AS n", many);
    ASSERT_EQ(echoed.size(), many.size());
    for (std::size_t i = 0; i < many.size(); i += 499) EXPECT_EQ(echoed[i].Fields(0).Value.toString(), many[i][0]);
}

TEST_P(ExecuteManyTest, AFailureIsRaisedAndTheConnectionGoesOn) {
    EXPECT_THROW(conn->ExecuteMany("INSERT INTO nota (id, texto) VALUES (?, 'x')", {{4}, {1}, {5}}), core::Error);
    EXPECT_FALSE(conn->InTransaction());
    EXPECT_EQ(conn->Execute("SELECT texto FROM nota WHERE id = 2").Fields(0).Value.toString(), "dos");
    conn->Execute("DELETE FROM nota WHERE id > 3");  // what ran before the failure depends on the engine
    {
        ado::Transaction tx(*conn);
        EXPECT_THROW(conn->ExecuteMany("INSERT INTO nota (id, texto) VALUES (?, 'x')", {{6}, {2}}), core::Error);
    }
    EXPECT_EQ(count(), 3);  // the guard took back what did run
    ado::Transaction tx(*conn);
    conn->ExecuteMany("INSERT INTO nota (id, texto) VALUES (?, ?)", {{7, "siete"}, {8, QVariant()}});
    tx.commit();
    EXPECT_EQ(count(), 5);
    EXPECT_TRUE(conn->Execute("SELECT texto FROM nota WHERE id = 8").Fields(0).Value.isNull());
}

RS_INSTANTIATE_BACKENDS(ExecuteManyTest);

}  // namespace
