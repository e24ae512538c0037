#include "host/schema/roles.h"
#include "host/schema/schema.h"
#include "platform/ado/pgconnection.h"
#include "src/reservation/acceptcheck.h"
#include "src/reservation/reservationstore.h"
#include "tests/src/editorfixture.h"
#include "tests/support/editorsteps.h"
#include "tests/support/hostiletext.h"
#include "tests/support/serverfault.h"

namespace {

using reservation::frmReservacion;
using reservation::ReservationStore;
using reservation::TypedReservation;

// Storing and cancelling through the reservation store, and from an editor
// prepared as the calendar prepares it, over a session connection that can
// be made to fail statement by statement.
// Stored: folio 7, Monday 09:30-11:00 in room 1, client 0003.
class SaveTest : public testsupport::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        if (IsSkipped()) return;
        openOnRoom(false, recorded());
    }

    // The editor as the calendar loads it on a stored folio, shown (not modally).
    frmReservacion* editor(const QString& folio) {
        frmReservacion* e = testsupport::loadedEditor(screen);
        EXPECT_TRUE(e->Cargar(folio)) << e->Error().toStdString();
        e->show();
        return e;
    }
    frmReservacion* newOn(const QDate& first, const char* start, const char* end, const QDate& last) {
        return testsupport::newReservation(screen, first, last, start, end, "0000000001", "ANA LÓPEZ", "Revisión");
    }

    TypedReservation value(int first, int last, const char* start, const char* end, bool ofFolio7 = false) const {
        return {monday.addDays(first), monday.addDays(last), start, end, ofFolio7 ? "0000000007" : "", "0000000001",
                "", "ANA LÓPEZ", "Revisión"};
    }
    // The checks, then the save, as Aceptar runs them: the conflict or the
    // refusal, or empty once stored.
    QString saved(const TypedReservation& v, bool esNuevo = true) {
        if (const auto conflict = ReservationStore::findOverlap(v, esNuevo)) return *conflict;
        const auto refused = ReservationStore::save(v, esNuevo);
        return refused ? refused->error : QString();
    }
    QString day(int d) const { return monday.addDays(d).toString(Qt::ISODate); }

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
                                "DELETE FROM Bitacora_Movimiento", "DELETE FROM Bitacora_Error", "DELETE FROM Dia_Inhabil",
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

