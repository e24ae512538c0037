#include <map>

#include <QAction>
#include <QRegularExpression>

#include "tests/src/editorfixture.h"

namespace {

using reservation::frmReservacion;
using testsupport::EditorTest;

// A double-click opens the editor on a new reservation for a free slot, or
// on the stored one locked until Modificar; then the same boxes can change
// (the end date only with the permission), a stored one may still be
// cancelled, and Esc leaves storing nothing. The opening asks what it always
// asked, in the same order with the same values, however the engine carries it.
TEST_P(EditorTest, ASlotOpensANewReservationOrTheStoredOneLockedUntilModified) {
    struct Case {
        const char* slot;
        int day;                  // from Monday; on Monday, folio 7
        const char *start, *end;  // as the pickers show them
        bool mayMoveEndDate;
    } const cases[] = {
        {"17:30", 2, "17:30:00", "18:00:00", false},
        {"18:30", 2, "18:30:00", "18:30:00", true},  // the last row ends where it starts
        {"10:00", 0, "09:30:00", "11:00:00", false},
        {"10:00", 0, "09:30:00", "11:00:00", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.slot) + (c.mayMoveEndDate ? ", may move the end date" : ""));
        conn->Execute("DELETE FROM Permiso_Usuario");
        conn->Execute("DELETE FROM Reservacion_Sala_Junta");
        openOnRoom(c.mayMoveEndDate, recorded());
        const bool stored = c.day == 0;
        const QString day = monday.addDays(c.day).toString(Qt::ISODate);
        QStringList changeable{"dpHoraInicio", "dpHoraFin", "txt_Cl_Cve_Cliente", "txtResponsable", "txtProposito"};
        if (c.mayMoveEndDate) changeable.insert(1, "dpFechaF");
        markGrid();
        const qsizetype from = rec->statements.size();
        throughEditor(c.slot, monday.addDays(c.day), [&](frmReservacion* e) {
            const QString date = conn->dialect().serverNowQuery().simplified() + " | ",
                          format = "SELECT Pa_Valor FROM Parametro WHERE Pa_Cve_Parametro = ? | FTO_CLIENTE",
                          room = "SELECT Sj_Descripcion FROM Sala_Junta WHERE Sj_Cve_Sala_Junta = ? AND Es_Cve_Estado <> ? | 0000000001,BA";
            // Beside the calendar's own question on who holds the cell under the pointer.
            EXPECT_EQ(asked(from).filter(QRegularExpression("^(?!SELECT Rsj_Responsable)")).mid(0, stored ? 5 : 3),
                      stored ? QStringList({date, format, "SELECT * FROM Reservacion_Sala_Junta WHERE Rsj_Folio = '0000000007' AND "
                                           "Es_Cve_Estado <> 'CA' | ", room,
                                           "SELECT Cl_Razon_Social FROM Cliente WHERE Cl_Cve_Cliente = '0003' AND Es_Cve_Estado <> 'BA' | "})
                             : QStringList({date, format, room}));
            EXPECT_EQ(shownIn(e), QStringList({day, day, c.start, c.end}) +
                                      (stored ? QStringList{"0000000007", "0000000001", "Sala Juárez", "0003",
                                                            "Cliente Tres", "LAURA MÉNDEZ",
                                                            "Revisión <b>trimestral</b>\nsegunda línea"}
                                              : QStringList{"", "0000000001", "Sala Juárez", "", "", "", ""}));
            if (stored) {
                EXPECT_EQ(editable(e), QStringList{});
                QStringList offered;
                for (const char* s : {"Nuevo", "Modificar", "Eliminar", "Consultar", "Imprimir"})
                    if (e->findChild<QObject*>("Controles")->property((QByteArray(s) + "Habilitado").constData()).toBool())
                        offered << s;
                EXPECT_EQ(offered, QStringList({"Modificar", "Eliminar", "Consultar"}));
                click(e, "Consultar");  // the host's record view finds the folio: nothing to report
                click(e, "Modificar");
            } else {
                EXPECT_EQ(std::make_tuple(e->OK(), e->iHoraI(), e->iHoraF(), e->CHFEFIN(), e->Padre()),
                          std::make_tuple(false, QTime(9, 0), QTime(18, 30), c.mayMoveEndDate, screen->Padre()));
            }
            EXPECT_EQ(editable(e), changeable);
            EXPECT_EQ(e->Nuevo(), !stored);
            EXPECT_EQ(e->findChild<QAction*>("actEliminar")->isEnabled(), stored);
            pressEsc(e);
        });
        EXPECT_FALSE(repainted());
        EXPECT_FALSE(frmReservacion::exists());
        EXPECT_TRUE(reports().empty());
    }
}

// Every way out hides the editor and, with nothing stored, leaves the
// calendar unpainted (a stored change repaints: see the save tests).
TEST_P(EditorTest, EveryWayOutHidesTheEditorAndOnlyAStoredChangeRepaints) {
    const std::pair<const char*, std::function<void(frmReservacion*)>> cases[] = {
        {"Esc", [](frmReservacion* e) { pressEsc(e); }},
        {"Salir", [](frmReservacion* e) { click(e, "Salir"); }},
        {"Cerrar", [](frmReservacion* e) { click(e, "Cerrar"); }},
        {"window closed", [](frmReservacion* e) { e->close(); }},
        {"Cancelar clears OK",
         [](frmReservacion* e) {
             e->setProperty("OK", true);
             click(e, "Modificar");
             click(e, "Cancelar");
         }},
    };
    openOnRoom(false);
    for (const auto& [name, leave] : cases) {
        SCOPED_TRACE(name);
        markGrid();
        throughEditor("10:00", monday, leave);
        EXPECT_FALSE(repainted());
        EXPECT_FALSE(frmReservacion::exists());
    }
    EXPECT_TRUE(reports().empty());
}

