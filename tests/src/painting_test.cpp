#include <gtest/gtest.h>

#include <map>

#include <QElapsedTimer>
#include <QTimer>

#include "platform/ado/pgconnection.h"
#include "tests/src/calendarfixture.h"
#include "tests/support/serverfault.h"

namespace {

// How the calendar paints a room's reservations: colours, merges, the cell
// questions, and what happens when a painting is interrupted or fails.
class PaintingTest : public testsupport::CalendarTest {};

TEST_P(PaintingTest, ReservationsPaintAsMergedBlocksOfTheirRoomOnly) {
    open();
    const QDate sunday = screen->Inicio();
    const QDate monday = sunday.addDays(1), tuesday = sunday.addDays(2), wednesday = sunday.addDays(3),
                thursday = sunday.addDays(4), friday = sunday.addDays(5);
    addReservation("0000000007", monday, "10:00", "11:30", "0000000001");
    addReservation("0000000008", tuesday, "10:00", "10:00", "0000000001");         // starts and ends at once
    addReservation("0000000009", wednesday, "10:00", "11:00", "0000000001", "CA");  // cancelled
    addReservation("0000000010", thursday, "10:00", "11:00", "0000000002");         // another room
    addReservation("0000000011", sunday, "12:00", "13:00", "0000000001");           // on a rest day
    addReservation("0000000012", friday, "09:00", "09:30", "0000000001");
    addReservation("0000000013", thursday, "14:05", "14:25", "0000000001");  // off the grid: in every slot touched
    addReservation("0000000014", thursday, "15:10", "16:10", "0000000001");
    conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha, Di_Descripcion) VALUES (?, 'Asueto')", {friday});
    typeRoom("0000000001");
    ASSERT_EQ(roomName(), "Sala Juárez");

    flexgrid::FlexGrid& g = *grid();
    const std::tuple<const char*, QDate, QString, int, int> expected[] = {  // slot, day: text, background, text colour
        {"10:00", monday, "0000000007", kBlue, kWhite},   {"10:30", monday, "0000000007", kBlue, kWhite},
        {"11:00", monday, "0000000007", kBlue, kWhite},   {"11:30", monday, "", kGreen, kBlack},
        {"09:30", monday, "", kGreen, kBlack},            {"10:00", tuesday, "", kGreen, kBlack},
        {"10:00", wednesday, "", kGreen, kBlack},         {"10:00", thursday, "", kGreen, kBlack},
        {"12:00", sunday, "0000000011", kSilver, kWhite}, {"09:00", sunday, "", kSilver, kBlack},
        {"09:00", friday, "0000000012", kSilver, kWhite}, {"09:30", friday, "", kSilver, kBlack},
        {"13:30", thursday, "", kGreen, kBlack},          {"14:00", thursday, "0000000013", kBlue, kWhite},
        {"14:30", thursday, "", kGreen, kBlack},          {"15:00", thursday, "0000000014", kBlue, kWhite},
        {"16:00", thursday, "0000000014", kBlue, kWhite}, {"16:30", thursday, "", kGreen, kBlack},
    };
    for (const auto& [slot, day, text, back, fore] : expected) {
        const int r = rowOf(slot), c = columnOf(day);
        EXPECT_EQ(std::make_tuple(g.TextMatrix(r, c), g.CellBackColorAt(r, c), g.CellForeColorAt(r, c)),
                  std::make_tuple(text, back, fore))
            << slot << " " << day.toString().toStdString();
    }
    EXPECT_EQ(g.MergedBlock(rowOf("10:30"), columnOf(monday)), QRect(columnOf(monday), rowOf("10:00"), 1, 3));
    EXPECT_TRUE(g.Redraw());
    EXPECT_TRUE(reports().empty());
}

// Painting lets events run after every cell, so the user can pick another
// room meanwhile: that painting wins, the interrupted one stops.
TEST_P(PaintingTest, ANewerPaintingWinsOverTheOneItInterrupted) {
    open();
    const QDate friday = screen->Inicio().addDays(5);
    addReservation("0000000007", friday, "18:00", "18:30", "0000000001");
    typeRoom("000000000");
    QTimer::singleShot(0, screen, [this] { screen->findChild<QObject*>("txtSalaJunta")->setProperty("Text", "0000000002"); });
    typeRoom("1");  // room 1 starts painting; room 2 is chosen at its first cell
    ASSERT_EQ(roomName(), "Sala Hidalgo");
    EXPECT_EQ(cell("18:00", friday), std::make_pair(kGreen, QString()));
    EXPECT_TRUE(grid()->Redraw());
    EXPECT_TRUE(reports().empty());
}