// From folio 7 (plus a cancelled row, another room's and a Wednesday one): a conflict or a refusal
// writing nothing, or rows on exactly the range's working days; a change keeps folio 7 on its day.
TEST_P(SaveTest, SavesTheRangesWorkingDaysOrRefusesWritingNothing) {
    addReservation("0000000008", monday, "12:00", "13:00", "0000000001", "CA");
    addReservation("0000000009", monday, "14:00", "15:00", "0000000002");
    addReservation("0000000010", monday.addDays(2), "16:00", "17:00", "0000000001");
    const auto taken = [this](int d, const char* time) {
        return QString("ya existe una reservación para la fecha %1 y hora %2 para la sala de junta 0000000001").arg(day(d), time);
    };
    const QString none = "no hay ninguna reservación que guardar; no se guardó nada.";
    struct Case {
        int first, last;
        const char *start, *end;
        bool ofFolio7;
        int closed;  // a day declared non-working, or -1
        QString refusal;
    } const cases[] = {
        {0, 0, "09:00", "10:00", false, -1, taken(0, "09:00")},  // folio 7 starts inside
        {0, 0, "10:00", "11:30", false, -1, taken(0, "11:30")},  // folio 7 ends inside
        {0, 2, "16:30", "17:30", false, -1, taken(2, "17:30")},  // the third day is taken
        {4, 0, "12:00", "13:00", false, -1, QString("La fecha final (%1) es anterior a la inicial (%2): ").arg(day(0), day(4)) + none},
        {3, 3, "12:00", "13:00", false, 3, QString("Ningún día del %1 al %2 es hábil: ").arg(day(3), day(3)) + none},
        {0, 1, "09:30", "11:00", true, 0, QString("El %1 ya no es día hábil: la reservación no se puede cambiar; no se guardó nada.").arg(day(0))},
        {0, 0, "09:00", "09:30", false, -1, ""},  // touching
        {0, 0, "09:30", "11:00", false, -1, ""},  // the same times: neither end inside
        {0, 0, "10:00", "10:30", false, -1, ""},  // inside folio 7
        {0, 0, "12:30", "14:30", false, -1, ""},  // a cancelled row, another room's
        {0, 2, "12:00", "13:00", false, 1, ""},   // a holiday is skipped
        {4, 7, "12:00", "13:00", false, -1, ""},  // Friday to Monday: the weekend is skipped
        {0, 0, "10:00", "11:30", true, -1, ""},   // over its own old hours
        {0, 3, "09:30", "11:00", true, -1, ""},   // through Thursday
    };
    const QString written = "SELECT CASE WHEN Rsj_Folio = '0000000007' THEN 'folio 7' ELSE 'new' END, Rsj_Fecha, Rsj_Inicio, "
                            "Rsj_Fin FROM Reservacion_Sala_Junta WHERE Fecha_Ult_Modif IS NOT NULL ORDER BY Rsj_Fecha, 1";
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1-%2 days %3..%4%5").arg(c.start, c.end).arg(c.first).arg(c.last).arg(c.ofFolio7 ? " folio 7" : "").toStdString());
        for (const char* sql : {"DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio > '0000000010'", "DELETE FROM Dia_Inhabil",
                                "UPDATE Reservacion_Sala_Junta SET Fecha_Ult_Modif = NULL",
                                "UPDATE Reservacion_Sala_Junta SET Rsj_Inicio = '09:30', Rsj_Fin = '11:00' WHERE Rsj_Folio = '0000000007'"})
            conn->Execute(sql);
        if (c.closed >= 0) conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha) VALUES (?)", {monday.addDays(c.closed)});
        EXPECT_EQ(saved(value(c.first, c.last, c.start, c.end, c.ofFolio7), !c.ofFolio7), c.refusal);
        QStringList expected;
        for (int d = c.first; c.refusal.isEmpty() && d <= c.last; ++d)
            if (monday.addDays(d).dayOfWeek() < 6 && d != c.closed)
                expected << QStringList{d == c.first && c.ofFolio7 ? "folio 7" : "new", day(d), c.start, c.end}.join('|');
        EXPECT_EQ(rows(written), expected);  // nothing when refused
    }
}

// A save's checks and writes, and a cancellation, reach the database in the order and with
// the values they always had: the checks, then one transaction with a fresh folio per day.
TEST_P(SaveTest, ASaveAndACancellationSendTheirStatementsInOrderWithTheirValues) {
    const auto sent = [this](qsizetype from) {
        QStringList out;
        for (qsizetype i = from; i < rec->statements.size(); ++i) {
            const QString& sql = rec->statements[i];
            static const QRegularExpression kept("^(BEGIN|COMMIT|ROLLBACK)$|^SELECT Rsj_Folio|^(INSERT INTO|UPDATE) "
                                                 "(Reservacion_Sala_Junta|Tabla_General|Bitacora_Movimiento)");
            if (!kept.match(sql).hasMatch()) continue;
            out << (sql.section(' ', 0, 2) + " " + QVariant(rec->values[i]).toStringList().join('|')).trimmed();
        }
        return out;
    };
    qsizetype from = rec->statements.size();
    ASSERT_EQ(saved(value(0, 1, "12:00", "13:00")), "");
    const QString f = rows("SELECT Fecha_Alta FROM Reservacion_Sala_Junta WHERE Rsj_Folio = '0000000008'").value(0);
    const QString overlap = "SELECT Rsj_Folio FROM 0000000001|%1|12:00|13:00|12:00|13:00";
    const QString row = "INSERT INTO Reservacion_Sala_Junta %1|%2|12:00|13:00|0000000001||ANA LÓPEZ|Revisión|ANA|" + f + "|ANA|" + f;
    EXPECT_EQ(sent(from), (QStringList{overlap.arg(day(0)), overlap.arg(day(0)), overlap.arg(day(1)), overlap.arg(day(1)),
                                       "BEGIN", "INSERT INTO Tabla_General ANA|" + f + "|ANA|" + f,
                                       "INSERT INTO Tabla_General_Detalle( 0001|0001|ANA LÓPEZ",
                                       row.arg("0000000008", day(0)), row.arg("0000000009", day(1)), "COMMIT"}));
    from = rec->statements.size();
    ASSERT_TRUE(ReservationStore::cancel("0000000007", {"ANA", f}));
    const QString account = GetParam() == "sqlite" ? "|" + schema::Roles::account() : "";
    EXPECT_EQ(sent(from), (QStringList{"BEGIN", "UPDATE Reservacion_Sala_Junta SET ANA|" + f + "|ANA|" + f + "|0000000007",
                                       "INSERT INTO Bitacora_Movimiento RESERVACION_SALA_JUNTA|0000000007|CANCELACION|ANA" + account,
                                       "COMMIT"}));
}

