#include <gtest/gtest.h>

#include "host/schema/demodata.h"
#include "host/schema/schema.h"
#include "platform/core/error.h"
#include "tests/support/testdatabase.h"

namespace {

using schema::DemoData;
using schema::Schema;
using testsupport::BackendTest;

class SchemaTest : public BackendTest {};

// A second start changes nothing; reservation rows refuse malformed values;
// a database of a newer version is refused.
TEST_P(SchemaTest, CreatesEveryTableOnceWithItsChecksAndRefusesANewerVersion) {
    EXPECT_EQ(Schema::storedVersion(*conn), 0);
    Schema::ensure(*conn);
    Schema::ensure(*conn);
    EXPECT_EQ(Schema::storedVersion(*conn), Schema::kVersion);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Version_Esquema"), 1);
    for (const auto& table : Schema::tables())
        EXPECT_NO_THROW(conn->Execute("SELECT COUNT(*) FROM " + table.name)) << table.name.toStdString();
    const QString insert =
        "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, "
        "Rsj_Responsable, Es_Cve_Estado) VALUES (?, '2026-12-07', ?, ?, '0000000001', 'Ana', 'AC')";
    conn->Execute(insert, {"0000000001", "09:00", "10:30"});
    struct Bad {
        const char *folio, *start, *end, *why;
    } const bad[] = {
        {"0000000001", "11:00", "12:00", "duplicate folio"},
        {"0000000002", "9:00", "10:00", "time without leading zero"},
        {"0000000003", "25:00", "26:00", "hour past the day"},
        {"0000000004", "09:00", "10:60", "minute 60"},
        {"00000000051", "09:00", "10:00", "folio longer than ten digits"},
    };
    for (const Bad& b : bad) EXPECT_THROW(conn->Execute(insert, {b.folio, b.start, b.end}), core::Error) << b.why;
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta"), 1);
    conn->Execute("INSERT INTO Version_Esquema (Ve_Version) VALUES (?)", {Schema::kVersion + 1});
    EXPECT_THROW(Schema::ensure(*conn), core::Error);
}

TEST_P(SchemaTest, DemoDataLoadsOnceWithRetiredRowsAndThisWeeksReservations) {
    Schema::ensure(*conn);
    const QDate today(2026, 12, 5);  // a Saturday; the week runs from Sunday 29 November
    DemoData::load(*conn, today);
    DemoData::load(*conn, today);
    const std::pair<const char*, long long> counts[] = {
        {"Sala_Junta", 6}, {"Sala_Junta WHERE Es_Cve_Estado = 'BA'", 1}, {"Cliente", 12},
        {"Cliente WHERE Es_Cve_Estado = 'BA'", 1},
        {"Permiso_Usuario WHERE Us_Cve_Usuario = 'DEMO' AND Pu_Cve_Permiso = 'CHFEFIN'", 1}, {"Parametro WHERE Pa_Cve_Parametro = 'FTO_CLIENTE' AND Pa_Valor = '0000'", 1},
        // Holidays of this year and the next, Monday ones on the right Monday; no change of government in 2027.
        {"Dia_Inhabil WHERE Di_Fecha IN ('2026-02-02', '2026-03-16', '2026-11-16', '2026-12-25', '2027-01-01', "
         "'2027-02-01', '2027-03-15', '2027-11-15', '2027-12-25')",
         9},
        {"Dia_Inhabil WHERE Di_Fecha = '2027-10-01'", 0}};
    for (const auto& [from, expected] : counts) EXPECT_EQ(scalar(QString("SELECT COUNT(*) FROM ") + from), expected) << from;
    const long long reservations = scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta");
    EXPECT_GE(reservations, 4);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta r JOIN Sala_Junta s ON s.Sj_Cve_Sala_Junta = "
                     "r.Sj_Cve_Sala_Junta WHERE Rsj_Fecha BETWEEN '2026-11-29' AND '2026-12-05'"),
              reservations);

}

TEST_P(SchemaTest, DemoLeavesReservationsAloneOnceNumberingStarted) {
    Schema::ensure(*conn);
    conn->Execute("INSERT INTO Consecutivo (Co_Nombre, Co_Valor) VALUES (?, 3)",
                  {Schema::counterName("Reservacion_Sala_Junta", "Rsj_Folio")});
    DemoData::load(*conn, QDate(2030, 3, 1));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta"), 0);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Sala_Junta"), 6);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Dia_Inhabil WHERE Di_Fecha = '2030-10-01'"), 1);  // change of government
}

// Another application's database, or ours with a table gone, is refused
// with a message that says what is wrong, and nothing in it changes.
TEST_P(SchemaTest, ForeignOrIncompleteDatabasesAreRefusedUntouched) {
    const auto refusal = [this](bool besideOthers) {
        try {
            Schema::ensure(*conn, besideOthers);
            return QString("taken");
        } catch (const core::Error& e) {
            return e.description();
        }
    };
    conn->Execute("CREATE TABLE facturas (id INTEGER)");
    EXPECT_TRUE(refusal(false).contains("pertenece a otra aplicación"));
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM (" + conn->dialect().tableNamesQuery() + ") t"), 1);
    Schema::ensure(*conn, true);  // the administrator asked for our tables beside theirs
    EXPECT_EQ(Schema::storedVersion(*conn), Schema::kVersion);
    conn->Execute("DROP TABLE Reservacion_Sala_Junta");
    EXPECT_TRUE(refusal(true).contains("le falta la tabla Reservacion_Sala_Junta"));
    EXPECT_THROW(conn->Execute("SELECT COUNT(*) FROM Reservacion_Sala_Junta"), core::Error);
}

// A database of version 1 (PostgreSQL made bounded texts VARCHAR, which
// cuts a text whose excess is spaces) is brought to checked texts: the
// text is refused, as on SQLite, and nothing stored is lost.
TEST_P(SchemaTest, AVersionOneDatabaseRefusesTextsPastTheirWidthAfterTheUpgrade) {
    Schema::ensure(*conn);
    if (GetParam() == "postgresql")
        for (const char* sql : {"ALTER TABLE Reservacion_Sala_Junta DROP CONSTRAINT reservacion_sala_junta_rsj_responsable_check",
                                "ALTER TABLE Reservacion_Sala_Junta ALTER COLUMN Rsj_Responsable TYPE VARCHAR(100)"})
            conn->Execute(sql);
    conn->Execute("UPDATE Version_Esquema SET Ve_Version = 1");
    conn->Execute("ALTER TABLE Bitacora_Movimiento DROP COLUMN Bm_Sesion");  // came with version 3
    const QString insert = "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, "
                           "Sj_Cve_Sala_Junta, Rsj_Responsable) VALUES (?, '2026-12-07', '09:00', '10:00', '1', ?)";
    conn->Execute(insert, {"0000000001", "Ana"});
    Schema::ensure(*conn);
    EXPECT_EQ(Schema::storedVersion(*conn), Schema::kVersion);
    EXPECT_THROW(conn->Execute(insert, {"0000000002", "Ana" + QString(100, ' ')}), core::Error);
    EXPECT_EQ(conn->Execute("SELECT Rsj_Responsable FROM Reservacion_Sala_Junta").Fields(0).Value.toString(), "Ana");
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM Reservacion_Sala_Junta"), 1);
    EXPECT_EQ(scalar("SELECT COUNT(Bm_Sesion) FROM Bitacora_Movimiento"), 0);
}

RS_INSTANTIATE_BACKENDS(SchemaTest);

}  // namespace
