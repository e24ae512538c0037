#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "host/schema/roles.h"
#include "host/schema/schema.h"
#include "platform/ado/connection.h"
#include "tests/host/hostprocess.h"

namespace {

long long rooms(const QString& connectionText) {
    return ado::open(connectionText)->Execute("SELECT COUNT(*) FROM Sala_Junta").Fields(0).Value.toLongLong();
}

// The first start creates the default file empty, signing the account as
// its first user; a new database gets demo data only when asked, one
// holding data never. The editor opens, as a double-click would,
// on a folio or a slot of the week shown, inside the real host with the module
// loaded from its library. What cannot start ends with a message and an exit code.
TEST(HostApplication, StartsOnTheDefaultOrANamedDatabaseAndOpensTheEditorOrSaysWhyNot) {
    QTemporaryDir home;
    const QString named = home.filePath("propia.sqlite");
    const QString editor = home.filePath("editor.sqlite");
    const QDate today = QDate::currentDate();
    const QDate monday = today.addDays(-(today.dayOfWeek() % 7) + 1);
    {
        auto c = ado::open(editor);
        schema::Schema::ensure(*c);
        c->Execute("INSERT INTO Sala_Junta (Sj_Cve_Sala_Junta, Sj_Descripcion) VALUES ('0000000001', 'Sala Juárez')");
        // The account running the tests is a retired user there: without --user it may not sign.
        c->Execute("INSERT INTO Usuario (Us_Cve_Usuario, Es_Cve_Estado) VALUES ('ANA', 'AC'), (?, 'BA')",
                   {schema::Roles::account().toUpper()});
        c->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
                   "VALUES ('0000000042', ?, '10:00', '11:00', '0000000001')",
                   {monday});
    }
    const QStringList onEditor = {"--db", editor, "--user", "ANA", "--sala", "1", "--editor"};
    const QString slot = monday.addDays(1).toString("yyyy-MM-dd") + "T16:30";
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* reported;
        QString file;  // whose rooms are counted, when set
        long long rooms;
    } const cases[] = {
        {{"--unattended"}, 0, "", home.filePath("RS501/rs501.sqlite"), 0},
        {{"--db", named}, 0, "", named, 0},
        {{"--db", "sqlite:" + named, "--demo"}, 0, "", named, 6},
        {{"--unattended", "--db", home.filePath("no/hay/carpeta.sqlite")}, 2, "No se pudo abrir la base de datos", {}, 0},
        {{"--sin-sentido"}, 64, "", {}, 0},
        {{"--unattended", "--overlap-guard", "on"}, 0, "", {}, 0},
        {{"--overlap-guard", "quizas"}, 64, "--overlap-guard admite on u off", {}, 0},
        {{"--db", ""}, 64, "--db necesita la base de datos", {}, 0},
        {{"--db", "--demo"}, 64, "--db va seguido de la opción --demo", {}, 0},
        {{"--db", "file:" + named + "?mode=memory"}, 2, "no se admiten URI", {}, 0},
        {{"--unattended", "--user", "NADIE"}, 64, "El usuario NADIE no existe", {}, 0},
        {{"--unattended", "--user", ""}, 64, "No se indicó la clave", {}, 0},
        {{"--unattended", "--user", QString(5000, 'A')}, 64, "(tiene 5000)", {}, 0},
        {{"--db", editor}, 64, "Sin --user firma la cuenta", {}, 0},
        {{"--db", editor, "--user", "ANA", "--demo"}, 2, "ya tiene datos (tabla Reservacion_Sala_Junta)", editor, 1},
        {onEditor + QStringList{"0000000042"}, 0, "", {}, 0},
        {onEditor + QStringList{slot}, 0, "", {}, 0},
        {onEditor + QStringList{slot, "--accept"}, 0, "ERR-ID:7500003", {}, 0},  // refused: no responsible person yet
        {onEditor + QStringList{"0000000099"}, 64, "", {}, 0},                    // not shown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const QString shot = home.filePath("ventana.png");  // asked of every start
        QFile::remove(shot);
        const auto run = testsupport::runExecutable(c.arguments + QStringList{"--screenshot", shot}, home.path());
        EXPECT_EQ(run.code, c.exitCode) << run.err.toStdString();
        EXPECT_EQ(QFileInfo(shot).size() > 0, c.exitCode == 0);
        EXPECT_TRUE(run.err.contains(c.reported)) << run.err.toStdString();
        if (!c.file.isEmpty()) {
            EXPECT_EQ(rooms(c.file), c.rooms);
        }
    }
}

}  // namespace
