#include <gtest/gtest.h>

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "host/schema/schema.h"
#include "platform/ado/connection.h"

namespace {

struct HostRun {
    int exitCode;
    QString stderrText;
    bool screenshot;
};

// Runs the host with its data under home, asking it for a screenshot.
HostRun runHost(const QStringList& arguments, const QString& home) {
    const QString shot = home + "/ventana.png";
    QFile::remove(shot);
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", home);
    env.remove("RS501_DB");
    process.setProcessEnvironment(env);
    process.start(RS501_EXECUTABLE, arguments + QStringList{"--screenshot", shot});
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {-1, "timed out", false};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardError()), QFileInfo(shot).size() > 0};
}

long long rooms(const QString& connectionText) {
    return ado::open(connectionText)->Execute("SELECT COUNT(*) FROM Sala_Junta").Fields(0).Value.toLongLong();
}

// The first start creates the default file with demo data; a named database
// gets demo data only when asked. The editor opens, as a double-click would,
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
        c->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
                   "VALUES ('0000000042', ?, '10:00', '11:00', '0000000001')",
                   {monday});
    }
    const QStringList onEditor = {"--db", editor, "--sala", "1", "--editor"};
    const QString slot = monday.addDays(1).toString("yyyy-MM-dd") + "T16:30";
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* reported;
        QString file;  // whose rooms are counted, when set
        long long rooms;
    } const cases[] = {
        {{"--unattended"}, 0, "", home.filePath("RS501/rs501.sqlite"), 6},
        {{"--db", named}, 0, "", named, 0},
        {{"--db", "sqlite:" + named, "--demo"}, 0, "", named, 6},
        {{"--unattended", "--db", home.filePath("no/hay/carpeta.sqlite")}, 2, "No se pudo abrir la base de datos", {}, 0},
        {{"--sin-sentido"}, 64, "", {}, 0},
        {{"--unattended", "--user", "DEMO", "--overlap-guard", "on"}, 0, "", {}, 0},
        {{"--overlap-guard", "quizas"}, 64, "--overlap-guard admite on u off", {}, 0},
        {{"--db", ""}, 64, "--db necesita la base de datos", {}, 0},
        {{"--db", "--demo"}, 64, "--db va seguido de la opción --demo", {}, 0},
        {{"--db", "file:" + named + "?mode=memory"}, 2, "no se admiten URI", {}, 0},
        {{"--db", home.filePath("ventana.png")}, 64, "escribiría la imagen sobre la base de datos", {}, 0},
        {{"--unattended", "--user", "NADIE"}, 64, "El usuario NADIE no existe", {}, 0},
        {{"--unattended", "--user", ""}, 64, "No se indicó la clave", {}, 0},
        {{"--unattended", "--user", QString(5000, 'A')}, 64, "(tiene 5000)", {}, 0},
        {onEditor + QStringList{"0000000042"}, 0, "", {}, 0},
        {onEditor + QStringList{slot}, 0, "", {}, 0},
        {onEditor + QStringList{slot, "--accept"}, 0, "ERR-ID:7500003", {}, 0},  // refused: no responsible person yet
        {onEditor + QStringList{"0000000099"}, 64, "", {}, 0},                    // not shown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const HostRun run = runHost(c.arguments, home.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.stderrText.toStdString();
        EXPECT_EQ(run.screenshot, c.exitCode == 0);
        EXPECT_TRUE(run.stderrText.contains(c.reported)) << run.stderrText.toStdString();
        if (!c.file.isEmpty()) {
            EXPECT_EQ(rooms(c.file), c.rooms);
        }
    }
}

}  // namespace
