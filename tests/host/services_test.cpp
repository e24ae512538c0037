#include <gtest/gtest.h>

#include <algorithm>

#include "host/schema/demodata.h"
#include "platform/core/error.h"
#include "tests/host/servicefixture.h"

namespace {

using testsupport::ServiceTest;

class SistemaTest : public ServiceTest {};
class FuncionesTest : public ServiceTest {};

TEST_P(SistemaTest, ParameterIsTheStoredValueElseTheDefault) {
    EXPECT_EQ(sistema->LeerParametro("RS_HORARIO_RESERVACIONES", 0, "T", "09:00,18:30"), "09:00,18:30");
    conn->Execute("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor) VALUES ('RS_HORARIO_RESERVACIONES', '08:00,20:00')");
    conn->Execute("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor) VALUES ('FTO_CLIENTE', '')");
    EXPECT_EQ(sistema->LeerParametro("RS_HORARIO_RESERVACIONES", 0, "T", "09:00,18:30"), "08:00,20:00");
    EXPECT_EQ(sistema->LeerParametro("FTO_CLIENTE", 0, "T", "0000"), "");  // stored empty is not missing
    EXPECT_EQ(sistema->LeerParametro("rs_horario_reservaciones", 0, "T", "x"), "x");
}

TEST_P(SistemaTest, PermissionBelongsToTheSignedOnActiveUser) {
    conn->Execute("INSERT INTO Usuario (Us_Cve_Usuario, Es_Cve_Estado) VALUES ('ANA', 'AC'), ('LUIS', 'AC'), ('EVA', 'BA')");
    conn->Execute("INSERT INTO Permiso_Usuario (Us_Cve_Usuario, Pu_Modulo, Pu_Cve_Permiso) VALUES "
                  "('ANA', 'RS501', 'CHFEFIN'), ('LUIS', 'RS999', 'CHFEFIN'), ('EVA', 'RS501', 'CHFEFIN')");
    struct Case {
        const char* user;
        bool expected;
    } const cases[] = {{"ANA", true}, {"LUIS", false}, {"EVA", false}, {"NADIE", false}};
    for (const Case& c : cases) {
        services::HostSession other(db->open(), c.user, true);
        EXPECT_EQ(services::Sistema(other).TienePermiso("RS501", "CHFEFIN", "Fuera de horario"), c.expected) << c.user;
    }
    EXPECT_FALSE(sistema->TienePermiso("RS501", "OTRO", ""));
}

TEST_P(SistemaTest, UnattendedErrorIsLoggedWithEverythingAndShowsNoDialog) {
    sistema->RegistrarError("No hay sala.\r\nDetalle", 48, "txtSalaJunta_Change()", nullptr, "RS501", "ERR-ID:7500013");
    ado::Recordset rs = conn->Execute("SELECT Be_Mensaje, Be_Titulo, Be_Modulo, Be_Identificador, Be_Usuario, Be_Fecha "
                                      "FROM Bitacora_Error");
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields("Be_Mensaje").Value.toString(), "No hay sala.\r\nDetalle");
    EXPECT_EQ(rs.Fields("Be_Titulo").Value.toString(), "txtSalaJunta_Change()");
    EXPECT_EQ(rs.Fields("Be_Modulo").Value.toString(), "RS501");
    EXPECT_EQ(rs.Fields("Be_Identificador").Value.toString(), "ERR-ID:7500013");
    EXPECT_EQ(rs.Fields("Be_Usuario").Value.toString(), "ANA");
    EXPECT_FALSE(rs.Fields("Be_Fecha").Value.toString().isEmpty());
    EXPECT_EQ(funciones->ObtenerMensajeError(), "No hay sala.\r\nDetalle");
}

