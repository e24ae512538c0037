#pragma once

#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <QToolButton>

#include "src/reservation/frmreservacion.h"
#include "tests/src/calendarfixture.h"

namespace testsupport {

using reservation::frmReservacion;

// The calendar on a tall screen (every slot row in view) with a reservation
// and a client to open, driven by mouse and keys, the editor acted on from
// inside its modal loop.
class EditorTest : public testsupport::CalendarTest {
protected:
    void SetUp() override {
        CalendarTest::SetUp();
        if (IsSkipped()) return;
        conn->Execute("INSERT INTO Cliente (Cl_Cve_Cliente, Cl_Razon_Social) VALUES ('0003', 'Cliente Tres')");
        conn->Execute("INSERT INTO Usuario (Us_Cve_Usuario, Us_Nombre) VALUES ('ANA', 'Ana')");
    }

    void openOnRoom(bool mayMoveEndDate, std::unique_ptr<ado::Connection> connection = nullptr) {
        if (mayMoveEndDate)
            conn->Execute("INSERT INTO Permiso_Usuario (Us_Cve_Usuario, Pu_Modulo, Pu_Cve_Permiso) "
                          "VALUES ('ANA', 'RS501', 'CHFEFIN')");
        open(std::move(connection));
        screen->resize(1200, 900);
        monday = screen->Inicio().addDays(1);
        conn->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, "
                      "Sj_Cve_Sala_Junta, Rsj_Cliente, Rsj_Responsable, Rsj_Proposito) "
                      "VALUES ('0000000007', ?, '09:30', '11:00', '0000000001', '0003', 'LAURA MÉNDEZ', ?)",
                      {monday, QStringLiteral("Revisión <b>trimestral</b>\nsegunda línea")});
        typeRoom("0000000001");
        QTest::keyClick(roomEdit(), Qt::Key_Return);  // confirmed: leaving the box later redraws nothing
    }

    // Runs act on the editor once it is up. If act leaves it up, it is hidden
    // afterwards (OK untouched) so the test goes on, and leftUp says so.
    void onEditor(std::function<void(frmReservacion*)> act) {
        shown = leftUp = false;
        auto* poll = new QTimer(screen);
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, act] {
            auto* editor = qobject_cast<frmReservacion*>(QApplication::activeModalWidget());
            if (!editor || !editor->isVisible()) return;
            poll->deleteLater();
            shown = true;
            act(editor);
            leftUp = editor->isVisible();
            editor->hide();
        });
        poll->start(5);
    }

    // Double-clicks the cell with act scheduled on the editor it opens: the
    // editor must come up, and act must leave it.
    void throughEditor(const char* slot, const QDate& day, std::function<void(frmReservacion*)> act) {
        onEditor(std::move(act));
        doubleClick(slot, day);
        EXPECT_TRUE(shown);
        EXPECT_FALSE(leftUp);
    }

    void doubleClick(const char* slot, const QDate& day) {
        const QRect cell = grid()->cellRect(rowOf(slot), columnOf(day));
        ASSERT_TRUE(grid()->viewport()->rect().contains(cell.center())) << slot;
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }

    static void click(frmReservacion* editor, const char* action) {
        auto* button = editor->findChild<QWidget*>("Controles")->findChild<QToolButton*>(QString("btn") + action);
        ASSERT_NE(button, nullptr) << action;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static void pressEsc(frmReservacion* editor) {
        QWidget* target = QApplication::focusWidget();
        if (!target || !editor->isAncestorOf(target)) target = editor;
        QTest::keyClick(target, Qt::Key_Escape);
    }

    static QWidget* input(QWidget* control) {
        auto* line = control->findChild<QLineEdit*>();
        return line ? line : control;
    }
    // Empties the box and types the text: one key per character (a pair of
    // surrogates is one, as an input method hands it over), or pastes it when long.
    static void typeInto(QWidget* control, const QString& text) {
        QWidget* in = input(control);
        in->setFocus();
        QTest::keyClick(in, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(in, Qt::Key_Delete);
        if (text.size() > 300) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(in, Qt::Key_V, Qt::ControlModifier);
            return;
        }
        for (qsizetype i = 0, n = 1; i < text.size(); i += n) {
            n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, in, Qt::Key_unknown, text.mid(i, n), Qt::NoModifier);
        }
    }
    static void typeInto(QWidget* parent, const char* control, const QString& text) {
        typeInto(parent->findChild<QWidget*>(control), text);
    }

    static QVariant value(frmReservacion* editor, const char* control, const char* property = "Value") {
        return editor->findChild<QObject*>(control)->property(property);
    }
    static QString text(frmReservacion* editor, const char* control) {
        return value(editor, control, "Text").toString();
    }
    // What the editor shows: dates, times, then each text box.
    static QStringList shownIn(frmReservacion* e) {
        QStringList out;
        for (const char* name : {"dpFechaI", "dpFechaF"}) out << value(e, name, "Day").toDate().toString(Qt::ISODate);
        for (const char* name : {"dpHoraInicio", "dpHoraFin"}) out << value(e, name, "TimeOfDay").toTime().toString("HH:mm:ss");
        for (const char* name : {"txtFolio", "txtSala_Junta", "txtNSalaJunta", "txt_Cl_Cve_Cliente", "txt_Cl_Descripcion",
                                 "txtResponsable", "txtProposito"})
            out << text(e, name);
        return out;
    }
    // The controls a person can change, by name, enabled ones only.
    static QStringList editable(frmReservacion* editor) {
        QStringList out;
        for (const char* name : {"txtFolio", "dpFechaI", "dpHoraInicio", "dpFechaF", "dpHoraFin", "txtSala_Junta",
                                 "txt_Cl_Cve_Cliente", "txtResponsable", "txtProposito"})
            if (editor->findChild<QWidget*>(name)->isEnabled()) out << name;
        return out;
    }

    QDate monday;
    bool shown = false;
    bool leftUp = false;
};

}  // namespace testsupport
