#include <gtest/gtest.h>

#include <barrier>
#include <thread>

#include <QDate>

#include "host/schema/schema.h"
#include "platform/ado/transaction.h"
#include "platform/core/error.h"
#include "tests/support/testdatabase.h"

namespace {

using schema::Schema;

class OverlapGuardTest : public testsupport::BackendTest {
protected:
    void SetUp() override {
        BackendTest::SetUp();
        if (IsSkipped()) return;
        Schema::ensure(*conn);
    }
    static void book(ado::Connection& c, const QString& folio, const QDate& day, const char* start, const char* end,
                     const char* room = "0000000001", const char* state = "AC") {
        c.Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, "
                  "Es_Cve_Estado) VALUES (?, ?, ?, ?, ?, ?)",
                  {folio, day, start, end, room, state});
    }
    // Two desktops book the same hour of one room at the same moment, each
    // after checking the room is free, as the editor does; returns how many
    // of the rounds ended with both stored.
    int doubleBookings(int rounds) {
        std::barrier together(2);
        const auto desktop = [&](int who) {
            auto own = db->open();
            for (int r = 0; r < rounds; ++r) {
                together.arrive_and_wait();
                const QDate day = QDate(2031, 1, 1).addDays(r);
                try {
                    if (!own->Execute("SELECT Rsj_Folio FROM Reservacion_Sala_Junta WHERE Rsj_Fecha = ? AND "
                                      "Rsj_Inicio < '11:00' AND '10:00' < Rsj_Fin", {day}).Eof())
                        continue;
                    ado::Transaction tx(*own);
                    book(*own, QString::number(r * 2 + who).rightJustified(10, '0'), day, "10:00", "11:00");
                    tx.commit();
                } catch (const core::Error&) {
                    // refused by the guard: not stored
                }
            }
        };
        std::thread a(desktop, 0), b(desktop, 1);
        a.join();
        b.join();
        const QString doubled = "SELECT COUNT(*) FROM (SELECT Rsj_Fecha FROM Reservacion_Sala_Junta "
                                "GROUP BY Rsj_Fecha HAVING COUNT(*) > 1) d";
        return conn->Execute(doubled).Fields(0).Value.toInt();
    }
};

TEST_P(OverlapGuardTest, WithTheGuardOnTheDatabaseRefusesOnlyOverlappingActiveRows) {
    const QDate day(2031, 3, 3);
    book(*conn, "0000000001", day, "10:00", "12:00");
    book(*conn, "0000000002", day, "10:00", "12:00");  // off: the database takes anything
    conn->Execute("DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio = '0000000002'");
    Schema::setOverlapGuard(*conn, true);
    Schema::setOverlapGuard(*conn, true);  // setting it twice is harmless
    struct Case {
        const char *start, *end, *room, *state;
        QDate day;
        bool stored;
    } const cases[] = {
        {"10:00", "12:00", "0000000001", "AC", day, false},           // identical
        {"09:00", "13:00", "0000000001", "AC", day, false},           // enclosing
        {"11:00", "11:30", "0000000001", "AC", day, false},           // inside
        {"11:59", "12:30", "0000000001", "AC", day, false},           // overlapping the end
        {"12:00", "13:00", "0000000001", "AC", day, true},            // touching
        {"10:00", "12:00", "0000000001", "CA", day, true},            // cancelled
        {"10:00", "12:00", "0000000002", "AC", day, true},            // another room
        {"10:00", "12:00", "0000000001", "AC", day.addDays(1), true},  // another day
    };
    int folio = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + "-" + c.end + " " + c.room + " " + c.state);
        const QString key = QString::number(++folio).rightJustified(10, '0');
        QString outcome = "stored";
        try {
            book(*conn, key, c.day, c.start, c.end, c.room, c.state);
            conn->Execute("DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio = ?", {key});
        } catch (const core::Error& e) {
            outcome = e.description();
        }
        EXPECT_TRUE(c.stored ? outcome == "stored" : outcome.contains("La sala ya tiene una reservación en ese horario"))
            << outcome.toStdString();
    }
    // A row may be rewritten in place; cancelling frees its hours.
    conn->Execute("UPDATE Reservacion_Sala_Junta SET Rsj_Fin = '12:30' WHERE Rsj_Folio = '0000000001'");
    book(*conn, "0000000003", day, "14:00", "15:00");
    EXPECT_THROW(conn->Execute("UPDATE Reservacion_Sala_Junta SET Rsj_Inicio = '12:00' WHERE Rsj_Folio = '0000000003'"),
                 core::Error);
    conn->Execute("UPDATE Reservacion_Sala_Junta SET Es_Cve_Estado = 'CA' WHERE Rsj_Folio = '0000000001'");
    EXPECT_NO_THROW(book(*conn, "0000000004", day, "10:00", "12:00"));
    Schema::setOverlapGuard(*conn, false);
    EXPECT_NO_THROW(book(*conn, "0000000005", day, "10:00", "12:00"));
}

// The editor checks before its transaction, so two desktops can both find
// the hour free; with the guard on, the database lets only one through.
TEST_P(OverlapGuardTest, TwoDesktopsAtOnceNeverDoubleBookWithTheGuardOn) {
    constexpr int kRounds = 40;
    const int unguarded = doubleBookings(kRounds);
    RecordProperty("double_bookings_guard_off", unguarded);
    std::cout << "[ measured ] " << GetParam() << ": " << unguarded << " of " << kRounds
              << " rounds double-booked with the guard off\n";
    conn->Execute("DELETE FROM Reservacion_Sala_Junta");
    Schema::setOverlapGuard(*conn, true);
    EXPECT_EQ(doubleBookings(kRounds), 0);
    EXPECT_EQ(conn->Execute("SELECT COUNT(*) FROM Reservacion_Sala_Junta").Fields(0).Value.toInt(), kRounds);
}

RS_INSTANTIATE_BACKENDS(OverlapGuardTest);

}  // namespace