// Each statement of a two-day save and of a cancellation fails in turn, alone and then taking
// the transaction with it: the failure is told and the database is as it was; only the
// catalogue's steps fail quietly, and the save goes on.
TEST_P(SaveTest, AFailingStatementLeavesTheDatabaseAsItWas) {
    const auto act = [this](bool saving) {
        if (!saving) return ReservationStore::cancel("0000000007", ReservationStore::currentStamp());
        return saved(value(0, 1, "12:00", "13:00")).isEmpty();
    };
    for (const bool saving : {true, false}) {
        QStringList ran;  // from a second run: the first also sets up the numbering
        for (int run = 0; run < 2; ++run, cleanUp()) {
            const qsizetype from = rec->statements.size();
            ASSERT_TRUE(act(saving));
            ran = rec->statements.mid(from);
        }
        const qsizetype catalogueFrom = ran.indexOf("SAVEPOINT rs_paso"), catalogueTo = ran.lastIndexOf("RELEASE SAVEPOINT rs_paso");
        for (qsizetype k = 0; k < 2 * ran.size(); ++k, cleanUp()) {
            const qsizetype i = k % ran.size();
            const bool ends = k >= ran.size(), quiet = saving && !ends && i >= catalogueFrom && i <= catalogueTo;
            SCOPED_TRACE(ran[i].left(60).toStdString() + (ends ? " (transaction ended)" : ""));
            const QStringList before = snapshot();
            rec->failAt(i + 1, ends);
            bool done = false;
            try {
                done = act(saving);
            } catch (const core::Error& e) {
                EXPECT_TRUE(e.description().contains("fallo simulado") || e.description().endsWith("no se guardó nada.")) << e.what();
            }
            EXPECT_EQ(done, quiet);
            if (!quiet) { EXPECT_EQ(snapshot(), before); }
        }
    }
}

// Every text in the boxes a save stores is kept whole on both engines, or refused storing nothing;
// a write the server refuses amid others sent with it is told, and the connection goes on.
TEST_P(SaveTest, HostileTextsAreStoredWholeOrRefused) {
    for (const auto& h : testsupport::hostileTexts()) {
        SCOPED_TRACE(h.name);
        TypedReservation v = value(0, 0, "12:00", "13:00");
        v.proposito = h.text;
        if (testsupport::characters(h.text) <= 50) v.responsable = h.text;
        QString outcome;
        try {
            outcome = saved(v);
        } catch (const core::Error& e) {
            outcome = e.description();
        }
        EXPECT_EQ(outcome.isEmpty(), !h.refused) << outcome.left(200).toStdString();
        EXPECT_EQ(rows("SELECT Rsj_Responsable, Rsj_Proposito FROM Reservacion_Sala_Junta WHERE Rsj_Inicio = '12:00'"),
                  h.refused ? QStringList{} : QStringList{v.responsable + "|" + v.proposito});
        cleanUp();
    }
    schema::Schema::setOverlapGuard(*conn, true);  // folio 7's very hours pass the editor's own check
    EXPECT_TRUE(saved(value(0, 0, "09:30", "11:00")).contains("La sala ya tiene una reservación en ese horario"));
    EXPECT_EQ(saved(value(0, 0, "12:00", "13:00")), "");
}

