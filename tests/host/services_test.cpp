#include <gtest/gtest.h>

#include <algorithm>

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTest>

#include "host/app/signon.h"
#include "host/controls/datepicker.h"
#include "host/controls/label.h"
#include "host/controls/textbox.h"
#include "host/schema/demodata.h"
#include "host/schema/roles.h"
#include "host/services/consultaregistro.h"
#include "platform/core/error.h"
#include "tests/host/servicefixture.h"

namespace {

using testsupport::ServiceTest;

class ServicesTest : public ServiceTest {};
class DemoServiceTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        if (IsSkipped()) return;
        schema::DemoData::load(*conn, QDate(2026, 12, 5));
        conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id, Tgd_Clave, Tgd_Valor) VALUES "
                      "('SALA_JUNTA_RESPONSABLE', '1', '0001', 'Ana Torres'), ('OTRA', '1', '0001', 'Luis')");
    }
};

TEST_P(ServicesTest, ParameterIsTheStoredValueElseTheDefault) {
    EXPECT_EQ(sistema->LeerParametro("RS_HORARIO_RESERVACIONES", 0, "T", "09:00,18:30"), "09:00,18:30");
    conn->Execute("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor) VALUES "
                  "('RS_HORARIO_RESERVACIONES', '08:00,20:00'), ('FTO_CLIENTE', '')");
    EXPECT_EQ(sistema->LeerParametro("RS_HORARIO_RESERVACIONES", 0, "T", "09:00,18:30"), "08:00,20:00");
    EXPECT_EQ(sistema->LeerParametro("FTO_CLIENTE", 0, "T", "0000"), "");  // stored empty is not missing
    EXPECT_EQ(sistema->LeerParametro("rs_horario_reservaciones", 0, "T", "x"), "x");
}

TEST_P(ServicesTest, PermissionBelongsToTheSignedOnActiveUser) {
    conn->Execute("INSERT INTO Usuario (Us_Cve_Usuario, Es_Cve_Estado) VALUES ('ANA', 'AC'), ('LUIS', 'AC'), ('EVA', 'BA')");
    conn->Execute("INSERT INTO Permiso_Usuario (Us_Cve_Usuario, Pu_Modulo, Pu_Cve_Permiso) VALUES "
                  "('ANA', 'RS501', 'CHFEFIN'), ('LUIS', 'RS999', 'CHFEFIN'), ('EVA', 'RS501', 'CHFEFIN')");
    for (const auto& [user, expected] :
         {std::pair{"ANA", true}, std::pair{"LUIS", false}, std::pair{"EVA", false}, std::pair{"NADIE", false}}) {
        services::HostSession other(db->open(), user, true);
        EXPECT_EQ(services::Sistema(other).TienePermiso("RS501", "CHFEFIN", "Fuera de horario"), expected) << user;
    }
    EXPECT_FALSE(sistema->TienePermiso("RS501", "OTRO", ""));
}

TEST_P(ServicesTest, UnattendedErrorIsLoggedWithEverythingAndShowsNoDialog) {
    sistema->RegistrarError("No hay sala.\r\nDetalle", 48, "txtSalaJunta_Change()", nullptr, "RS501", "ERR-ID:7500013");
    EXPECT_EQ(rows("SELECT Be_Mensaje, Be_Titulo, Be_Modulo, Be_Identificador, Be_Usuario, "
                   "CASE WHEN Be_Fecha IS NULL THEN 'undated' ELSE 'dated' END FROM Bitacora_Error"),
              QStringList{"No hay sala.\r\nDetalle|txtSalaJunta_Change()|RS501|ERR-ID:7500013|ANA|dated"});
    EXPECT_EQ(funciones->ObtenerMensajeError(), "No hay sala.\r\nDetalle");
}

