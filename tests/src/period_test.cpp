#include <gtest/gtest.h>

#include <random>

#include "platform/core/error.h"
#include "src/calendar/calendarlayout.h"
#include "src/calendar/period.h"
#include "src/calendar/slotspeech.h"
#include "src/reservation/reservationrecord.h"
#include "tests/support/neartext.h"

namespace {

using calendar::periodBounds;

TEST(Period, BoundsForWeekMonthAndAnyOtherType) {
    struct Case {
        QDate base;
        const char* tipo;
        QDate inicio, fin;
    } const cases[] = {
        {QDate(2024, 3, 3), "ww", QDate(2024, 3, 3), QDate(2024, 3, 10)},      // a Sunday starts its own week
        {QDate(2024, 3, 9), "ww", QDate(2024, 3, 3), QDate(2024, 3, 10)},      // a Saturday ends it
        {QDate(2024, 3, 6), "Ww", QDate(2024, 3, 3), QDate(2024, 3, 10)},      // case does not matter
        {QDate(2025, 1, 2), "WW", QDate(2024, 12, 29), QDate(2025, 1, 5)},     // across the year
        {QDate(2024, 2, 15), "m", QDate(2024, 2, 1), QDate(2024, 3, 1)},       // leap February
        {QDate(2024, 12, 31), "M", QDate(2024, 12, 1), QDate(2025, 1, 1)},     // December rolls over
        {QDate(2024, 3, 6), "", QDate(2024, 3, 7), QDate(2024, 3, 14)},        // no type: the next seven days
        {QDate(2024, 3, 6), "d", QDate(2024, 3, 7), QDate(2024, 3, 14)},
    };
    for (const Case& c : cases) {
        QDate inicio, fin;
        periodBounds(c.base, c.tipo, inicio, fin);
        EXPECT_EQ(inicio, c.inicio) << c.base.toString(Qt::ISODate).toStdString() << " " << c.tipo;
        EXPECT_EQ(fin, c.fin) << c.base.toString(Qt::ISODate).toStdString() << " " << c.tipo;
    }
    QDate inicio, fin;
    periodBounds(QDate(2024, 2, 10), "m", inicio, fin);
    EXPECT_EQ(inicio.daysTo(fin), 29);
    EXPECT_THROW(periodBounds(QDate(), "ww", inicio, fin), core::Error);
}

TEST(Period, MonthStepsKeepTheShortenedDay) {
    QDate d(2024, 1, 31);
    d = calendar::moveByInterval(d, "m", 1);
    EXPECT_EQ(d, QDate(2024, 2, 29));
    d = calendar::moveByInterval(d, "m", 1);
    EXPECT_EQ(d, QDate(2024, 3, 29));  // not back to the 31st
    EXPECT_EQ(calendar::moveByInterval(QDate(2023, 1, 31), "m", 1), QDate(2023, 2, 28));
    EXPECT_EQ(calendar::moveByInterval(QDate(2025, 1, 2), "ww", -1), QDate(2024, 12, 26));
    EXPECT_EQ(calendar::moveByInterval(QDate(2024, 3, 31), "m", -1), QDate(2024, 2, 29));
    EXPECT_THROW(calendar::moveByInterval(QDate(2024, 1, 1), "q", 1), core::Error);
}

TEST(Period, SlotCountFollowsTheWindow) {
    struct Case {
        QTime start, end;
        int expected;
    } const cases[] = {
        {QTime(9, 0), QTime(18, 30), 20}, {QTime(9, 0), QTime(18, 15), 19}, {QTime(9, 0), QTime(9, 0), 1},
        {QTime(9, 0), QTime(8, 0), 0},    {QTime(8, 0), QTime(20, 0), 25},  {QTime(9, 10), QTime(10, 0), 2},
        {QTime(0, 0), QTime(23, 59), 48},
    };
    for (const Case& c : cases)
        EXPECT_EQ(calendar::slotCount(c.start, c.end), c.expected) << c.start.toString().toStdString() << "-"
                                                                << c.end.toString().toStdString();
}

TEST(Period, DayNamesAndMonthTitles) {
    const char* names[] = {"NA", "DOM", "LUN", "MAR", "MIE", "JUE", "VIE", "SAB", "NA"};
    for (int n = 0; n <= 8; ++n) EXPECT_EQ(calendar::dayName(n), names[n]) << n;
    EXPECT_EQ(calendar::weekdayFromSunday(QDate(2024, 3, 3)), 1);
    EXPECT_EQ(calendar::weekdayFromSunday(QDate(2024, 3, 9)), 7);
    const QLocale mx(QLocale::Spanish, QLocale::Mexico);
    EXPECT_EQ(calendar::monthTitle(QDate(2024, 3, 5), mx), "MARZO 2024");
    EXPECT_EQ(calendar::monthTitle(QDate(2024, 9, 1), mx), "SEPTIEMBRE 2024");
    EXPECT_EQ(calendar::monthTitle(QDate(2024, 3, 5), QLocale(QLocale::English)), "MARCH 2024");
}

TEST(Period, ReservationWindowFromItsParameter) {
    struct Case {
        const char* text;
        QTime start, end;
        bool malformed;
    } const cases[] = {
        {"09:00,18:30", QTime(9, 0), QTime(18, 30), false},
        {"08:00,20:00", QTime(8, 0), QTime(20, 0), false},
        {"08:00,20:00,22:00", QTime(8, 0), QTime(20, 0), false},
        {"8:00, 9:30", QTime(8, 0), QTime(9, 30), false},
        {"09:00,09:00", QTime(9, 0), QTime(9, 0), false},
        {"", QTime(9, 0), QTime(18, 30), false},
        {"  ", QTime(9, 0), QTime(18, 30), false},
        {"08:00", QTime(9, 0), QTime(18, 30), true},
        {"abc", QTime(9, 0), QTime(18, 30), true},
        {"18:00-09:00", QTime(9, 0), QTime(18, 30), true},
        {"18:00,09:00", QTime(9, 0), QTime(18, 30), true},
        {"abc,20:00", QTime(9, 0), QTime(18, 30), true},
        {"25:00,09:00", QTime(9, 0), QTime(18, 30), true},
        {",", QTime(9, 0), QTime(18, 30), true},
    };
    for (const Case& c : cases) {
        const calendar::Window w = calendar::parseWindow(c.text);
        EXPECT_EQ(w.start, c.start) << c.text;
        EXPECT_EQ(w.end, c.end) << c.text;
        EXPECT_EQ(w.malformed, c.malformed) << c.text;
    }
}

// Texts near valid times of day, windows and period codes (25:00, 24:00,
// 23:60, signs, blanks, other scripts' digits): a time is read only when it
// is exactly "hh:nn" of the day, and is written back the same; a window is
// always usable; a period covers the base date and runs forward; a step
// lands on a valid date or is refused for an unknown period.
TEST(Period, NearValidTimeWindowAndPeriodTextsGiveAValueOrARefusal) {
    testsupport::NearText near({"09:00", "18:30", "23:59", "00:00", "24:00", "9:00,18:30", "ww", "m", "WW"});
    std::mt19937 random(7);
    for (int n = 0; n < 5000; ++n) {
        const QString text = near.next();
        SCOPED_TRACE(text.toStdString());
        const QTime t = reservation::horaDeTexto(text);
        ASSERT_TRUE(!t.isValid() || (reservation::textoDeHora(t) == text && t.second() == 0));
        const calendar::Window w = calendar::parseWindow(text);
        ASSERT_TRUE(w.start.isValid() && w.end.isValid() && w.start <= w.end);
        const QDate base = QDate(2026, 1, 1).addDays(static_cast<int>(random() % 40000) - 20000);
        QDate inicio, fin;
        periodBounds(base, text, inicio, fin);
        ASSERT_TRUE(inicio.isValid() && fin.isValid() && inicio <= base.addDays(1) && base < fin);
        ASSERT_LE(inicio.daysTo(fin), 31);
        const bool known = text.toUpper() == "WW" || text.toUpper() == "M";
        try {
            ASSERT_TRUE(calendar::moveByInterval(base, text, static_cast<int>(random() % 2001) - 1000).isValid());
            ASSERT_TRUE(known);
        } catch (const core::Error&) {
            ASSERT_FALSE(known);
        }
    }
}

TEST(Period, ParameterFlagTurnsOnlyForNonZeroNumbersAndYesWords) {
    struct Case {
        const char* text;
        bool on;
    } const cases[] = {
        {"0", false},  {"00", false},   {"0.0", false}, {" 0 ", false}, {"", false},       {"false", false},
        {"no", false}, {"abc", false},  {"1", true},    {"-1", true},   {"0.5", true},     {"True", true},
        {"SI", true},  {"sí", true},
    };
    for (const Case& c : cases) EXPECT_EQ(calendar::parameterFlag(QString::fromUtf8(c.text)), c.on) << c.text;
}

TEST(CalendarLayout, GridAndLegendFollowTheWindowStepByStep) {
    const calendar::CalendarGeometry design;
    const auto wide = calendar::fitCalendar(design, 17695, 9345);
    EXPECT_EQ(std::make_tuple(wide.gridWidth, wide.frameWidth, wide.gridHeight, wide.frameTop, wide.frameLeft),
              std::make_tuple(17455, 17455, 9345 - 1080 - 855 - 240, 9345 - 855 - 120, design.gridLeft));

    // Too low for the grid: its height stays, the legend still hugs the bottom.
    const auto low = calendar::fitCalendar(wide, 17695, 1500);
    EXPECT_EQ(low.gridHeight, wide.gridHeight);
    EXPECT_EQ(low.frameTop, 1500 - 855 - 120);
    const auto tiny = calendar::fitCalendar(wide, 17695, 300);
    EXPECT_LT(tiny.frameTop, 0);

    // Narrower than the margins: widths stay as they were.
    const auto narrow = calendar::fitCalendar(wide, 200, 9345);
    EXPECT_EQ(std::make_pair(narrow.gridWidth, narrow.frameWidth), std::make_pair(wide.gridWidth, wide.gridWidth));
}

// What a screen reader says for a slot: state from colour and folio, the
// holder only with a folio; a reservation on a non-working day is both.
TEST(SlotSpeech, DayTimeStateFolioAndHolder) {
    const QDate tue(2026, 12, 8), sun(2026, 12, 6);
    const std::pair<calendar::SlotFacts, const char*> cases[] = {
        {{tue, "10:00", "10:30", true, false, "", ""}, "martes 8 de diciembre, 10:00 a 10:30, disponible"},
        {{tue, "10:00", "10:30", true, false, "0000000002", "Jorge Ramírez"},
         "martes 8 de diciembre, 10:00 a 10:30, reservado, folio 0000000002, Jorge Ramírez"},
        {{tue, "18:30", "19:00", true, false, "0000000003", ""},
         "martes 8 de diciembre, 18:30 a 19:00, reservado, folio 0000000003"},
        {{sun, "09:00", "09:30", true, true, "", "nadie"}, "domingo 6 de diciembre, 09:00 a 09:30, inhábil"},
        {{sun, "09:00", "09:30", true, true, "0000000004", "Ana"},
         "domingo 6 de diciembre, 09:00 a 09:30, inhábil, reservado, folio 0000000004, Ana"},
        {{sun, "09:00", "09:30", false, false, "", ""}, "domingo 6 de diciembre, 09:00 a 09:30"},
    };
    for (const auto& [facts, spoken] : cases) EXPECT_EQ(calendar::slotSpeech(facts), QString::fromUtf8(spoken));
    EXPECT_EQ(calendar::gridCaption("Sala Juárez", QDate(2026, 12, 27), QDate(2027, 1, 3), "ww"),
              "Sala Juárez, semana del domingo 27 de diciembre de 2026 al sábado 2 de enero de 2027");
    EXPECT_EQ(calendar::gridCaption("", QDate(2026, 2, 1), QDate(2026, 3, 1), "m"),
              "Sin sala elegida, mes de febrero de 2026");
}

}  // namespace
