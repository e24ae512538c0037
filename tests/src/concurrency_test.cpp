#include <iostream>
#include <map>

#include <QProcess>

#include <QAction>

#include "src/reservation/frmreservacion.h"
#include "tests/src/calendarfixture.h"
#include "tests/support/editorsteps.h"

namespace {

using reservation::frmReservacion;

// Another desktop: the rs_desktop program, a process with its own session
// on the same database, driving its own reservation editor line by line.
class Desktop {
public:
    Desktop(const QString& connectionText, const QString& user) {
        process_.start(QStringLiteral(RS501_DESKTOP), {connectionText, user});
        EXPECT_TRUE(process_.waitForStarted()) << process_.errorString().toStdString();
    }
    ~Desktop() {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000)) process_.kill();
    }
    void send(const QString& line) {
        process_.write((line + QLatin1Char('\n')).toUtf8());
        process_.waitForBytesWritten();
    }
    QString answer() {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(30000)) return "no answer: " + QString::fromUtf8(process_.readAllStandardError());
        return QString::fromUtf8(process_.readLine()).trimmed();
    }
    QString ask(const QString& line) {
        send(line);
        return answer();
    }

private:
    QProcess process_;
};

class TwoDesktopsTest : public testsupport::CalendarTest {};

// Desktop B's calendar shows what desktop A saved or cancelled once B paints
// again (a button, a room confirmed), and not before.
TEST_P(TwoDesktopsTest, WhatOneDesktopSavesOrCancelsShowsAtTheOthersNextRepaint) {
    open();
    screen->resize(1200, 900);
    typeRoom("0000000001");
    QTest::keyClick(roomEdit(), Qt::Key_Return);
    const QDate monday = screen->Inicio().addDays(1);
    addReservation("0000000007", monday.addDays(1), "15:00", "16:00", "0000000001");
    const std::pair<int, QString> green{kGreen, ""};
    Desktop a(db->connectionText(), "LUIS");
    ASSERT_EQ(a.ask("new " + monday.toString(Qt::ISODate) + " 10:00 11:00 0000000001"), "ok");
    const QString folio = rows("SELECT Rsj_Folio FROM Reservacion_Sala_Junta WHERE Oper_Alta = 'LUIS'").value(0);
    EXPECT_EQ(cell("10:00", monday), green);
    EXPECT_EQ(cell("15:00", monday.addDays(1)), green);
    clickButton("cmdSemana");
    EXPECT_EQ(cell("10:00", monday), std::make_pair(kBlue, folio));
    EXPECT_EQ(cell("10:30", monday), std::make_pair(kBlue, folio));
    EXPECT_EQ(cell("15:00", monday.addDays(1)), std::make_pair(kBlue, QString("0000000007")));
    for (const QString& cancelled : {folio, QString("0000000007")}) {
        ASSERT_EQ(a.ask("open " + cancelled), "ready");
        ASSERT_EQ(a.ask("cancel"), "ok");
    }
    EXPECT_EQ(cell("10:00", monday), std::make_pair(kBlue, folio));
    roomEdit()->setFocus();
    QTest::keyClick(roomEdit(), Qt::Key_Return);
    EXPECT_EQ(cell("10:00", monday), green);
    EXPECT_EQ(cell("15:00", monday.addDays(1)), green);
    EXPECT_TRUE(reports().empty());
}

