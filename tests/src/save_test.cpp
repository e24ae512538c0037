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

// Each case starts from folio 7 (plus a cancelled row, another room's and a
// Wednesday one) and accepts a new reservation or a change of folio 7 (kept on its own
// day): one refusal with nothing written, or rows exactly the working days, times, room and client shown.
TEST_P(SaveTest, AcceptStoresExactlyWhatTheEditorShowsOrRefusesOnceWritingNothing) {
    addReservation("0000000008", monday, "12:00", "13:00", "0000000001", "CA");
    addReservation("0000000009", monday, "14:00", "15:00", "0000000002");
    addReservation("0000000010", monday.addDays(2), "16:00", "17:00", "0000000001");
    const auto taken = [this](int day, const char* time) {
        return QString("ya existe una reservación para la fecha %1 y hora %2 para la sala de junta 0000000001")
            .arg(monday.addDays(day).toString(Qt::ISODate), time);
    };
    const auto day = [this](int d) { return monday.addDays(d).toString(Qt::ISODate); };
    const auto put = [](const char* control, const char* value) {
        return [=](frmReservacion* e) { set(e, control, QString(value)); };
    };
    const auto closed = [this](int d) {  // declared non-working while the editor is open
        return [this, d](frmReservacion*) { conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha) VALUES (?)", {monday.addDays(d)}); }; };
    const QString offGrid = "La hora de %1 debe ser en punto o a la media hora (por ejemplo 10:00 o 10:30)", none = "no hay ninguna reservación que guardar; no se guardó nada.";
    struct Case {
        const char *start, *end;
        int first, last;  // days from Monday; a change keeps folio 7's Monday
        std::function<void(frmReservacion*)> change;
        const char* id;  // nullptr: stored
        QString message;
        const char* focus = nullptr;  // nullptr: stays where it was (the room box is never enabled)
        bool ofFolio7 = false;
    } const cases[] = {
        {"10:00", "10:30", 0, 0, put("txtNSalaJunta", ""), "7500001",
         "La sala de junta no es válida o está dada de baja"},
        {"10:00", "10:30", 0, 0, [](frmReservacion* e) {  // a name confirmed, then the key changed to one nobody has
             typeInto(e, "txt_Cl_Cve_Cliente", "0003");
             QTest::keyClick(input(e->findChild<QWidget*>("txt_Cl_Cve_Cliente")), Qt::Key_Return);
             typeInto(e, "txt_Cl_Cve_Cliente", "9999"); }, "7500002", "El cliente especificado no es válido", "txt_Cl_Cve_Cliente"},
        {"10:00", "10:30", 0, 0, put("txtResponsable", ""), "7500003", "Debe especificar el responsable",
         "txtResponsable"},
        {"10:00", "10:30", 0, 0, put("txtProposito", ""), "7500004", "Debe especificar un proposito", "txtProposito"},
        {"08:59", "10:00", 0, 0, {}, "7500005", "La hora de inicio debe ser mayor o igual a: 09:00", "dpHoraInicio"},
        {"17:00", "18:31", 0, 0, {}, "7500006", "La hora de finalización debe ser menor o igual a: 18:30", "dpHoraFin"},
        {"12:00", "12:00:40", 0, 0, {}, "7500007", "La hora de inicio no puede ser igual a la hora de finalización",
         "dpHoraInicio"},
        {"13:00", "12:00", 0, 0, {}, "7500008", "La hora de inicio no puede ser mayor a la hora de finalización",
         "dpHoraInicio"},
        {"10:05", "10:30", 0, 0, {}, "7500009", offGrid.arg("inicio"), "dpHoraInicio"},
        {"10:00", "10:25", 0, 0, {}, "7500009", offGrid.arg("finalización"), "dpHoraFin"},
        {"09:00", "10:00", 0, 0, {}, "7500010", taken(0, "09:00")},  // folio 7 starts inside
        {"10:00", "11:30", 0, 0, {}, "7500010", taken(0, "11:30")},  // folio 7 ends inside
        {"16:30", "17:30", 0, 2, {}, "7500010", taken(2, "17:30")},  // the third day is taken
        {"12:00", "13:00", 4, 0, {}, "7500030", QString("La fecha final (%1) es anterior a la inicial (%2): ").arg(day(0), day(4)) + none},
        {"12:00", "13:00", 3, 3, closed(3), "7500030", QString("Ningún día del %1 al %2 es hábil: ").arg(day(3), day(3)) + none},
        {"09:00", "09:30", 0, 0, put("txtResponsable", "  ")},  // touching; blanks are text
        {"11:00", "18:30:45", 0, 0, [](frmReservacion* e) { typeInto(e, "txt_Cl_Cve_Cliente", "0003"); }},  // looked up on Aceptar
        {"09:30", "11:00", 0, 0},  // the same times: neither end inside
        {"10:00", "10:30", 0, 0},  // inside folio 7
        {"12:30", "14:30", 0, 0},  // a cancelled row, another room's
        {"12:00", "13:00", 0, 2},
        {"12:00", "13:00", 4, 7},  // Friday to Monday: the weekend is skipped
        {"12:00", "13:00", 0, 0,
         [this](frmReservacion* e) {  // numbering hands out a taken entry number: the name is left out
             conn->Execute("UPDATE Consecutivo SET Co_Valor = 0 WHERE Co_Nombre = ?",
                           {schema::Schema::counterName("Tabla_General_Detalle", "Tgd_Id", "Tg_Cve_Tabla_General",
                                                        "SALA_JUNTA_RESPONSABLE")});
             set(e, "txtResponsable", QString("LUIS"));
         }},
        {"10:00", "11:30", 0, 0, {}, nullptr, "", nullptr, true},  // over its own old hours
        {"09:30", "11:00", 0, 3, put("txtResponsable", "EVA"), nullptr, "", nullptr, true},  // through Thursday
        {"16:30", "17:30", 0, 2, {}, "7500010", taken(2, "17:30"), nullptr, true},
        {"09:30", "11:00", 0, 1, closed(0), "7500030",
         QString("El %1 ya no es día hábil: la reservación no se puede cambiar; no se guardó nada.").arg(day(0)), "dpFechaF", true},
    };
    const QString written = "SELECT CASE WHEN Rsj_Folio = '0000000007' THEN 'folio 7' ELSE 'new' END, Rsj_Fecha, "
                            "Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, Rsj_Cliente, COALESCE((SELECT Cl_Razon_Social FROM "
                            "Cliente c WHERE c.Cl_Cve_Cliente = r.Rsj_Cliente), ''), Rsj_Responsable FROM "
                            "Reservacion_Sala_Junta r WHERE Fecha_Ult_Modif IS NOT NULL ORDER BY Rsj_Fecha, 1";
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1-%2 days %3..%4%5").arg(c.start, c.end).arg(c.first).arg(c.last).arg(c.ofFolio7 ? " folio 7" : "").toStdString());
        for (const char* sql : {"DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio > '0000000010'", "DELETE FROM Bitacora_Error",
                                "DELETE FROM Dia_Inhabil", "UPDATE Reservacion_Sala_Junta SET Rsj_Inicio = '09:30', Rsj_Fin = "
                                "'11:00', Rsj_Responsable = 'LAURA MÉNDEZ', Fecha_Ult_Modif = NULL WHERE Rsj_Folio = '0000000007'"})
            conn->Execute(sql);
        frmReservacion* e = c.ofFolio7 ? nullptr : newOn(monday.addDays(c.first), c.start, c.end, monday.addDays(c.last));
        if (c.ofFolio7) {
            testsupport::loadedEditor(screen)->setCHFEFIN(true);
            e = editor("0000000007");
            click(e, "Modificar");
            set(e, "dpFechaF", monday.addDays(c.last));
            for (const auto& [picker, time] : {std::pair{"dpHoraInicio", c.start}, std::pair{"dpHoraFin", c.end}})
                set(e, picker, QTime::fromString(time, "HH:mm"));
        }
        const QStringList before = snapshot();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(e));
        e->activateWindow();
        QWidget* away = e->findChild<QWidget*>(c.focus && !strcmp(c.focus, "dpHoraFin") ? "txtProposito" : "dpHoraFin");
        away->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([away] { return away->isAncestorOf(QApplication::focusWidget()); }));
        if (c.change) c.change(e);  // a key typed last keeps the focus: F10 or a click takes none
        click(e, "Aceptar");
        EXPECT_EQ(e->OK(), !c.id);
        EXPECT_EQ(e->isVisible(), bool(c.id));
        using Reports = decltype(reports());
        EXPECT_EQ(reports(), (c.id ? Reports{{QString("ERR-ID:") + c.id, c.message}} : Reports{}));
        if (c.id) {
            EXPECT_EQ(snapshot(), before);
            e->Form_Activate();  // the message closes and the editor is active again: the focus stays
            QWidget* focus = c.focus ? e->findChild<QWidget*>(c.focus) : away;
            EXPECT_TRUE(focus->isAncestorOf(QApplication::focusWidget()) || focus == QApplication::focusWidget());
        } else {
            QStringList expected, shown = shownIn(e);
            for (QDate d = value(e, "dpFechaI").toDate(); d <= value(e, "dpFechaF").toDate(); d = d.addDays(1))
                if (d.dayOfWeek() < 6)
                    expected << QStringList{d == monday && c.ofFolio7 ? "folio 7" : "new", d.toString(Qt::ISODate), shown[2].left(5),
                                            shown[3].left(5), shown[5], shown[7], shown[8], shown[9]}.join('|');
            EXPECT_EQ(rows(written), expected);
        }
        frmReservacion::Unload();
    }
    EXPECT_EQ(rows("SELECT Tg_Cve_Tabla_General, Tg_Tipo, Oper_Alta, Oper_Ult_Modif, Es_Cve_Estado, "
                   "CASE WHEN Fecha_Alta = Fecha_Ult_Modif THEN 'same' ELSE 'moved' END FROM Tabla_General"),
              QStringList{"SALA_JUNTA_RESPONSABLE|02|ANA|ANA|AC|same"});
    EXPECT_EQ(rows("SELECT Tgd_Id, Tgd_Clave, Tgd_Valor FROM Tabla_General_Detalle ORDER BY Tgd_Id"),
              QStringList({"0001|0001|  ", "0002|0002|ANA LÓPEZ"}));
}

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