TEST_P(DemoServiceTest, LookUpSkipsRetiredRowsAndUsesTheSecondKey) {
    const auto room = [&](const QString& key, const QString& excluded) {
        return funciones->BuscarDescripcion("Sala_Junta", "Sj_Cve_Sala_Junta", key, "Sj_Descripcion", 0, "", "", excluded);
    };
    EXPECT_TRUE(room("0000000001", "BA").startsWith("Sala Juárez"));
    EXPECT_EQ(room("0000000006", "BA"), "");  // retired
    EXPECT_NE(room("0000000006", ""), "");    // no excluded state: any row
    EXPECT_EQ(room("1", "BA"), "");           // keys are compared as typed
    for (const auto& [name, expected] :
         {std::pair{"Ana Torres", "Ana Torres"}, std::pair{"ana torres", ""}, std::pair{"Luis", ""}})
        EXPECT_EQ(funciones->BuscarDescripcion("TABLA_GENERAL_DETALLE", "Tg_Cve_Tabla_General", "SALA_JUNTA_RESPONSABLE",
                                               "Tgd_Valor", 0, "Tgd_Valor", name, ""),
                  expected);
}

// The date texts compare with stored dates and order as the dates do.
TEST_P(ServicesTest, DateTextsMatchStoredDatesAndOrderAcrossMonthAndYearEnds) {
    QList<QDate> days = {QDate(2026, 1, 31), QDate(2025, 12, 31), QDate(2026, 2, 1),
                         QDate(2024, 2, 29), QDate(2026, 10, 1),  QDate(2026, 9, 30)};
    for (const QDate& d : days)
        conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha) VALUES (?)", {funciones->FormatoFechaSQL(d)});
    QList<QDate> fromDb;
    for (ado::Recordset rs = conn->Execute("SELECT Di_Fecha FROM Dia_Inhabil ORDER BY Di_Fecha"); !rs.Eof(); rs.MoveNext())
        fromDb << QDate::fromString(rs.Fields(0).Value.toString(), Qt::ISODate);
    std::sort(days.begin(), days.end());
    EXPECT_EQ(fromDb, days);
    const auto at = [&](int second) {
        return funciones->FormatoFechaHoraSQL(QDateTime(QDate(2026, 1, 31), QTime(23, 59, second)));
    };
    conn->Execute("INSERT INTO Bitacora_Movimiento (Bm_Entidad, Bm_Clave, Bm_Operacion, Bm_Fecha) VALUES ('E', 'K', 'O', ?)",
                  {at(58)});
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Bitacora_Movimiento WHERE Bm_Fecha > ?", {at(57)}), 1);
    EXPECT_THROW(funciones->FormatoFechaSQL(QDate()), core::Error);
}

// Weekends (or the site's rest days) and listed dates are not worked; the
// rest days are read once per session.
TEST_P(ServicesTest, NonWorkingDaysAreRestDaysAndListedDates) {
    conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha, Di_Descripcion) VALUES ('2026-12-25', 'Navidad')");
    const std::pair<QDate, bool> cases[] = {{QDate(2026, 12, 5), true},  {QDate(2026, 12, 6), true},
                                            {QDate(2026, 12, 7), false}, {QDate(2026, 12, 25), true},
                                            {QDate(2026, 12, 24), false}};
    for (const auto& [day, expected] : cases) EXPECT_EQ(funciones->EsDiaInhabil(day), expected) << day.toString().toStdString();
    conn->Execute("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor) VALUES (?, '7')",
                  {services::Funciones::kRestDaysParameter});
    services::HostSession sundaysOnly(db->open(), "ANA", true);
    EXPECT_FALSE(services::Funciones(sundaysOnly).EsDiaInhabil(QDate(2026, 12, 5)));  // Saturday is worked here
    EXPECT_TRUE(services::Funciones(sundaysOnly).EsDiaInhabil(QDate(2026, 12, 6)));
    conn->Execute("UPDATE Parametro SET Pa_Valor = 'sábado' WHERE Pa_Cve_Parametro = ?",
                  {services::Funciones::kRestDaysParameter});
    services::HostSession nextStart(db->open(), "ANA", true);
    EXPECT_THROW(services::Funciones(nextStart).EsDiaInhabil(QDate(2026, 12, 7)), core::Error);
}

