#include <time.h>

#include <QDateTimeEdit>
#include <QTimeZone>

#include "host/controls/datepicker.h"
#include "tests/src/editorfixture.h"
#include "tests/support/editorsteps.h"

namespace {

using reservation::frmReservacion;

// Where clocks jump at midnight each day of 2025-2027 stays itself in the pickers; the editor
// stores, loads and stores again its jump days and one day a month (all would take minutes).
// TZ stays set: ctest runs each test in a process of its own.
class TimeZoneTest : public testsupport::EditorTest {};

TEST_P(TimeZoneTest, EveryDayStaysItselfInThePickersAndThroughASaveAndALoad) {
    setParameter("DIAS_INHABILES_SEMANA", "");  // the jumps fall on rest days
    openOnRoom(false);
    for (const char* name : {"Africa/Cairo", "America/Santiago", "America/Havana", "Asia/Beirut", "Atlantic/Azores",
                             "America/Mexico_City"}) {
        SCOPED_TRACE(name);
        qputenv("TZ", name);
        tzset();
        const QTimeZone tz(name);
        ASSERT_EQ(QDateTime({2026, 7, 1}, {}).offsetFromUtc(), tz.offsetFromUtc(QDateTime({2026, 7, 1}, {})));
        auto* picker = testsupport::loadedEditor(screen)->findChild<controls::DatePicker*>("dpFechaI");
        for (QDate d(2025, 1, 1); d.year() < 2028; d = d.addDays(1)) {
            picker->setDay(d);  // as the calendar hands over a slot's day
            ASSERT_EQ(std::make_tuple(picker->Day(), picker->editor()->date(), picker->Value().date()), std::tuple(d, d, d));
            picker->editor()->setDate(d.addDays(-1));  // as a person picks the day before
            ASSERT_EQ(picker->Day(), d.addDays(-1));
        }
        QList<QDate> saved;
        for (QDate d(2025, 1, 1); d.year() < 2028; d = d.addDays(31)) saved << d;
        for (const auto& t : tz.transitions(QDateTime({2025, 1, 1}, {}, Qt::UTC), QDateTime({2028, 1, 1}, {}, Qt::UTC)))
            saved << t.atUtc.toOffsetFromUtc(t.offsetFromUtc).date() << saved.back().addDays(-1);
        for (const QDate& day : saved) {
            const QString iso = day.toString(Qt::ISODate);
            click(testsupport::newReservation(screen, day, day, "09:00", "10:00", "0000000002", "ANA", "Junta"), "Aceptar");
            frmReservacion::Unload();
            const QString folio = rows("SELECT MAX(Rsj_Folio) FROM Reservacion_Sala_Junta").value(0);
            frmReservacion* e = testsupport::loadedEditor(screen);
            ASSERT_TRUE(e->Cargar(folio));
            e->show();
            ASSERT_EQ(shownIn(e).mid(0, 4), QStringList({iso, iso, "09:00:00", "10:00:00"})) << iso.toStdString();
            click(e, "Modificar");
            click(e, "Aceptar");  // unchanged
            frmReservacion::Unload();
            ASSERT_EQ(rows("SELECT Rsj_Fecha, Rsj_Inicio, Rsj_Fin FROM Reservacion_Sala_Junta WHERE Rsj_Folio = ?", {folio}),
                      QStringList{iso + "|09:00|10:00"});
        }
        conn->Execute("DELETE FROM Reservacion_Sala_Junta WHERE Sj_Cve_Sala_Junta = '0000000002'");
    }
}

RS_INSTANTIATE_BACKENDS(TimeZoneTest);

}  // namespace
