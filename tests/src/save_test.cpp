#include "host/schema/schema.h"
#include "tests/src/editorfixture.h"
#include "tests/support/editorsteps.h"
#include "platform/ado/pgconnection.h"
#include "tests/support/serverfault.h"

namespace {

using reservation::frmReservacion;
using testsupport::set;

// Storing and cancelling from an editor prepared as the calendar prepares it,
// over a session connection that can be made to fail statement by statement.
// Stored: folio 7, Monday 09:30-11:00 in room 1, client 0003.
class SaveTest : public testsupport::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        if (IsSkipped()) return;
        openOnRoom(false, recorded());
    }

    // The editor as the calendar loads it: on a stored folio, shown (not
    // modally), or not yet filled in.
    frmReservacion* editor(const QString& folio = {}) {
        frmReservacion* e = testsupport::loadedEditor(screen);
        if (folio.isEmpty()) return e;
        EXPECT_TRUE(e->Cargar(folio)) << e->Error().toStdString();
        e->show();
        return e;
    }
    frmReservacion* newOn(const QDate& first, const char* start, const char* end, const QDate& last = {},
                          const QString& room = "0000000001") {
        return testsupport::newReservation(screen, first, last.isValid() ? last : first, start, end, room, "ANA LÓPEZ",
                                           "Revisión");
    }

    QStringList snapshot() {  // everything a save or a cancellation may write
        QStringList out;
        for (const char* table : {"Reservacion_Sala_Junta", "Tabla_General", "Tabla_General_Detalle", "Consecutivo",
                                  "Bitacora_Movimiento"})
            out << rows(QString("SELECT * FROM %1 ORDER BY 1, 2").arg(table));
        return out;
    }

    // A two-day save of Monday and Tuesday 12:00-13:00, or folio 7's
    // cancellation, ready for its button.
    frmReservacion* begun(bool saving) {
        return saving ? newOn(monday, "12:00", "13:00", monday.addDays(1)) : editor("0000000007");
    }
    static const char* button(bool saving) { return saving ? "Aceptar" : "Eliminar"; }
    // What the save or cancellation changed, undone.
    void cleanUp() {
        for (const char* sql : {"DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio <> '0000000007'",
                                "DELETE FROM Tabla_General_Detalle", "DELETE FROM Tabla_General",
                                "DELETE FROM Bitacora_Movimiento", "DELETE FROM Bitacora_Error",
                                "UPDATE Reservacion_Sala_Junta SET Es_Cve_Estado = 'AC'"})
            conn->Execute(sql);
    }
    // The statements one save or cancellation runs, from a second run: the
    // first also sets up the numbering.
    QStringList statementsOf(bool saving) {
        QStringList ran;
        for (int run = 0; run < 2; ++run, cleanUp()) {
            frmReservacion* e = begun(saving);
            const qsizetype from = rec->statements.size();
            click(e, button(saving));
            EXPECT_TRUE(e->OK());
            ran = rec->statements.mid(from);
            frmReservacion::Unload();
        }
        return ran;
    }
};

// The editor lets a reservation with folio 7's very hours through; the
// database's guard, when on, refuses it and the user hears why.
TEST_P(SaveTest, WithTheOverlapGuardOnTheDatabaseRefusalIsReportedAndNothingStored) {
    schema::Schema::setOverlapGuard(*conn, true);
    const QStringList before = snapshot();
    frmReservacion* e = newOn(monday, "09:30", "11:00");
    click(e, "Aceptar");
    EXPECT_FALSE(e->OK());
    EXPECT_TRUE(e->isVisible());
    ASSERT_EQ(reports().size(), 1u);
    EXPECT_EQ(reports()[0].first, "ERR-ID:7500012");
    EXPECT_TRUE(reports()[0].second.contains("La sala ya tiene una reservación en ese horario"))
        << reports()[0].second.toStdString();
    EXPECT_EQ(snapshot(), before);
}