TEST_P(FuncionesTest, LookUpSkipsRetiredRowsAndUsesTheSecondKey) {
    schema::DemoData::load(*conn, QDate(2026, 12, 5));
    const auto room = [&](const QString& key, const QString& excluded) {
        return funciones->BuscarDescripcion("Sala_Junta", "Sj_Cve_Sala_Junta", key, "Sj_Descripcion", 0, "", "", excluded);
    };
    EXPECT_TRUE(room("0000000001", "BA").startsWith("Sala Juárez"));
    EXPECT_EQ(room("0000000006", "BA"), "");     // retired
    EXPECT_NE(room("0000000006", ""), "");       // no excluded state: any row
    EXPECT_EQ(room("1", "BA"), "");              // keys are compared as typed
    conn->Execute("INSERT INTO Tabla_General_Detalle (Tg_Cve_Tabla_General, Tgd_Id, Tgd_Clave, Tgd_Valor) VALUES "
                  "('SALA_JUNTA_RESPONSABLE', '0001', '0001', 'Ana Torres'), ('OTRA', '0001', '0001', 'Luis')");
    const auto person = [&](const QString& name) {
        return funciones->BuscarDescripcion("TABLA_GENERAL_DETALLE", "Tg_Cve_Tabla_General", "SALA_JUNTA_RESPONSABLE",
                                             "Tgd_Valor", 0, "Tgd_Valor", name, "");
    };
    EXPECT_EQ(person("Ana Torres"), "Ana Torres");
    EXPECT_EQ(person("ana torres"), "");
    EXPECT_EQ(person("Luis"), "");
}

TEST_P(FuncionesTest, LookUpRefusesAnythingButKnownPlainNames) {
    struct Case {
        const char *table, *key, *result, *second;
    } const cases[] = {
        {"Sala_Junta; DROP TABLE Sala_Junta", "Sj_Cve_Sala_Junta", "Sj_Descripcion", ""},
        {"Sala_Junta", "1=1 OR Sj_Cve_Sala_Junta", "Sj_Descripcion", ""},
        {"Tabla_Inventada", "Sj_Cve_Sala_Junta", "Sj_Descripcion", ""},
        {"Sala_Junta", "Sj_Cve_Sala_Junta", "Us_Nombre", ""},
        {"Sala_Junta", "Sj_Cve_Sala_Junta", "Sj_Descripcion", "Sj_Descripcion<>''--"},
    };
    for (const Case& c : cases) {
        EXPECT_THROW(funciones->BuscarDescripcion(c.table, c.key, "x", c.result, 0, c.second, "y", ""), core::Error)
            << c.table << " / " << c.key << " / " << c.result;
    }
    EXPECT_TRUE(funciones->ObtenerMensajeError().startsWith("Nombre de"));
    EXPECT_THROW(funciones->BuscarDescripcion("Bitacora_Error", "Be_Id", "1", "Be_Mensaje", 0, "", "", "BA"), core::Error);
}

// The date texts compare with stored dates and order as the dates do.
TEST_P(FuncionesTest, DateTextsMatchStoredDatesAndOrderAcrossMonthAndYearEnds) {
    const QList<QDate> days = {QDate(2026, 1, 31), QDate(2025, 12, 31), QDate(2026, 2, 1), QDate(2024, 2, 29),
                               QDate(2026, 10, 1), QDate(2026, 9, 30)};
    for (const QDate& d : days)
        conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha) VALUES (?)", {funciones->FormatoFechaSQL(d)});
    QList<QDate> fromDb;
    for (ado::Recordset rs = conn->Execute("SELECT Di_Fecha FROM Dia_Inhabil ORDER BY Di_Fecha"); !rs.Eof(); rs.MoveNext())
        fromDb << QDate::fromString(rs.Fields(0).Value.toString(), Qt::ISODate);
    QList<QDate> sorted = days;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(fromDb, sorted);
    conn->Execute("INSERT INTO Bitacora_Movimiento (Bm_Entidad, Bm_Clave, Bm_Operacion, Bm_Fecha) VALUES ('E', 'K', 'O', ?)",
                  {funciones->FormatoFechaHoraSQL(QDateTime(QDate(2026, 1, 31), QTime(23, 59, 58)))});
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM Bitacora_Movimiento WHERE Bm_Fecha > ?"),
                     {funciones->FormatoFechaHoraSQL(QDateTime(QDate(2026, 1, 31), QTime(23, 59, 57)))}),
              1);
    EXPECT_THROW(funciones->FormatoFechaSQL(QDate()), core::Error);
}

TEST_P(FuncionesTest, ServerDateIsTodayOnTheServer) {
    const QDateTime server = funciones->FechaServidor();
    ASSERT_TRUE(server.isValid());
    EXPECT_LE(std::abs(server.secsTo(QDateTime::currentDateTime())), 120);
}

