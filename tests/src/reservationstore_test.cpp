#include "host/schema/roles.h"
#include "platform/core/error.h"
#include "src/reservation/acceptcheck.h"
#include "src/reservation/reservationstore.h"
#include "tests/src/calendarfixture.h"
#include "tests/support/hostiletext.h"

namespace {

using reservation::ReservationStore;
using reservation::SaveRefusal;
using reservation::TypedReservation;

// The reservation store on a session over a recording connection, no
// screen. Stored: folio 7, next Monday 09:30-11:00 in room 1.
class StoreTest : public testsupport::CalendarTest {
protected:
    void SetUp() override {
        CalendarTest::SetUp();
        if (IsSkipped()) return;
        session = std::make_unique<services::HostSession>(recorded(), QStringLiteral("ANA"), true);
        services::HostSession::install(session.get());
        shell::Publico::iniciar();
        addReservation("0000000007", monday, "09:30", "11:00", "0000000001");
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
    QStringList snapshot() {  // everything a save or a cancellation may write
        QStringList out;
        for (const char* table : {"Reservacion_Sala_Junta", "Tabla_General", "Tabla_General_Detalle", "Bitacora_Movimiento"})
            out << rows(QString("SELECT * FROM %1 ORDER BY 1, 2").arg(table));
        return out;
    }
    void cleanUp() {
        for (const char* sql : {"DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio <> '0000000007'",
                                "DELETE FROM Tabla_General_Detalle", "DELETE FROM Tabla_General",
                                "DELETE FROM Bitacora_Movimiento", "DELETE FROM Dia_Inhabil",
                                "UPDATE Reservacion_Sala_Junta SET Es_Cve_Estado = 'AC', Fecha_Ult_Modif = NULL"})
            conn->Execute(sql);
    }
    QString day(int d) const { return monday.addDays(d).toString(Qt::ISODate); }

    const QDate monday = QDate::currentDate().addDays(8 - QDate::currentDate().dayOfWeek());
};

// Each case starts from folio 7 (plus a cancelled row, another room's and a
// Wednesday one): a conflict or a refusal with nothing written, or rows on
// exactly the range's working days; a change keeps folio 7 on its own day.
TEST_P(StoreTest, SavesTheRangesWorkingDaysOrRefusesWritingNothing) {
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
        {0, 2, "16:30", "17:30", true, -1, taken(2, "17:30")},
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
    const QString written = "SELECT CASE WHEN Rsj_Folio = '0000000007' THEN 'folio 7' ELSE 'new' END, Rsj_Fecha, "
                            "Rsj_Inicio, Rsj_Fin FROM Reservacion_Sala_Junta WHERE Fecha_Ult_Modif IS NOT NULL "
                            "ORDER BY Rsj_Fecha, 1";
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1-%2 days %3..%4%5").arg(c.start, c.end).arg(c.first).arg(c.last).arg(c.ofFolio7 ? " folio 7" : "").toStdString());
        conn->Execute("DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Folio > '0000000010'");
        conn->Execute("DELETE FROM Dia_Inhabil");
        conn->Execute("UPDATE Reservacion_Sala_Junta SET Fecha_Ult_Modif = NULL, Rsj_Inicio = '09:30', Rsj_Fin = '11:00' "
                      "WHERE Rsj_Folio = '0000000007'");
        if (c.closed >= 0) conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha) VALUES (?)", {monday.addDays(c.closed)});
        const QStringList before = rows(written);
        EXPECT_EQ(saved(value(c.first, c.last, c.start, c.end, c.ofFolio7), !c.ofFolio7), c.refusal);
        QStringList expected;
        for (int d = c.first; c.refusal.isEmpty() && d <= c.last; ++d)
            if (monday.addDays(d).dayOfWeek() < 6 && d != c.closed)
                expected << QStringList{d == c.first && c.ofFolio7 ? "folio 7" : "new", day(d), c.start, c.end}.join('|');
        EXPECT_EQ(rows(written), c.refusal.isEmpty() ? expected : before);
    }
}