// The movement is logged with the user and the server's date, and goes with
// the caller's rollback.
TEST_P(ServicesTest, ConfirmationAndMovementLog) {
    EXPECT_FALSE(funciones->ConfirmarRegistro("Reservacion_Sala_Junta", "Rsj_Folio", "0000000125"));
    EXPECT_TRUE(funciones->ObtenerMensajeError().contains("0000000125"));
    conn->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
                  "VALUES ('0000000125', '2026-12-07', '09:00', '10:00', '1')");
    EXPECT_TRUE(funciones->ConfirmarRegistro("Reservacion_Sala_Junta", "Rsj_Folio", "0000000125"));
    ado::Connection& shared = sistema->Conexion();
    shared.BeginTrans();
    funciones->RegistrarMovimiento("RESERVACION_SALA_JUNTA", "0000000001", "CANCELACION");
    shared.RollbackTrans();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Bitacora_Movimiento"), 0);
    funciones->RegistrarMovimiento("RESERVACION_SALA_JUNTA", "0000000125", "CANCELACION");
    const QDateTime server = funciones->FechaServidor();
    EXPECT_LE(std::abs(server.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_EQ(rows("SELECT Bm_Entidad, Bm_Clave, Bm_Operacion, Bm_Usuario FROM Bitacora_Movimiento"),
              QStringList{"RESERVACION_SALA_JUNTA|0000000125|CANCELACION|ANA"});
    EXPECT_TRUE(rows("SELECT Bm_Fecha FROM Bitacora_Movimiento")[0].startsWith(server.toString("yyyy-MM-dd")));
}

TEST_P(ServicesTest, TransactionTextNeedsAValue) {
    EXPECT_EQ(funciones->ObtenerTransaccion(" RS501 ", "Quintasistema"), "RS501");
    EXPECT_THROW(funciones->ObtenerTransaccion("  ", "Quintasistema"), core::Error);
}

// Controls of groups "1" and "2" and an untagged one: clearing and enabling
// touch only the group, and clearing leaves dates.
TEST_P(ServicesTest, ClearingAndEnablingTouchOnlyTheGroupAndClearingLeavesDates) {
    QWidget screen;
    auto* box1 = new controls::TextBox(&screen, sistema.get());
    auto* box2 = new controls::TextBox(&screen, sistema.get());
    auto* label1 = new controls::Label(&screen);
    auto* date1 = new controls::DatePicker(&screen);
    auto* line1 = new QLineEdit("libre", &screen);
    auto* notes1 = new QPlainTextEdit("notas", &screen);
    auto* untagged = new QLineEdit("sin grupo", &screen);
    const QDateTime when{QDate(2026, 12, 7), QTime(10, 0)};
    const QList<QWidget*> group1{box1, label1, date1, line1, notes1};
    for (QWidget* w : group1) w->setProperty("Tag", "1");
    box2->setProperty("Tag", "2");
    box1->setText("0001");
    box2->setText("0002");
    label1->setCaption("Sala Juárez");
    date1->setValue(when);
    for (QWidget* w : screen.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->setEnabled(false);

    funciones->LimpiarControles(&screen, "1");
    funciones->LimpiarControles(&screen, "");  // untagged widgets are in no group
    EXPECT_EQ(QStringList({box1->Text(), label1->Caption(), line1->text(), notes1->toPlainText(), box2->Text(),
                           untagged->text()}),
              QStringList({"", "", "", "", "0002", "sin grupo"}));
    EXPECT_EQ(date1->Value(), when);
    funciones->HabilitarControles(&screen, "1");
    for (QWidget* w : screen.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        EXPECT_EQ(w->isEnabled(), group1.contains(w)) << w->metaObject()->className();
    EXPECT_THROW(funciones->LimpiarControles(nullptr, "1"), core::Error);
    EXPECT_THROW(funciones->HabilitarControles(nullptr, "1"), core::Error);
}

// A record is read in table order, further key pairs narrow it, and the
// dialog lists every column read-only.
TEST_P(DemoServiceTest, RecordIsReadInTableOrderAndTheDialogListsItReadOnly) {
    services::ConsultaRegistro consulta(*session);
    const services::ConsultaRegistro::Campos expected = {
        {"Sj_Cve_Sala_Junta", "0000000006"}, {"Sj_Descripcion", "Sala Anexo (retirada)"}, {"Es_Cve_Estado", "BA"}};
    EXPECT_EQ(consulta.Leer("Sala_Junta", "Sj_Cve_Sala_Junta", "0000000006"), expected);
    EXPECT_EQ(consulta.Leer("Tabla_General_Detalle", "Tgd_Id", "1", "Tg_Cve_Tabla_General", "OTRA").back(),
              std::make_pair(QString("Tgd_Valor"), QString("Luis")));
    auto dialog = services::ConsultaRegistro::crearDialogo("Cliente", consulta.Leer("Cliente", "Cl_Cve_Cliente", "0002"),
                                                           nullptr);
    auto* grid = dialog->findChild<QTableWidget*>("grdCampos");
    ASSERT_NE(grid, nullptr);
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->item(1, 0)->text(), "Cl_Razon_Social");
    dialog->show();
    grid->setCurrentCell(1, 1);
    QTest::keyClick(grid, Qt::Key_F2);  // the edit key opens no editor
    QTest::keyClicks(grid, "x");
    EXPECT_EQ(grid->item(1, 1)->text(), "Constructora del Bajío");
}

// Both look-ups take only known plain names: a table or column that could
// carry more SQL, or that is not known, is refused and nothing runs.
TEST_P(DemoServiceTest, LookUpsRefuseAnythingButKnownPlainNamesAndSayWhenNoRecordExists) {
    struct Case {
        const char *table, *key, *second;
    } const cases[] = {
        {"Sala_Junta; DROP TABLE Sala_Junta", "Sj_Cve_Sala_Junta", ""},
        {"Sala_Junta", "1=1 OR Sj_Cve_Sala_Junta", ""},
        {"Tabla_Inventada", "Sj_Cve_Sala_Junta", ""},
        {"Sala_Junta", "Sj_Cve_Sala_Junta", "Sj_Descripcion<>''--"},
        {"Sala_Junta", "Sj_Cve_Sala_Junta", "Es_Cve_Estado = Es_Cve_Estado"},
    };
    services::ConsultaRegistro consulta(*session);
    for (const Case& c : cases) {
        EXPECT_THROW(funciones->BuscarDescripcion(c.table, c.key, "1", "Sj_Descripcion", 0, c.second, "y", "BA"),
                     core::Error)
            << c.table << " / " << c.key << " / " << c.second;
        EXPECT_TRUE(funciones->ObtenerMensajeError().contains("no permitido"));
        EXPECT_THROW(consulta.Mostrar(c.table, c.key, "1", c.second, "AC"), core::Error) << c.table << " / " << c.key;
    }
    EXPECT_THROW(funciones->BuscarDescripcion("Sala_Junta", "Sj_Cve_Sala_Junta", "1", "Us_Nombre", 0, "", "", ""),
                 core::Error);
    EXPECT_THROW(funciones->BuscarDescripcion("Bitacora_Error", "Be_Id", "1", "Be_Mensaje", 0, "", "", "BA"), core::Error);
    try {
        consulta.Mostrar("Sala_Junta", "Sj_Cve_Sala_Junta", "0000000099");
        ADD_FAILURE() << "no error for a missing record";
    } catch (const core::Error& e) {
        EXPECT_TRUE(e.description().contains("No existe el registro")) << e.description().toStdString();
    }
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Sala_Junta"), 6);
}

RS_INSTANTIATE_BACKENDS(ServicesTest);
RS_INSTANTIATE_BACKENDS(DemoServiceTest);

// Without a server login the signer is --user, else RS501_USER, else the
// account, which the new database signed as its first user.
TEST(HostSession, TheSignerComesFromOptionThenEnvironmentThenAccountAndServicesNeedASession) {
    testsupport::TestDatabase db("sqlite");
    auto c = db.open();
    schema::Schema::ensure(*c, false, schema::Roles::account().toUpper());
    c->Execute("INSERT INTO Usuario (Us_Cve_Usuario, Es_Cve_Estado) VALUES ('OPCION', 'AC'), ('DEL_ENTORNO', 'AC')");
    qputenv("RS501_USER", "DEL_ENTORNO");
    EXPECT_EQ(app::SignOn::signer(*c, true, " OPCION "), "OPCION");
    EXPECT_EQ(app::SignOn::signer(*c, false, ""), "DEL_ENTORNO");
    qunsetenv("RS501_USER");
    EXPECT_EQ(app::SignOn::signer(*c, false, ""), schema::Roles::account().toUpper());
    services::HostSession::install(nullptr);
    EXPECT_THROW(services::Sistema(), core::Error);
}

}  // namespace