TEST_P(FuncionesTest, NonWorkingDaysAreWeekendsAndListedDates) {
    conn->Execute("INSERT INTO Dia_Inhabil (Di_Fecha, Di_Descripcion) VALUES ('2026-12-25', 'Navidad')");
    struct Case {
        QDate day;
        bool expected;
    } const cases[] = {{QDate(2026, 12, 5), true},  {QDate(2026, 12, 6), true}, {QDate(2026, 12, 7), false},
                       {QDate(2026, 12, 25), true}, {QDate(2026, 12, 24), false}};
    for (const Case& c : cases) EXPECT_EQ(funciones->EsDiaInhabil(c.day), c.expected) << c.day.toString().toStdString();
}

TEST_P(FuncionesTest, RestDaysComeFromTheSiteParameter) {
    conn->Execute("INSERT INTO Parametro (Pa_Cve_Parametro, Pa_Valor) VALUES (?, '7')",
                  {services::Funciones::kRestDaysParameter});
    EXPECT_FALSE(funciones->EsDiaInhabil(QDate(2026, 12, 5)));  // Saturday is worked here
    EXPECT_TRUE(funciones->EsDiaInhabil(QDate(2026, 12, 6)));
    conn->Execute("UPDATE Parametro SET Pa_Valor = 'sábado' WHERE Pa_Cve_Parametro = ?",
                  {services::Funciones::kRestDaysParameter});
    services::HostSession nextStart(db->open(), "ANA", true);  // the week's rest days are read once per session
    services::Funciones fresh(nextStart);
    EXPECT_THROW(fresh.EsDiaInhabil(QDate(2026, 12, 7)), core::Error);
}

TEST_P(FuncionesTest, ConfirmationAndMovementLog) {
    EXPECT_FALSE(funciones->ConfirmarRegistro("Reservacion_Sala_Junta", "Rsj_Folio", "0000000125"));
    EXPECT_TRUE(funciones->ObtenerMensajeError().contains("0000000125"));
    conn->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
                  "VALUES ('0000000125', '2026-12-07', '09:00', '10:00', '1')");
    EXPECT_TRUE(funciones->ConfirmarRegistro("Reservacion_Sala_Junta", "Rsj_Folio", "0000000125"));
    funciones->RegistrarMovimiento("RESERVACION_SALA_JUNTA", "0000000125", "CANCELACION");
    ado::Recordset rs = conn->Execute("SELECT Bm_Entidad, Bm_Clave, Bm_Operacion, Bm_Usuario, Bm_Fecha FROM Bitacora_Movimiento");
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs.Fields("Bm_Entidad").Value.toString(), "RESERVACION_SALA_JUNTA");
    EXPECT_EQ(rs.Fields("Bm_Clave").Value.toString(), "0000000125");
    EXPECT_EQ(rs.Fields("Bm_Operacion").Value.toString(), "CANCELACION");
    EXPECT_EQ(rs.Fields("Bm_Usuario").Value.toString(), "ANA");
    EXPECT_TRUE(rs.Fields("Bm_Fecha").Value.toString().startsWith(funciones->FechaServidor().toString("yyyy-MM-dd")));
}

TEST_P(FuncionesTest, MovementLogGoesWithTheCallersRollback) {
    ado::Connection& shared = sistema->Conexion();
    shared.BeginTrans();
    funciones->RegistrarMovimiento("RESERVACION_SALA_JUNTA", "0000000001", "CANCELACION");
    shared.RollbackTrans();
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Bitacora_Movimiento"), 0);
}

TEST_P(FuncionesTest, TransactionTextNeedsAValue) {
    EXPECT_EQ(funciones->ObtenerTransaccion(" RS501 ", "Quintasistema"), "RS501");
    EXPECT_THROW(funciones->ObtenerTransaccion("  ", "Quintasistema"), core::Error);
}

RS_INSTANTIATE_BACKENDS(SistemaTest);
RS_INSTANTIATE_BACKENDS(FuncionesTest);

TEST(HostSession, UserComesFromOptionThenEnvironmentThenLogin) {
    qputenv("RS501_USER", "DEL_ENTORNO");
    EXPECT_EQ(services::HostSession::resolveUser(" OPCION "), "OPCION");
    EXPECT_EQ(services::HostSession::resolveUser(""), "DEL_ENTORNO");
    qunsetenv("RS501_USER");
    EXPECT_FALSE(services::HostSession::resolveUser("").isEmpty());
}

TEST(HostSession, ServicesWithoutASessionFailClearly) {
    services::HostSession::install(nullptr);
    EXPECT_THROW(services::Sistema(), core::Error);
}

}  // namespace