// The server's process ends just before each statement of a two-day save
// and of a cancellation in turn, or freezes at the transaction's first
// write and at its commit: the user hears of it once, nothing is half
// written, and accepting again once the server is back stores it all.
TEST_P(SaveTest, AConnectionCutAtAnyStatementHalfWritesNothingAndTheRetryStores) {
    if (GetParam() != "postgresql") GTEST_SKIP() << "an embedded database has no connection to lose";
    using Kind = testsupport::ServerFault::Kind;
    dynamic_cast<ado::PgConnection&>(rec->inner()).setAnswerWait(std::chrono::seconds(1));
    const auto written = [this](bool saving) {
        return scalar(saving ? "SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Rsj_Folio <> '0000000007'"
                             : "SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Es_Cve_Estado = 'CA'");
    };
    for (const bool saving : {true, false}) {
        const QStringList ran = statementsOf(saving);
        const qsizetype firstWrite = ran.indexOf("BEGIN") + 1, commit = ran.indexOf("COMMIT");
        for (qsizetype i = 0; i < ran.size(); ++i) {
            for (const Kind kind : {Kind::Terminate, Kind::Freeze}) {
                if (kind == Kind::Freeze && i != firstWrite && i != commit) continue;  // each costs the whole wait
                SCOPED_TRACE(ran[i].left(60).toStdString() + (kind == Kind::Freeze ? " (frozen)" : " (ended)"));
                const QStringList before = snapshot();
                frmReservacion* e = begun(saving);
                testsupport::ServerFault fault(*rec, db->connectionText());
                rec->beforeStatement(i + 1, [&] { fault.strike(kind); });
                click(e, button(saving));
                fault.thaw();
                EXPECT_FALSE(e->OK());
                EXPECT_EQ(reports().size(), 1u);
                if (i == commit && kind == Kind::Freeze) {
                    // The commit may have reached the server; the user was
                    // told so. All of it or none of it is there.
                    EXPECT_TRUE(reports().back().second.contains("No se sabe")) << reports().back().second.toStdString();
                    EXPECT_TRUE(written(saving) == 0 || written(saving) == (saving ? 2 : 1));
                } else {
                    EXPECT_EQ(snapshot(), before);
                    click(e, button(saving));
                    EXPECT_TRUE(e->OK());
                    EXPECT_EQ(written(saving), saving ? 2 : 1);
                }
                frmReservacion::Unload();
                cleanUp();
            }
        }
    }
}

// Booking a green slot, changing folio 7 and cancelling the new one, by mouse
// and keys; every column each step writes.
TEST_P(SaveTest, APersonBooksChangesAndCancelsFromTheCalendar) {
    const QDate tuesday = monday.addDays(1);
    const QString columns = "SELECT Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, Rsj_Cliente, Rsj_Responsable, "
                            "Rsj_Proposito, Oper_Alta, Oper_Ult_Modif, Oper_Baja, Es_Cve_Estado, CASE WHEN Fecha_Baja "
                            "= Fecha_Ult_Modif THEN 'cancelled' WHEN Fecha_Alta = Fecha_Ult_Modif THEN 'same' ELSE "
                            "'moved' END FROM Reservacion_Sala_Junta WHERE Rsj_Folio = ";
    const QString mon = monday.toString(Qt::ISODate), tue = tuesday.toString(Qt::ISODate);
    throughEditor("14:00", tuesday, [&](frmReservacion* e) {
        typeInto(e, "txtResponsable", "o'brien; x\\");
        typeInto(e, "txtProposito", "Plan ' ; \\");
        click(e, "Aceptar");
    });
    EXPECT_EQ(cell("14:00", tuesday), std::make_pair(kBlue, QString("0000000008")));
    EXPECT_EQ(rows(columns + "'0000000008'"),
              QStringList{tue + "|14:00|14:30|0000000001||O'BRIEN; X\\|Plan ' ; \\|ANA|ANA||AC|same"});
    throughEditor("10:00", monday, [&](frmReservacion* e) {
        click(e, "Modificar");
        typeInto(e, "txtProposito", "Otro plan");
        click(e, "Aceptar");
    });
    EXPECT_EQ(rows(columns + "'0000000007'"),  // created outside the module: no creation stamps to keep
              QStringList{mon + "|09:30|11:00|0000000001|0003|LAURA MÉNDEZ|Otro plan|NULL|ANA||AC|moved"});
    throughEditor("14:00", tuesday, [&](frmReservacion* e) { click(e, "Eliminar"); });
    EXPECT_EQ(cell("14:00", tuesday), std::make_pair(kGreen, QString()));
    EXPECT_EQ(rows(columns + "'0000000008'"),
              QStringList{tue + "|14:00|14:30|0000000001||O'BRIEN; X\\|Plan ' ; \\|ANA|ANA|ANA|CA|cancelled"});
    EXPECT_EQ(rows("SELECT Bm_Entidad, Bm_Clave, Bm_Operacion, Bm_Usuario FROM Bitacora_Movimiento"),
              QStringList{"RESERVACION_SALA_JUNTA|0000000008|CANCELACION|ANA"});
    EXPECT_TRUE(reports().empty());
}

RS_INSTANTIATE_BACKENDS(SaveTest);

}  // namespace
