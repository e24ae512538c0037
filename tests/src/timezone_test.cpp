#include <time.h>

#include <QAction>
#include <QDateTimeEdit>
#include <QTimeZone>

#include "host/controls/datepicker.h"
#include "host/services/funciones.h"
#include "tests/src/editorfixture.h"
#include "tests/support/editorsteps.h"

namespace {

using reservation::frmReservacion;

// The process's local time zone while alive; Qt reads TZ again at every
// local-time computation once tzset() has.
class LocalZone {
public:
    explicit LocalZone(const QByteArray& zone) : had_(qEnvironmentVariableIsSet("TZ")), old_(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~LocalZone() {
        had_ ? qputenv("TZ", old_) : qunsetenv("TZ");
        tzset();
    }

private:
    bool had_;
    QByteArray old_;
};

// The local days on either side of each jump of the zone's clocks in 2025-2027.
QList<QDate> jumpDays(const QTimeZone& zone) {
    QList<QDate> days;
    for (const QTimeZone::OffsetData& t : zone.transitions(QDateTime({2025, 1, 1}, {}, Qt::UTC),
                                                           QDateTime({2028, 1, 1}, {}, Qt::UTC))) {
        const QDate after = t.atUtc.toOffsetFromUtc(t.offsetFromUtc).date();
        days << after.addDays(-1) << after;
    }
    return days;
}

// Zones whose clocks jump at midnight (or back to it) keep every day a day:
// in the pickers, and stored, loaded and stored again by the real editor.
class TimeZoneTest : public testsupport::EditorTest {
protected:
    static void trigger(frmReservacion* e, const char* action) {
        e->findChild<QAction*>(QStringLiteral("act") + QString::fromLatin1(action))->trigger();
    }
    void saveAndLoad(const QDate& day) {
        const QString iso = day.toString(Qt::ISODate);
        frmReservacion* e = testsupport::newReservation(screen, day, day, "09:00", "10:00", "0000000002", "ANA", "Junta");
        trigger(e, "Aceptar");
        ASSERT_TRUE(e->OK()) << iso.toStdString();
        frmReservacion::Unload();
        const QString folio = rows("SELECT MAX(Rsj_Folio) FROM Reservacion_Sala_Junta").value(0);
        e = testsupport::loadedEditor(screen);
        ASSERT_TRUE(e->Cargar(folio));
        e->show();
        ASSERT_EQ(shownIn(e).mid(0, 4), QStringList({iso, iso, "09:00:00", "10:00:00"}));
        trigger(e, "Modificar");
        trigger(e, "Aceptar");  // unchanged
        ASSERT_TRUE(e->OK());
        frmReservacion::Unload();
        ASSERT_EQ(rows("SELECT Rsj_Fecha, Rsj_Inicio, Rsj_Fin FROM Reservacion_Sala_Junta WHERE Rsj_Folio = ?", {folio}),
                  QStringList{iso + "|09:00|10:00"});
    }
};

TEST_P(TimeZoneTest, EveryDayOfThreeYearsStaysItselfInThePickersAndThroughASaveAndALoad) {
    setParameter(services::Funciones::kRestDaysParameter, "");  // the jumps fall on rest days
    openOnRoom(false);
    for (const char* name : {"Africa/Cairo", "America/Santiago", "America/Havana", "Asia/Beirut", "Atlantic/Azores",
                             "America/Mexico_City"}) {
        SCOPED_TRACE(name);
        const LocalZone zone(name);
        const QTimeZone tz(name);
        for (const QDateTime& when : {QDateTime({2026, 1, 15}, {12, 0}), QDateTime({2026, 7, 15}, {12, 0})})
            ASSERT_EQ(when.offsetFromUtc(), tz.offsetFromUtc(when)) << "the zone did not take effect";
        frmReservacion* e = testsupport::loadedEditor(screen);
        auto* picker = e->findChild<controls::DatePicker*>("dpFechaI");
        for (QDate d(2025, 1, 1); d.year() < 2028; d = d.addDays(1)) {
            picker->setDay(d);  // as the calendar hands over a slot's day
            ASSERT_EQ(std::make_tuple(picker->Day(), picker->editor()->date(), picker->Value().date()),
                      std::make_tuple(d, d, d))
                << d.toString(Qt::ISODate).toStdString();
            picker->editor()->setDate(d.addDays(-1));  // as a person picks the day before
            ASSERT_EQ(picker->Day(), d.addDays(-1));
        }
        auto* start = e->findChild<controls::DatePicker*>("dpHoraInicio");
        start->setTimeOfDay({0, 30});  // an hour some midnights skip
        EXPECT_EQ(start->TimeOfDay(), QTime(0, 30));
        frmReservacion::Unload();
        // Every day through a save is slow on a server; the jump days and
        // every 31st day stand for them.
        QList<QDate> saved = jumpDays(tz);
        for (QDate d(2025, 1, 1); d.year() < 2028; d = d.addDays(31)) saved << d;
        for (const QDate& d : saved) ASSERT_NO_FATAL_FAILURE(saveAndLoad(d)) << d.toString(Qt::ISODate).toStdString();
        conn->Execute("DELETE FROM Reservacion_Sala_Junta WHERE Sj_Cve_Sala_Junta = '0000000002'");
    }
    EXPECT_TRUE(reports().empty());
}

RS_INSTANTIATE_BACKENDS(TimeZoneTest);

}  // namespace
