#include <time.h>

#include <QDateTimeEdit>
#include <QTimeZone>

#include "host/controls/datepicker.h"
#include "host/services/funciones.h"
#include "tests/src/editorfixture.h"
#include "tests/support/editorsteps.h"

namespace {

using reservation::frmReservacion;

// Zones whose clocks jump at midnight (or back to it) keep every day of
// 2025-2027 a day in the pickers; the real editor stores, loads and stores
// again unchanged each zone's jump days and one day a month (every day
// through a save would take minutes). TZ is read again after tzset().
class TimeZoneTest : public testsupport::EditorTest {};

TEST_P(TimeZoneTest, EveryDayStaysItselfInThePickersAndThroughASaveAndALoad) {
    setParameter(services::Funciones::kRestDaysParameter, "");  // the jumps fall on rest days
    openOnRoom(false);
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    const QByteArray ownZone = qgetenv("TZ");
    for (const char* name : {"Africa/Cairo", "America/Santiago", "America/Havana", "Asia/Beirut", "Atlantic/Azores",
                             "America/Mexico_City"}) {
        SCOPED_TRACE(name);
        qputenv("TZ", name);
        tzset();
        const QTimeZone tz(name);
        const QDateTime noon({2026, 7, 15}, {12, 0});
        ASSERT_EQ(noon.offsetFromUtc(), tz.offsetFromUtc(noon)) << "the zone did not take effect";
        auto* picker = testsupport::loadedEditor(screen)->findChild<controls::DatePicker*>("dpFechaI");
        for (QDate d(2025, 1, 1); d.year() < 2028; d = d.addDays(1)) {
            picker->setDay(d);  // as the calendar hands over a slot's day
            ASSERT_EQ(std::make_tuple(picker->Day(), picker->editor()->date(), picker->Value().date()),
                      std::make_tuple(d, d, d)) << d.toString(Qt::ISODate).toStdString();
            picker->editor()->setDate(d.addDays(-1));  // as a person picks the day before
            ASSERT_EQ(picker->Day(), d.addDays(-1));
        }
        frmReservacion::Unload();
        QList<QDate> saved;
        for (QDate d(2025, 1, 1); d.year() < 2028; d = d.addDays(31)) saved << d;
        for (const auto& t : tz.transitions(QDateTime({2025, 1, 1}, {}, Qt::UTC), QDateTime({2028, 1, 1}, {}, Qt::UTC)))
            saved << t.atUtc.toOffsetFromUtc(t.offsetFromUtc).date() << t.atUtc.toOffsetFromUtc(t.offsetFromUtc).date().addDays(-1);
        for (const QDate& day : saved) {
            const QString iso = day.toString(Qt::ISODate);
            SCOPED_TRACE(iso.toStdString());
            click(testsupport::newReservation(screen, day, day, "09:00", "10:00", "0000000002", "ANA", "Junta"), "Aceptar");
            frmReservacion::Unload();
            const QString folio = rows("SELECT MAX(Rsj_Folio) FROM Reservacion_Sala_Junta").value(0);
            frmReservacion* e = testsupport::loadedEditor(screen);
            ASSERT_TRUE(e->Cargar(folio));
            e->show();
            ASSERT_EQ(shownIn(e).mid(0, 4), QStringList({iso, iso, "09:00:00", "10:00:00"}));
            click(e, "Modificar");
            click(e, "Aceptar");  // unchanged
            frmReservacion::Unload();
            ASSERT_EQ(rows("SELECT Rsj_Fecha, Rsj_Inicio, Rsj_Fin FROM Reservacion_Sala_Junta WHERE Rsj_Folio = ?", {folio}),
                      QStringList{iso + "|09:00|10:00"});
        }
        conn->Execute("DELETE FROM Reservacion_Sala_Junta WHERE Sj_Cve_Sala_Junta = '0000000002'");
    }
    hadZone ? qputenv("TZ", ownZone) : qunsetenv("TZ");
    tzset();
    EXPECT_TRUE(reports().empty());
}

RS_INSTANTIATE_BACKENDS(TimeZoneTest);

}  // namespace