// The painting asks every cell's question in one batch and the period's
// non-working days in one look-up; each cell must still show what its own
// question and the per-day service answer, on data made to confuse them.
TEST_P(PaintingTest, EveryPaintedCellShowsItsOwnAnswerAcrossAYearEnd) {
    open();
    int weeks = 1;
    QDate sunday = screen->Inicio().addDays(7);
    for (; sunday.year() == sunday.addDays(6).year(); sunday = sunday.addDays(7)) ++weeks;
    QDate lastDay = sunday;
    while (lastDay.addDays(1).year() == sunday.year()) lastDay = lastDay.addDays(1);
    const QDate newYear = lastDay.addDays(1);
    for (const auto& [folio, day, start, end, room, state] : std::vector<std::tuple<QString, QDate, QString, QString,
                                                                                   QString, QString>>{
             {"0000000020", lastDay, "10:00", "12:00", "0000000001", "AC"},  // two rows cover 11:00
             {"0000000021", lastDay, "11:00", "11:30", "0000000001", "AC"},
             {"0000000022", lastDay, "13:00", "14:00", "0000000001", "CA"},  // cancelled
             {"0000000023", newYear, "14:00", "15:00", "0000000001", "AC"},  // touching at 15:00
             {"0000000024", newYear, "15:00", "16:00", "0000000001", "AC"},
             {"0000000025", newYear, "09:00", "10:00", "0000000002", "AC"},  // another room
         })
        addReservation(folio, day, start, end, room, state);
    conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha, Di_Descripcion) VALUES (?, 'Año nuevo')", {newYear});
    typeRoom("0000000001");
    for (int k = 0; k < weeks; ++k) clickButton("cmdAdelante");
    ASSERT_EQ(screen->Inicio(), sunday);
    // Written out by hand: at 11:00 either of the two rows may be the one read.
    const std::map<QString, QString> lastDayFolios{{"10:00", "20"}, {"10:30", "20"}, {"11:00", "20 21"}, {"11:30", "20"}},
        newYearFolios{{"14:00", "23"}, {"14:30", "23"}, {"15:00", "24"}, {"15:30", "24"}};
    QDate puente;
    const auto checkEveryCell = [&] {
        for (int c = 1; c < grid()->Cols(); ++c) {
            const QDate day = screen->Inicio().addDays(c - 1);
            const auto& folios = day == lastDay ? lastDayFolios : day == newYear ? newYearFolios : std::map<QString, QString>{};
            for (int r = 2; r < grid()->Rows(); ++r) {
                SCOPED_TRACE(day.toString(Qt::ISODate).toStdString() + " " + grid()->TextMatrix(r, 0).toStdString());
                const auto it = folios.find(grid()->TextMatrix(r, 0));
                const QString shown = grid()->TextMatrix(r, c);
                ASSERT_TRUE(it == folios.end() ? shown.isEmpty() : it->second.split(' ').contains(shown.mid(8))) << shown.toStdString();
                const bool resting = day.dayOfWeek() >= 6 || day == newYear || day == puente;
                ASSERT_EQ(grid()->CellBackColorAt(r, c), resting ? kSilver : shown.isEmpty() ? kGreen : kBlue);
            }
        }
    };
    checkEveryCell();
    // A non-working day added elsewhere shows at the next painting.
    conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha, Di_Descripcion) VALUES (?, 'Puente')", {puente = lastDay});
    clickButton("cmdAtras");
    clickButton("cmdAdelante");
    checkEveryCell();
    EXPECT_TRUE(reports().empty());
}

TEST_P(PaintingTest, FailureWhilePaintingIsReportedOnceAndTheNextRedrawWorks) {
    open(recorded());
    rec->failAt(40);  // in the middle of the next week's painting
    clickButton("cmdAdelante");
    EXPECT_EQ(rows("SELECT Be_Identificador, SUBSTR(Be_Mensaje, 1, 52) FROM Bitacora_Error"),
              QStringList{"ERR-ID:7500002|CargarCalendario()\r\nDisponibilidad()\r\nfallo simulado"});
    EXPECT_TRUE(grid()->Redraw());
    EXPECT_TRUE(screen->UltimoError().startsWith("CargarCalendario()"));

    clickButton("cmdAtras");
    EXPECT_EQ(reports().size(), 1u);
    EXPECT_EQ(grid()->CellBackColorAt(2, 2), kGreen);
    EXPECT_EQ(grid()->CellBackColorAt(grid()->Rows() - 1, 6), kGreen);
}

// The server's process ends, or freezes, before a click repaints: one
// report, within the answer wait, and the next click paints again.
TEST_P(PaintingTest, ALostOrFrozenServerIsReportedOnceAndTheNextClickReconnects) {
    if (GetParam() != "postgresql") GTEST_SKIP() << "an embedded database has no connection to lose";
    using Kind = testsupport::ServerFault::Kind;
    open();
    dynamic_cast<ado::PgConnection&>(session->connection()).setAnswerWait(std::chrono::seconds(1));
    std::size_t heard = 0;
    for (const Kind kind : {Kind::Terminate, Kind::Freeze}) {
        testsupport::ServerFault fault(session->connection(), db->connectionText());
        fault.strike(kind);
        QElapsedTimer clock;
        clock.start();
        clickButton("cmdAdelante");
        EXPECT_LT(clock.elapsed(), 5000);
        fault.thaw();
        const auto logged = reports();
        ASSERT_EQ(logged.size(), ++heard);
        EXPECT_EQ(logged.back().first, "ERR-ID:7500002");
        EXPECT_TRUE(grid()->Redraw());
        clickButton("cmdAdelante");
        EXPECT_EQ(reports().size(), heard);
        EXPECT_EQ(grid()->CellBackColorAt(2, 2), kGreen);
    }
}

RS_INSTANTIATE_BACKENDS(PaintingTest);

}  // namespace