// Each statement of a two-day save and of a cancellation fails in turn: the
// user hears of it, keeps the editor and the input, and the database is as
// it was. Only the catalogue's steps fail quietly, and the save goes on.
TEST_P(SaveTest, AFailingStatementLeavesTheDatabaseAsItWas) {
    for (const bool saving : {true, false}) {
        const QStringList ran = statementsOf(saving);
        const qsizetype begin = ran.indexOf("BEGIN"), commit = ran.indexOf("COMMIT");
        const qsizetype catalogueEnd = ran.lastIndexOf("RELEASE SAVEPOINT rs_paso");
        // Each statement fails alone, then failing takes the transaction with it.
        for (int k = 0; k < 2 * ran.size(); ++k, frmReservacion::Unload(), cleanUp()) {
            const qsizetype i = k % ran.size();
            const bool ends = k >= ran.size(), catalogue = i > begin && i <= catalogueEnd;
            SCOPED_TRACE(ran[i].left(60).toStdString() + (ends ? " (transaction ended)" : ""));
            // Before the transaction: the overlap check; its own steps, the
            // stamp and the commit: the trap; a day's steps: that day.
            const bool trap = i == begin || i == commit || i == catalogueEnd + 1 || (catalogue && ends);
            const QString id = !saving ? "ERR-ID:7500014"
                               : i < begin ? "ERR-ID:7500010"
                               : trap      ? "ERR-ID:7500013"
                                           : "ERR-ID:7500011";
            const QStringList before = snapshot();
            frmReservacion* e = begun(saving);
            const QString typed = text(e, "txtResponsable");
            rec->failAt(i + 1, ends);
            click(e, button(saving));
            if (catalogue && !ends) {
                EXPECT_TRUE(e->OK());
                EXPECT_TRUE(reports().empty());
                EXPECT_EQ(rows("SELECT Rsj_Folio FROM Reservacion_Sala_Junta").size(), 3);
                continue;
            }
            EXPECT_FALSE(e->OK());
            EXPECT_TRUE(e->isVisible());
            EXPECT_EQ(text(e, "txtResponsable"), typed);
            ASSERT_EQ(reports().size(), 1u);
            EXPECT_EQ(reports()[0].first, id);
            const char* cause = trap && catalogue ? "no se guardó nada." : "fallo simulado de la base de datos";
            EXPECT_TRUE(reports()[0].second.endsWith(cause)) << reports()[0].second.toStdString();
            EXPECT_EQ(snapshot(), before);
        }
    }
}

// The server's process ends or freezes at the first write of a two-day save
// and of a cancellation, and at their commit (a failure at every statement
// is the table above): the user hears of it once, nothing is half written,
// and accepting again once the server is back stores it all.
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

}  // namespace