// Desktop A changes a reservation while desktop B cancels it, both having
// it open: at once, the cancellation first, or the change first. Each round
// must end with the reservation cancelled, either with the change made
// before the cancellation or with the change refused; never a change written
// into a reservation already cancelled, never a row lost.
TEST_P(TwoDesktopsTest, ACancellationRacingAChangeEndsConsistentlyEveryRound) {
    constexpr int kRounds = 30;
    Desktop changer(db->connectionText(), "LUIS"), canceller(db->connectionText(), "EVA");
    std::map<QString, int> endings;
    for (int r = 0; r < kRounds; ++r) {
        const QString folio = QString::number(100 + r).rightJustified(10, '0');
        addReservation(folio, QDate(2031, 1, 6).addDays(7 * r), "10:00", "11:00", "0000000001");
        ASSERT_EQ(changer.ask("open " + folio), "ready");
        ASSERT_EQ(canceller.ask("open " + folio), "ready");
        QString changed, cancelled;
        if (r % 3 == 0) {
            changer.send("modify cambio");
            canceller.send("cancel");
            changed = changer.answer();
            cancelled = canceller.answer();
        } else if (r % 3 == 1) {
            cancelled = canceller.ask("cancel");
            changed = changer.ask("modify cambio");
        } else {
            changed = changer.ask("modify cambio");
            cancelled = canceller.ask("cancel");
        }
        const QString stored = rows("SELECT Es_Cve_Estado, Rsj_Proposito, Oper_Ult_Modif, Oper_Baja FROM "
                                    "Reservacion_Sala_Junta WHERE Rsj_Folio = ?", {folio}).value(0);
        QString ending = "inconsistent: " + stored + " / change " + changed + " / cancellation " + cancelled;
        if (cancelled == "ok" && changed == "ok" && stored == "CA|cambio|EVA|EVA")
            ending = "changed, then cancelled";
        else if (cancelled == "ok" && changed.contains("Otro escritorio cambió o canceló") && stored == "CA||EVA|EVA")
            ending = "cancelled, the change refused";
        ++endings[(r % 3 == 0 ? "at once: " : r % 3 == 1 ? "cancellation first: " : "change first: ") + ending];
        EXPECT_FALSE(ending.startsWith("inconsistent")) << "round " << r << ": " << ending.toStdString();
    }
    for (const auto& [ending, count] : endings)
        std::cout << "[ measured ] " << GetParam() << ": " << count << " rounds " << ending.toStdString() << '\n';
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta"), kRounds);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Bitacora_Movimiento WHERE Bm_Operacion = 'CANCELACION'"), kRounds);
}

// A (here) and B open folio 7; B changes, then cancels it first: A's change and
// cancellation are refused, nothing written, and A's calendar repaints.
TEST_P(TwoDesktopsTest, AChangeOrCancellationOfARowAnotherDesktopChangedIsRefusedWritingNothing) {
    open();
    addReservation("0000000007", QDate(2031, 1, 6), "10:00", "11:00", "0000000001");
    Desktop b(db->connectionText(), "EVA");
    frmReservacion* a = testsupport::loadedEditor(screen);
    ASSERT_TRUE(a->Cargar("0000000007"));
    a->show();
    a->findChild<QAction*>("actModificar")->trigger();
    ASSERT_EQ(b.ask("open 0000000007"), "ready");
    ASSERT_EQ(b.ask("modify propósito de B"), "ok");
    testsupport::set(a, "txtResponsable", QString("LUIS"));
    testsupport::set(a, "txtProposito", QString("de A"));
    a->findChild<QAction*>("actAceptar")->trigger();
    EXPECT_EQ(a->findChild<QObject*>("txtResponsable")->property("Text").toString(), "LUIS");
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_TRUE(reports()[0].second.contains("Otro escritorio cambió o canceló")) << reports()[0].second.toStdString();
    EXPECT_EQ(rows("SELECT Rsj_Responsable, Rsj_Proposito, Oper_Ult_Modif FROM Reservacion_Sala_Junta"),
              QStringList{"Laura Méndez|propósito de B|EVA"});
    ASSERT_EQ(b.ask("open 0000000007"), "ready");
    ASSERT_EQ(b.ask("cancel"), "ok");
    a->findChild<QAction*>("actEliminar")->trigger();
    EXPECT_EQ(reports().back().second, "La reservación 0000000007 ya estaba cancelada: otro escritorio la canceló antes; no se cambió nada.");
    EXPECT_EQ(rows("SELECT Oper_Baja, Es_Cve_Estado FROM Reservacion_Sala_Junta"), QStringList{"EVA|CA"});
    a->findChild<QAction*>("actSalir")->trigger();
    EXPECT_TRUE(a->OK());  // the calendar reloads what B changed
    frmReservacion::Unload();
}

RS_INSTANTIATE_BACKENDS(TwoDesktopsTest);

}  // namespace
