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
};

HostRun runHost(const QStringList& arguments, const QString& home) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", home);
    env.remove("RS501_DB");
    process.setProcessEnvironment(env);
    process.start(RS501_EXECUTABLE, arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {-1, "timed out"};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            QString::fromUtf8(process.readAllStandardError())};
}

long long count(const QString& connectionText, const QString& table) {
    return ado::open(connectionText)->Execute("SELECT COUNT(*) FROM " + table).Fields(0).Value.toLongLong();
}

TEST(HostApplication, FirstStartCreatesTheDefaultFileWithDemoData) {
    QTemporaryDir home;
    const QString shot = home.filePath("ventana.png");
    const HostRun run = runHost({"--unattended", "--screenshot", shot}, home.path());
    ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
    EXPECT_GT(QFileInfo(shot).size(), 0);
    const QString file = home.filePath("RS501/rs501.sqlite");
    ASSERT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(count(file, "Sala_Junta"), 6);
    EXPECT_GT(count(file, "Reservacion_Sala_Junta"), 0);
}

TEST(HostApplication, NamedDatabaseGetsDemoDataOnlyWhenAsked) {
    QTemporaryDir home;
    const QString file = home.filePath("propia.sqlite");
    ASSERT_EQ(runHost({"--db", file, "--screenshot", home.filePath("a.png")}, home.path()).exitCode, 0);
    EXPECT_EQ(count(file, "Sala_Junta"), 0);
    ASSERT_EQ(runHost({"--db", "sqlite:" + file, "--demo", "--screenshot", home.filePath("b.png")}, home.path()).exitCode, 0);
    EXPECT_EQ(count(file, "Sala_Junta"), 6);
}

TEST(HostApplication, UnopenableDatabaseGivesAMessageAndAnExitCode) {
    QTemporaryDir home;
    const HostRun run = runHost({"--unattended", "--db", home.filePath("no/hay/carpeta.sqlite")}, home.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.stderrText.contains("No se pudo abrir la base de datos")) << run.stderrText.toStdString();
    const HostRun bad = runHost({"--sin-sentido"}, home.path());
    EXPECT_EQ(bad.exitCode, 64);
}

// The editor opens, as a double-click would, on a folio or a slot of the
// week shown, inside the real host with the module loaded from its library.
TEST(HostApplication, EditorOpensOnAFolioOrASlotForItsScreenshot) {
    QTemporaryDir home;
    const QString file = home.filePath("editor.sqlite");
    const QDate today = QDate::currentDate();
    const QDate monday = today.addDays(-(today.dayOfWeek() % 7) + 1);
    {
        auto c = ado::open(file);
        schema::Schema::ensure(*c);
        c->Execute("INSERT INTO Sala_Junta (Sj_Cve_Sala_Junta, Sj_Descripcion) VALUES ('0000000001', 'Sala Juárez')");
        c->Execute("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta) "
                   "VALUES ('0000000042', ?, '10:00', '11:00', '0000000001')",
                   {monday});
    }
    const QString slot = monday.addDays(1).toString("yyyy-MM-dd") + "T16:30";
    struct Case {
        QStringList target;
        int exitCode;
        const char* reported;
    } const cases[] = {
        {{"0000000042"}, 0, ""},
        {{slot}, 0, ""},
        {{slot, "--accept"}, 0, "ERR-ID:7500003"},  // refused: no responsible person yet
        {{"0000000099"}, 64, ""},                    // not shown
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.join(' ').toStdString());
        const QString shot = home.filePath("editor.png");
        QFile::remove(shot);
        const HostRun run =
            runHost(QStringList{"--db", file, "--sala", "1", "--screenshot", shot, "--editor"} + c.target, home.path());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.stderrText.toStdString();
        EXPECT_EQ(QFileInfo(shot).size() > 0, c.exitCode == 0);
        EXPECT_TRUE(run.stderrText.contains(c.reported)) << run.stderrText.toStdString();
    }
}

}  // namespace
