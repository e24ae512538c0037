#include <gtest/gtest.h>

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTest>

#include "host/app/editordriver.h"
#include "host/controls/datepicker.h"
#include "platform/core/error.h"
#include "platform/flexgrid/flexgrid.h"
#include "tests/host/servicefixture.h"
#include "tests/support/neartext.h"

// Every place of the host that reads a date or a time from a text, fed
// texts near valid ones: each gives a valid value or one clear refusal,
// never an invalid date passed on, never an escaping exception.
namespace {

// Typed into the date and the time pickers of the editor, as their formats
// show them: the value stays a valid moment and the part the picker does
// not show is untouched.
TEST(DateTextFuzzTest, TypingIntoThePickersAlwaysLeavesAValidValue) {
    const QDateTime start(QDate(2026, 3, 2), QTime(10, 30, 0));
    for (const bool time : {false, true}) {
        controls::DatePicker picker;
        picker.setFormat(time ? controls::DatePicker::Time : controls::DatePicker::ShortDate);
        if (time) picker.setCustomformat("hh:mm:ss");
        picker.setValue(start);
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
        auto* text = picker.editor()->findChild<QLineEdit*>();
        testsupport::NearText near({"02/03/2026", "30/02/2026", "31/12/9999", "10:30:00", "25:00:00", "23:60:00", "24:00:00"});
        for (int n = 0; n < 1500; ++n) {
            const QString typed = near.next();
            SCOPED_TRACE(typed.toStdString());
            text->setFocus();
            QTest::keyClick(text, Qt::Key_A, Qt::ControlModifier);
            for (const QChar c : typed) QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::keyClick(text, Qt::Key_Tab);
            const QDateTime value = picker.Value();
            ASSERT_TRUE(value.isValid());
            ASSERT_EQ(value, time ? QDateTime(start.date(), picker.editor()->time())
                                  : QDateTime(picker.editor()->date(), start.time()));
        }
    }
}

// --editor SLOT|FOLIO: a text opens the cell it names exactly (a slot of the
// period shown, AAAA-MM-DDThh:mm, or a folio shown), else is refused with a
// message quoting it.
TEST(DateTextFuzzTest, AnEditorTargetOpensTheCellItNamesOrIsRefused) {
    QWidget calendar;
    auto* grid = new flexgrid::FlexGrid(&calendar);
    grid->setObjectName("msfDisponibilidad");
    grid->setRows(22);
    grid->setCols(8);
    QVariantList dates{QVariant()};
    for (int c = 1; c < 8; ++c) dates << QDate(2026, 3, 1).addDays(c - 1);
    calendar.setProperty("Fechas", dates);
    for (int r = 2; r < 22; ++r) grid->SetTextMatrix(r, 0, QTime(9, 0).addSecs(1800 * (r - 2)).toString("HH:mm"));
    grid->SetTextMatrix(5, 3, "0000000007");
    const auto names = [&](int r, int c, const QString& target) {
        return grid->TextMatrix(r, c) == target ||
               dates.at(c).toDate().toString("yyyy-MM-dd") + "T" + grid->TextMatrix(r, 0) == target;
    };
    testsupport::NearText near({"2026-03-03T10:30", "2026-03-07T18:30", "2026-03-08T10:00", "2026-02-30T10:00",
                                "2026-03-03T24:00", "2026-03-03T10:60", "0000-01-01T09:00", "0000000007"});
    for (int n = 0; n < 5000; ++n) {
        const QString target = near.next();
        SCOPED_TRACE(target.toStdString());
        grid->setRow(0);
        grid->setCol(0);
        QString error;
        const bool opened = app::openEditorOn(&calendar, target, error);
        bool named = false;
        for (int r = 2; r < 22; ++r)
            for (int c = 1; c < 8; ++c) named = named || names(r, c, target.trimmed());
        ASSERT_EQ(opened, named);
        if (opened)
            ASSERT_TRUE(names(grid->Row(), grid->Col(), target.trimmed()));
        else
            ASSERT_TRUE(error.contains("\"" + target + "\"")) << error.toStdString();
    }
}

// The rest days of the week, a site parameter: a list of days 1 to 7, or a
// refusal naming the parameter and quoting its value.
TEST(RestDayFuzz, ListsGiveWeekdaysOrAClearRefusal) {
    testsupport::NearText near({"6,7", "1,2,3", "7", "6, 7", ""});
    for (int n = 0; n < 200; ++n) {
        const QString listed = near.next();
        SCOPED_TRACE(listed.toStdString());
        try {
            for (const int day : services::Funciones::parseRestDays(listed))
                ASSERT_TRUE(day >= 1 && day <= 7 && listed.contains(QString::number(day)));
        } catch (const core::Error& e) {
            ASSERT_TRUE(e.description().contains(services::Funciones::kRestDaysParameter));
            ASSERT_TRUE(e.description().contains("\"" + listed + "\""));
        }
    }
}

class DateServicesFuzzTest : public testsupport::ServiceTest {};

// Stored non-working days: each one in the range asked for is read as a
// valid date inside it, or a stored text that is no date is refused by
// name; none is dropped without a word.
TEST_P(DateServicesFuzzTest, StoredNonWorkingDaysAreValidDatesInRangeOrAClearRefusal) {
    testsupport::NearText near({"2026-03-02", "2026-03-31", "2026-02-30", "2026-03-01 00:00:00"});
    const QDate from(2026, 3, 1), to(2026, 3, 31);
    conn->Execute("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor) VALUES (?, '')",
                  {services::Funciones::kRestDaysParameter});  // no weekday is rest: only stored days count
    for (int n = 0; n < 300; ++n) {
        const QString stored = near.next();
        SCOPED_TRACE(stored.toStdString());
        conn->Execute("DELETE FROM Dia_Inhabil");
        try {
            conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha) VALUES (?)", {stored});
        } catch (const core::Error&) {
            continue;  // PostgreSQL's date column takes only dates
        }
        try {
            const QList<QDate> days = funciones->DiasInhabiles(from, to);
            for (const QDate& d : days) ASSERT_TRUE(d.isValid() && d >= from && d <= to);
            ASSERT_EQ(days.size(), scalar("SELECT COUNT(*) FROM Dia_Inhabil WHERE Di_Fecha BETWEEN ? AND ?", {from, to}));
        } catch (const core::Error& e) {
            ASSERT_TRUE(e.description().contains("\"" + stored + "\"")) << e.what();
        }
    }
}

RS_INSTANTIATE_BACKENDS(DateServicesFuzzTest);

}  // namespace