TEST_P(EditorTest, ADoubleClickThatCannotOpenTheEditorReportsAndLeavesNoEditor) {
    openOnRoom(false, recorded());
    const QDate sunday = screen->Inicio();
    struct Case {
        const char* name;
        std::function<void()> before;
        const char* slot;
        QDate day;
        const char* identifier;  // nullptr: nothing happens
        const char* message;
    } const cases[] = {
        {"silver cell", [] {}, "10:00", sunday, nullptr, ""},
        {"cancelled meanwhile", [this] { conn->Execute("UPDATE Reservacion_Sala_Junta SET Es_Cve_Estado = 'CA'"); },
         "10:00", monday, "ERR-ID:7500015", "Cargar()\r\nla reservación no existe o esta cancelada"},
        {"database fails as the editor loads", [this] { rec->failAt(1); }, "15:00", monday, "ERR-ID:7500021",
         "fallo simulado de la base de datos"},
        {"no valid room",
         [this] {
             roomEdit()->clear();
             typeRoom("0000000006");  // retired: no name
             grid()->setFocus();
         },
         "15:00", monday, "ERR-ID:7500013", "Debe de especificar una sala de juntas válida"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        conn->Execute("DELETE FROM Bitacora_Error");
        c.before();
        onEditor([](frmReservacion*) {});
        doubleClick(c.slot, c.day);
        EXPECT_FALSE(shown);
        EXPECT_FALSE(frmReservacion::exists());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        using Reports = decltype(reports());
        EXPECT_EQ(reports(), (c.identifier ? Reports{{c.identifier, c.message}} : Reports{}));
    }
    EXPECT_EQ(screen->focusWidget(), roomEdit());  // after "no valid room"
}

TEST_P(EditorTest, CargarFindsOnlyTheExactFolioOfAReservationInForce) {
    openOnRoom(false, recorded());
    addReservation("0000000008", monday, "15:00", "16:00", "0000000001", "CA");
    const QString noFolio = "Cargar()\r\nNo se especificó el folio de la reservación";
    const QString none = "Cargar()\r\nla reservación no existe o esta cancelada";
    struct Case {
        QString folio;
        bool loads;
        QString error;
        bool queries;
    } const cases[] = {
        {"0000000007", true, "", true},        {"", false, noFolio, false},
        {"   ", false, noFolio, false},        {" 0000000007 ", false, none, true},
        {"0000000008", false, none, true},     {"0000000099", false, none, true},
        {"x' OR '1'='1", false, none, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folio.toStdString());
        frmReservacion* editor = frmReservacion::instance(screen);
        editor->Load();
        const qsizetype before = rec->statements.size();
        bool loaded = false;
        QMetaObject::invokeMethod(editor, "Cargar", Q_RETURN_ARG(bool, loaded), Q_ARG(QString, c.folio));
        EXPECT_EQ(loaded, c.loads);
        EXPECT_EQ(editor->Error(), c.error);
        EXPECT_EQ(rec->statements.size() > before, c.queries);
        EXPECT_EQ(text(editor, "txtFolio"), c.loads ? c.folio : "");
        frmReservacion::Unload();
    }
    EXPECT_EQ(conn->Execute("SELECT COUNT(*) FROM Reservacion_Sala_Junta").Fields(0).Value.toInt(), 2);
}

TEST_P(EditorTest, ResizingStretchesOnlyTheResponsibleAndPurposeBoxes) {
    openOnRoom(false);
    frmReservacion* editor = frmReservacion::instance(screen);
    editor->Load();
    editor->show();
    const auto places = [editor] {
        std::map<QString, QRect> out;
        for (QWidget* w : editor->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            out[w->objectName()] = w->geometry();
        return out;
    };
    const auto design = places();
    EXPECT_EQ(design.at("txtResponsable").width(), 377);  // 5655 twips: margin of 120 at the design size
    EXPECT_EQ(design.at("txtProposito").size(), QSize(377, 118));

    editor->resize(editor->width() + 67, editor->height() + 20);  // about 1000 twips wider
    auto grown = places();
    EXPECT_EQ(grown.at("txtResponsable").width(), 444);
    EXPECT_EQ(grown.at("txtProposito").size(), QSize(444, 138));
    for (const char* name : {"txtResponsable", "txtProposito"}) grown.erase(name);
    for (const auto& [name, place] : grown) EXPECT_EQ(place, design.at(name)) << name.toStdString();

    editor->resize(editor->width(), 200);  // shorter than the purpose box's top
    EXPECT_EQ(places().at("txtProposito").size(), QSize(444, 138));
    editor->resize(150, 200);  // narrower than the boxes' left edge
    EXPECT_EQ(places().at("txtProposito").width(), 444);
    frmReservacion::Unload();
}

RS_INSTANTIATE_BACKENDS(EditorTest);

}  // namespace