// The server's process ends or freezes at the first write of a two-day save
// and of a cancellation, and at their commit (a failure at every statement
// is the table above): the user hears of it once, nothing is half written,
// and accepting again once the server is back stores it all.
TEST_P(SaveTest, AConnectionCutAtAWriteOrTheCommitHalfWritesNothingAndTheRetryStores) {
    if (GetParam() != "postgresql") GTEST_SKIP() << "an embedded database has no connection to lose";
    using Kind = testsupport::ServerFault::Kind;
    dynamic_cast<ado::PgConnection&>(rec->inner()).setAnswerWait(std::chrono::seconds(1));
    const auto written = [this](bool saving) {
        return scalar(saving ? "SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Rsj_Folio <> '0000000007'"
                             : "SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Es_Cve_Estado = 'CA'");
    };
    for (const bool saving : {true, false}) {
        const QStringList ran = statementsOf(saving);
        const qsizetype commit = ran.indexOf("COMMIT");
        for (const qsizetype i : {ran.indexOf("BEGIN") + 1, commit}) {
            for (const Kind kind : {Kind::Terminate, Kind::Freeze}) {
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

// The fields are checked in the order the person is told, before anything
// is asked of the database; the first failing check names its control.
TEST(AcceptCheck, RefusesTheFirstFailingFieldInOrder) {
    using In = reservation::AcceptInput;
    const auto check = [](const std::function<void(In&)>& change) {
        In in{"Sala", "", "", "ANA", "Plan", {10, 0}, {10, 30}, {9, 0}, {18, 30}};
        change(in);
        const auto refusal = reservation::checkAccept(in);
        return refusal ? refusal->identifier.mid(7) + " " + refusal->focus + " " + refusal->message : QString();
    };
    EXPECT_EQ(check([](In& i) { i.nombreSala.clear(), i.responsable.clear(); }),
              "7500001 txtSala_Junta La sala de junta no es válida o está dada de baja");
    EXPECT_EQ(check([](In& i) { i.claveCliente = "9999"; }), "7500002 txt_Cl_Cve_Cliente El cliente especificado no es válido");
    EXPECT_EQ(check([](In& i) { i.responsable.clear(); }), "7500003 txtResponsable Debe especificar el responsable");
    EXPECT_EQ(check([](In& i) { i.proposito.clear(); }), "7500004 txtProposito Debe especificar un proposito");
    EXPECT_EQ(check([](In& i) { i.inicio = {8, 59}; }),
              "7500005 dpHoraInicio La hora de inicio debe ser mayor o igual a: 09:00");
    EXPECT_EQ(check([](In& i) { i.inicio = {17, 0}, i.fin = {18, 31}; }),
              "7500006 dpHoraFin La hora de finalización debe ser menor o igual a: 18:30");
    EXPECT_TRUE(check([](In& i) { i.fin = {10, 0, 40}; }).startsWith("7500007 dpHoraInicio"));
    EXPECT_TRUE(check([](In& i) { i.inicio = {13, 0}, i.fin = {12, 0}; }).startsWith("7500008 dpHoraInicio"));
    EXPECT_TRUE(check([](In& i) { i.inicio = {10, 5}; }).startsWith("7500009 dpHoraInicio"));
    EXPECT_TRUE(check([](In& i) { i.fin = {10, 25}; }).startsWith("7500009 dpHoraFin"));
    EXPECT_EQ(check([](In& i) { i.responsable = "  ", i.fin = {18, 30, 45}; }), "");  // blanks are text; seconds never count
}


}  // namespace