// What a save and a cancellation write, and the checks before, reach the
// database in the order and with the values they always had: the checks,
// then one transaction with the catalogue and a fresh folio per day.
TEST_P(StoreTest, ASaveAndACancellationSendTheirStatementsInOrderWithTheirValues) {
    const auto sent = [this](qsizetype from) {
        QStringList out;
        for (qsizetype i = from; i < rec->statements.size(); ++i) {
            const QString& sql = rec->statements[i];
            static const QRegularExpression kept("^(BEGIN|COMMIT|ROLLBACK)$|^SELECT Rsj_Folio|^(INSERT INTO|UPDATE) "
                                                 "(Reservacion_Sala_Junta|Tabla_General|Bitacora_Movimiento)");
            if (!kept.match(sql).hasMatch()) continue;
            QStringList values;
            for (const QVariant& v : rec->values[i]) values << v.toString();
            out << (sql.section(' ', 0, 2) + " " + values.join('|')).trimmed();
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
    EXPECT_FALSE(ReservationStore::cancel("0000000007", {"ANA", f}));  // cancelled already: nothing logged twice
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Bitacora_Movimiento"), QStringList{"1"});
}

// Each statement of a two-day save and of a cancellation fails in turn,
// alone and then taking the transaction with it: the failure is told and
// the database is as it was; only the catalogue's steps fail quietly, and
// the save goes on.
TEST_P(StoreTest, AFailingStatementLeavesTheDatabaseAsItWas) {
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
                EXPECT_TRUE(e.description().contains("fallo simulado") || e.description().endsWith("no se guardó nada."))
                    << e.what();
            }
            EXPECT_EQ(done, quiet);
            if (!quiet) EXPECT_EQ(snapshot(), before);
        }
    }
}

// Every text in the boxes a save stores is kept whole on both engines, or
// refused with nothing stored.
TEST_P(StoreTest, HostileTextsAreStoredWholeOrRefused) {
    for (const auto& h : testsupport::hostileTexts()) {
        SCOPED_TRACE(h.name);
        TypedReservation v = value(0, 0, "12:00", "13:00");
        v.proposito = h.text;
        if (testsupport::characters(h.text) <= 50) v.responsable = h.text;
        const QStringList before = snapshot();
        QString outcome;
        try {
            outcome = saved(v);
        } catch (const core::Error& e) {
            outcome = e.description();
        }
        EXPECT_EQ(outcome.isEmpty(), !h.refused) << outcome.left(200).toStdString();
        if (h.refused) EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(rows("SELECT Rsj_Responsable, Rsj_Proposito FROM Reservacion_Sala_Junta WHERE Rsj_Inicio = '12:00'"),
                  h.refused ? QStringList{} : QStringList{v.responsable + "|" + v.proposito});
        cleanUp();
    }
}

RS_INSTANTIATE_BACKENDS(StoreTest);

// The fields are checked in the order the person is told, before anything
// is asked of the database; the first failing check names its control.
TEST(AcceptCheck, RefusesTheFirstFailingFieldInOrder) {
    const reservation::AcceptInput ok{"Sala", "", "", "ANA", "Plan", {10, 0}, {10, 30}, {9, 0}, {18, 30}};
    const auto with = [&ok](auto change) {
        reservation::AcceptInput in = ok;
        change(in);
        return in;
    };
    using In = reservation::AcceptInput&;
    const std::pair<reservation::AcceptInput, const char*> cases[] = {
        {with([](In i) { i.nombreSala.clear(); i.responsable.clear(); }), "7500001 txtSala_Junta"},
        {with([](In i) { i.claveCliente = "9999"; }), "7500002 txt_Cl_Cve_Cliente"},
        {with([](In i) { i.responsable.clear(); }), "7500003 txtResponsable"},
        {with([](In i) { i.proposito.clear(); }), "7500004 txtProposito"},
        {with([](In i) { i.inicio = {8, 59}; }), "7500005 dpHoraInicio"},
        {with([](In i) { i.inicio = {17, 0}; i.fin = {18, 31}; }), "7500006 dpHoraFin"},
        {with([](In i) { i.fin = {10, 0, 40}; i.inicio = {10, 0}; }), "7500007 dpHoraInicio"},
        {with([](In i) { i.inicio = {13, 0}; i.fin = {12, 0}; }), "7500008 dpHoraInicio"},
        {with([](In i) { i.inicio = {10, 5}; }), "7500009 dpHoraInicio"},
        {with([](In i) { i.fin = {10, 25}; }), "7500009 dpHoraFin"},
        {with([](In i) { i.responsable = "  "; i.fin = {18, 30, 45}; }), ""},  // blanks are text; seconds never count
    };
    for (const auto& [in, expected] : cases) {
        const auto refusal = reservation::checkAccept(in);
        EXPECT_EQ(refusal ? refusal->identifier.mid(7) + " " + refusal->focus : QString(), expected);
    }
    EXPECT_EQ(reservation::checkAccept(with([](In i) { i.inicio = {8, 59}; }))->message,
              "La hora de inicio debe ser mayor o igual a: 09:00");
}

}  // namespace
