#include <gtest/gtest.h>

#include <QApplication>
#include <QMetaObject>
#include <QTimer>
#include <QToolButton>

#include "tests/src/calendarfixture.h"

namespace {

using testsupport::CalendarTest;

class CalendarScreenTest : public CalendarTest {};

TEST_P(CalendarScreenTest, OpensOnTheServersWeekReadableByName) {
    open();
    // Only names and the meta-object system, as a late-bound host would.
    QObject* g = screen->findChild<QObject*>("msfDisponibilidad");
    ASSERT_NE(g, nullptr);
    const auto cell = [g](int r, int c) {
        QString text;
        QMetaObject::invokeMethod(g, "TextMatrix", Q_RETURN_ARG(QString, text), Q_ARG(int, r), Q_ARG(int, c));
        return text;
    };
    EXPECT_EQ(QSize(g->property("Cols").toInt(), g->property("Rows").toInt()), QSize(8, 22));
    EXPECT_EQ(QStringList({cell(0, 0), cell(1, 0), cell(2, 0), cell(21, 0)}), QStringList({" ", " ", "09:00", "18:30"}));
    const QDate inicio = screen->property("Inicio").toDate();
    const QDate today = QDate::currentDate();
    EXPECT_EQ(screen->property("Tipo").toString(), "ww");
    EXPECT_EQ(inicio.dayOfWeek(), Qt::Sunday);
    EXPECT_TRUE(inicio <= today && today < screen->property("Fin").toDate());
    EXPECT_EQ(cell(1, 1), "DOM " + inicio.toString("dd"));
    EXPECT_EQ(cell(1, 7), "SAB " + inicio.addDays(6).toString("dd"));
    // No room yet: weekdays free, the weekend not worked.
    int monday = 0, sunday = 0;
    QMetaObject::invokeMethod(g, "CellBackColorAt", Q_RETURN_ARG(int, monday), Q_ARG(int, 2), Q_ARG(int, 2));
    QMetaObject::invokeMethod(g, "CellBackColorAt", Q_RETURN_ARG(int, sunday), Q_ARG(int, 2), Q_ARG(int, 1));
    EXPECT_EQ(std::make_pair(monday, sunday), std::make_pair(kGreen, kSilver));
    EXPECT_EQ(screen->property("Fechas").toList().size(), 8);
    EXPECT_TRUE(reports().empty());
}

TEST_P(CalendarScreenTest, WindowParameterShapesTheGrid) {
    struct Case {
        const char* value;
        int rows;
        const char* last;  // slot time of the last row
        bool warned;
    } const cases[] = {
        {"08:00,20:00", 27, "20:00", false},
        {"09:00,18:15", 21, "18:00", false},
        {"nueve,seis", 22, "18:30", true},
        {"18:00,09:00", 22, "18:30", true},  // ends before it starts
        {"25:00,09:00", 22, "18:30", true},
        {"18:00-09:00", 22, "18:30", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        conn->Execute("DELETE FROM Parametro");
        conn->Execute("DELETE FROM Bitacora_Error");
        setParameter("RS_HORARIO_RESERVACIONES", c.value);
        open();
        EXPECT_EQ(grid()->Rows(), c.rows);
        EXPECT_EQ(grid()->Cols(), 8);
        EXPECT_EQ(grid()->TextMatrix(grid()->Rows() - 1, 0), c.last);
        EXPECT_EQ(rows("SELECT Be_Identificador FROM Bitacora_Error"),
                  c.warned ? QStringList{"ERR-ID:7500019"} : QStringList{});
    }
}

TEST_P(CalendarScreenTest, TipNamesWhoHoldsTheCurrentCellAndHeadingsAskNothing) {
    open(recorded());
    const QDate monday = screen->Inicio().addDays(1);
    addReservation("0000000007", monday, "10:00", "11:30", "0000000001", "AC", "Laura Méndez");
    addReservation("0000000008", monday, "15:00", "16:00", "0000000001", "AC", "");
    addReservation("0000000009", monday.addDays(1), "09:00", "10:00", "0000000001", "AC", "Pedro Ruiz");
    typeRoom("0000000001");
    flexgrid::FlexGrid& g = *grid();
    const int mon = columnOf(monday);
    const auto enter = [&](int row, int col) {
        g.setRow(row);
        g.setCol(col);
        return g.ToolTipText();
    };
    EXPECT_EQ(enter(rowOf("10:00"), mon), "RESPONSABLE: Laura Méndez");
    EXPECT_EQ(enter(rowOf("09:00"), mon), "");
    EXPECT_EQ(enter(rowOf("09:00"), mon + 1), "RESPONSABLE: Pedro Ruiz");  // the first slot row
    EXPECT_EQ(enter(rowOf("11:00"), mon), "RESPONSABLE: Laura Méndez");  // any cell of the block
    EXPECT_EQ(enter(rowOf("15:00"), mon), "");                          // nobody recorded
    // Month, day and time headings hold no folio: with the database failing,
    // moving over them still asks nothing and reports nothing.
    for (const auto& [row, col] : {std::pair{0, mon}, std::pair{1, mon}, std::pair{1, 0}, std::pair{rowOf("10:00"), 0}}) {
        rec->failAt(1);
        EXPECT_EQ(enter(row, col), "") << row << "," << col;  // each step lands on a heading
    }
    EXPECT_TRUE(reports().empty());
    enter(rowOf("10:00"), mon);  // a folio cell does ask
    EXPECT_EQ(rows("SELECT Be_Identificador FROM Bitacora_Error"), QStringList{"ERR-ID:7500020"});
}

TEST_P(CalendarScreenTest, RoomBoxRedrawsOnlyForARealRoomUntilConfirmed) {
    open();
    markGrid();
    typeRoom("000000000");  // partial: no such room yet
    EXPECT_EQ(roomName(), "");
    EXPECT_FALSE(repainted());
    typeRoom("1");
    EXPECT_EQ(roomName(), "Sala Juárez");
    EXPECT_TRUE(repainted());

    roomEdit()->clear();  // emptied box: no room, redraw
    EXPECT_EQ(roomName(), "");
    EXPECT_TRUE(repainted());

    markGrid();
    typeRoom("0000000006");  // retired
    EXPECT_EQ(roomName(), "");
    EXPECT_FALSE(repainted());

    QTest::keyClick(roomEdit(), Qt::Key_Return);  // confirmed: redraws whatever was found
    EXPECT_TRUE(repainted());

    roomEdit()->clear();
    typeRoom("2");
    QTest::keyClick(roomEdit(), Qt::Key_Return);  // the key is padded to its format
    EXPECT_EQ(roomEdit()->text(), "0000000002");
    EXPECT_EQ(roomName(), "Sala Hidalgo");
    EXPECT_TRUE(reports().empty());
}

TEST_P(CalendarScreenTest, ButtonsMoveAndSwitchPeriods) {
    open();
    const QDate today = screen->FechaBase(), sunday = screen->Inicio(), first(today.year(), today.month(), 1);
    struct Step {
        const char* button;
        QDate inicio;
        int cols;
    } const steps[] = {
        {"cmdAdelante", sunday.addDays(7), 8}, {"cmdAtras", sunday, 8},
        {"cmdMes", first, first.daysInMonth() + 1}, {"cmdAdelante", first.addMonths(1), first.addMonths(1).daysInMonth() + 1},
        {"cmdHoy", first, first.daysInMonth() + 1}, {"cmdSemana", sunday, 8},
    };
    for (const Step& step : steps) {
        clickButton(step.button);
        EXPECT_EQ(screen->Inicio(), step.inicio) << step.button;
        EXPECT_EQ(grid()->Cols(), step.cols) << step.button;
        EXPECT_EQ(grid()->TextMatrix(1, 1).right(2), step.inicio.toString("dd")) << step.button;
    }
    // A redraw keeps the person's slot; a period without it starts on the first.
    grid()->setRow(3);
    grid()->setCol(4);
    ASSERT_TRUE(screen->CargarCalendario());
    EXPECT_EQ(QPoint(grid()->Col(), grid()->Row()), QPoint(4, 3));
    clickButton("cmdAdelante");
    EXPECT_EQ(QPoint(grid()->Col(), grid()->Row()), QPoint(1, 2));
    EXPECT_TRUE(reports().empty());
}

// Before the screen has loaded there is no period to move and no room to
// paint: the buttons and the room box do nothing.
TEST_P(CalendarScreenTest, ControlsDoNothingBeforeTheScreenLoads) {
    open(nullptr, [this] {
        const int cols = grid()->Cols();
        for (const char* handler : {"cmdAdelante_Click", "cmdAtras_Click", "cmdHoy_Click", "cmdMes_Click",
                                    "cmdSemana_Click", "txtSalaJunta_Change", "txtSalaJunta_Consulta"}) {
            ASSERT_TRUE(QMetaObject::invokeMethod(screen, handler)) << handler;
            EXPECT_FALSE(screen->FechaBase().isValid()) << handler;
            EXPECT_EQ(grid()->Cols(), cols) << handler;
        }
        EXPECT_TRUE(reports().empty());
    });
    EXPECT_EQ(screen->Tipo(), "ww");
}

TEST_P(CalendarScreenTest, FailureAtStartIsReportedWithTheLoadIdentifier) {
    auto recording = recorded();
    rec->failAt(12);  // after the start-up reads, inside the first painting
    open(std::move(recording));
    EXPECT_EQ(rows("SELECT Be_Identificador, SUBSTR(Be_Mensaje, 1, 38) FROM Bitacora_Error"),
              QStringList{"ERR-ID:7500012|CargarCalendario()\r\nDisponibilidad()\r\n"});
    EXPECT_TRUE(screen->isVisible());
}

TEST_P(CalendarScreenTest, ResizeFollowsTheWindowAndTheCloseActionClosesTheOwner) {
    open();
    const QRect grid0 = grid()->geometry();
    screen->resize(screen->width() + 100, screen->height() + 40);
    EXPECT_EQ(grid()->size(), grid0.size() + QSize(100, 40));
    QWidget* legend = screen->findChild<QWidget*>("frNomenclatura");
    EXPECT_EQ(legend->width(), grid()->width());
    EXPECT_EQ(screen->height() - legend->geometry().bottom() - 1, 8);  // 120 twips

    // The toolbar offers only what the calendar handles, and exit closes.
    QWidget owner;
    owner.show();
    screen->setPadre(&owner);
    QStringList offered;
    for (const QToolButton* b : screen->findChild<QWidget*>("Controles")->findChildren<QToolButton*>())
        if (b->isVisibleTo(screen)) offered << b->objectName();
    EXPECT_EQ(offered, QStringList({"btnSalir", "btnCerrar"}));
    QTest::mouseClick(screen->findChild<QToolButton*>("btnSalir"), Qt::LeftButton);
    EXPECT_FALSE(owner.isVisible());
}

// A start on a room key written before shows its name and what the switches
// say, asking the database what it always asked, in the same order with the
// same values, however the engine carries the questions.
TEST_P(CalendarScreenTest, StartUpAsksTheSameQuestionsInOrderAndShowsTheirAnswers) {
    setParameter("RS_HORARIO_RESERVACIONES", "08:00,20:00");
    conn->Execute("INSERT INTO Usuario (Us_Cve_Usuario, Us_Nombre) VALUES ('ANA', 'Ana')");
    conn->Execute("INSERT INTO Permiso_Usuario (Us_Cve_Usuario, Pu_Modulo, Pu_Cve_Permiso) VALUES ('ANA', 'RS501', 'CHFEFIN')");
    const QString parameter = "SELECT Pa_Valor FROM Parametro WHERE Pa_Cve_Parametro = ? | ";
    for (const QString upper : {"0", "1"}) {
        SCOPED_TRACE(upper.toStdString());
        conn->Execute("DELETE FROM Parametro WHERE Pa_Cve_Parametro = 'CAT_FORZAR_MAYUSCULAS'");
        setParameter("CAT_FORZAR_MAYUSCULAS", upper);
        open(recorded(), [this] { screen->findChild<QObject*>("txtSalaJunta")->setProperty("Text", "0000000002"); });
        EXPECT_EQ(roomName(), "Sala Hidalgo");
        EXPECT_EQ(session->forceUpperCase(), upper == "1");
        EXPECT_TRUE(screen->CHFEFIN());
        EXPECT_EQ(grid()->TextMatrix(grid()->Rows() - 1, 0), "20:00");
        const QStringList asked = this->asked();
        const QString sunday = screen->Inicio().toString(Qt::ISODate);
        ASSERT_EQ(asked.size(), 6 + 7 * 25 + 2);  // a question per slot cell in one batch, then the non-working days
        EXPECT_EQ(asked.mid(0, 7) + asked.mid(181),
                  QStringList({parameter + "RS_HORARIO_RESERVACIONES", parameter + "CAT_FORZAR_MAYUSCULAS",
                               parameter + "FTO_SALA_JUNTA", conn->dialect().serverNowQuery().simplified() + " | ",
                               "SELECT COUNT(*) AS n FROM Permiso_Usuario p JOIN Usuario u ON u.Us_Cve_Usuario = "
                               "p.Us_Cve_Usuario WHERE p.Us_Cve_Usuario = ? AND p.Pu_Modulo = ? AND p.Pu_Cve_Permiso "
                               "= ? AND u.Es_Cve_Estado <> 'BA' | ANA,RS501,CHFEFIN",
                               "SELECT Sj_Descripcion FROM Sala_Junta WHERE Sj_Cve_Sala_Junta = ? AND Es_Cve_Estado <> ? | "
                               "0000000002,BA",
                               "SELECT Rsj_Folio FROM Reservacion_Sala_Junta WHERE Sj_Cve_Sala_Junta = ? AND Rsj_Fecha = ? "
                               "AND Rsj_Inicio < ? AND Rsj_Fin > ? AND Es_Cve_Estado <> 'CA' | 0000000002," + sunday + ",08:30,08:00",
                               parameter + "DIAS_INHABILES_SEMANA",
                               "SELECT Di_Fecha FROM Dia_Inhabil WHERE Di_Fecha BETWEEN ? AND ? | " + sunday + "," +
                                   screen->Inicio().addDays(6).toString(Qt::ISODate)}));
    }
    EXPECT_TRUE(reports().empty());
}

TEST_P(CalendarScreenTest, ActivationPutsTheFocusInTheRoomBoxWhenItCanTakeIt) {
    open();
    screen->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
    QWidget* box = screen->findChild<QWidget*>("txtSalaJunta");
    QWidget* other = screen->findChild<QWidget*>("txtN1")->findChild<QLineEdit*>();
    other->setFocus();
    box->setEnabled(false);
    QMetaObject::invokeMethod(screen, "Form_Activate");
    EXPECT_EQ(QApplication::focusWidget(), other);
    box->setEnabled(true);
    QMetaObject::invokeMethod(screen, "Form_Activate");
    EXPECT_TRUE(box->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == box);
}

RS_INSTANTIATE_BACKENDS(CalendarScreenTest);

}  // namespace
