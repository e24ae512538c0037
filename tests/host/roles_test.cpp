#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QTemporaryDir>
#include <QUrl>

#include "host/schema/schema.h"
#include "tests/host/hostprocess.h"
#include "tests/support/testdatabase.h"

namespace {

// A database of its own on the test server, owned by a login of its own,
// and a URL for any login.
class Site {
public:
    Site() : suffix_(QString::number(QCoreApplication::applicationPid())) {
        for (const QString& sql : {"CREATE ROLE " + login("owner") + " LOGIN CREATEROLE",
                                   "CREATE DATABASE " + login("db") + " OWNER " + login("owner")})
            ado::open(qEnvironmentVariable("RS501_TEST_PG"))->Execute(sql);
    }
    ~Site() {
        auto server = ado::open(qEnvironmentVariable("RS501_TEST_PG"));
        server->Execute("DROP DATABASE " + login("db") + " WITH (FORCE)");
        for (const char* who : {"owner", "adm", "ana", "nadie"}) server->Execute("DROP ROLE IF EXISTS " + login(who));
    }
    QString login(const QString& who) const { return "rs_" + who + "_" + suffix_; }
    QString url(const QString& who) const {
        QUrl u(qEnvironmentVariable("RS501_TEST_PG"));
        u.setUserName(who == "postgres" ? who : login(who));
        u.setPath("/" + login("db"));
        return u.toString();
    }
    // Every row of every table, for "nothing changed".
    QStringList snapshot() const {
        auto c = ado::open(url("postgres"));
        QStringList out;
        for (const auto& t : schema::Schema::tables())
            if (c->Execute("SELECT to_regclass(?) IS NOT NULL", {t.name.toLower()}).Fields(0).Value.toBool())
                out << testsupport::rows(*c, "SELECT * FROM " + t.name);
        out.sort();
        return out;
    }

private:
    QString suffix_;
};

// An owner, an administrator, a desktop and a login without a role, each
// starting the application, saving, granting and upgrading through the real
// executable: what the server refuses changes nothing. A desktop's start on
// a current schema waits on no lock another session holds.
TEST(RoleMatrix, EachLoginMayDoWhatItsRoleAllowsAndNothingElse) {
    if (qEnvironmentVariable("RS501_TEST_PG").isEmpty()) GTEST_SKIP() << "RS501_TEST_PG is not set";
    QTemporaryDir home;
    Site site;
    const QDate today = QDate::currentDate();
    const QString slot = today.addDays(-(today.dayOfWeek() % 7) + 2).toString("yyyy-MM-dd") + "T16:30";
    const QStringList start = {"--unattended", "--screenshot", home.filePath("shot.png")};
    const QStringList save = QStringList{"--sala", "1", "--editor", slot, "--accept"} + start;
    std::unique_ptr<ado::Connection> holder;  // a long transaction of another desktop
    struct Step {
        QString who;  // "sql": the statement runs as the server's superuser
        QStringList arguments;
        int code;
        QString text;  // in stdout or stderr
    } const steps[] = {
        {"owner", start, 2, "las crea con: rs501 admin schema create"},
        {"owner", {"admin", "schema", "create"}, 0, "Esquema versión 3 creado."},
        {"sql", {"CREATE ROLE " + site.login("adm") + " LOGIN IN ROLE rs501_admin"}, 0, ""},
        {"sql", {"CREATE ROLE " + site.login("ana") + " LOGIN IN ROLE rs501_desktop"}, 0, ""},
        {"sql", {"CREATE ROLE " + site.login("nadie") + " LOGIN"}, 0, ""},
        {"owner", {"admin", "users", "add", site.login("ana").toUpper()}, 0, ""},
        {"owner", {"admin", "users", "add", site.login("adm").toUpper()}, 0, ""},
        {"owner", {"admin", "users", "add", site.login("nadie").toUpper()}, 0, ""},
        {"owner", {"admin", "rooms", "add", "1", "Sala Uno"}, 0, ""},
        {"hold", {}, 0, ""},
        {"owner", start, 0, ""},
        {"adm", start, 0, ""},
        {"ana", start, 0, ""},
        {"nadie", start, 2, "no tiene acceso a las tablas de RS501"},
        {"ana", save, 0, "ERR-ID:7500003"},  // refused for want of a responsible person, and logged
        {"nadie", save, 2, "no tiene acceso"},
        {"ana", start + QStringList{"--user", site.login("adm").toUpper()}, 64, "solo un miembro de rs501_admin"},
        {"adm", start + QStringList{"--user", site.login("ana").toUpper()}, 0, ""},
        {"ana", start + QStringList{"--demo"}, 2, "ya tiene datos"},
        {"release", {}, 0, ""},
        {"ana", start + QStringList{"--overlap-guard", "on"}, 2, "solo la cuenta dueña de las tablas"},
        {"ana", {"admin", "users", "grant", site.login("ana").toUpper(), "CHFEFIN"}, 2, "hace falta el rol rs501_admin"},
        {"nadie", {"admin", "users", "grant", site.login("nadie").toUpper(), "CHFEFIN"}, 2, "no tiene acceso"},
        {"adm", {"admin", "--user", site.login("ana").toUpper(), "users", "grant", site.login("ana").toUpper(), "CHFEFIN"}, 0, ""},
        {"owner", {"admin", "users", "grant", site.login("adm").toUpper(), "CHFEFIN"}, 0, ""},
        {"log", {}, 0, ""},
        {"sql", {"ALTER TABLE bitacora_movimiento DROP COLUMN bm_sesion"}, 0, ""},
        {"sql", {"UPDATE version_esquema SET ve_version = 2"}, 0, ""},
        {"ana", start, 2, "la actualiza con: rs501 admin schema upgrade"},
        {"ana", {"admin", "schema", "upgrade"}, 2, "no es la dueña de las tablas"},
        {"adm", {"admin", "schema", "upgrade"}, 2, "no es la dueña de las tablas"},
        {"nadie", {"admin", "schema", "upgrade"}, 2, "no es la dueña de las tablas"},
        {"owner", {"admin", "schema", "upgrade"}, 0, "de la versión 2 a la 3"},
        {"ana", start, 0, ""},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE((s.who + ": " + s.arguments.join(' ')).toStdString());
        if (s.who == "log") {  // a grant signed for another names both
            EXPECT_EQ(testsupport::rows(*ado::open(site.url("postgres")),
                                        "SELECT Bm_Usuario, Bm_Sesion FROM Bitacora_Movimiento WHERE Bm_Operacion = "
                                        "'OTORGA CHFEFIN' ORDER BY Bm_Id"),
                      QStringList({site.login("ana").toUpper() + "|" + site.login("adm"),
                                   site.login("owner").toUpper() + "|" + site.login("owner")}));
            continue;
        }
        if (s.who == "sql" || s.who == "hold" || s.who == "release") {
            if (s.who == "sql") ado::open(site.url("postgres"))->Execute(s.arguments.at(0));
            if (s.who == "release") holder.reset();
            if (s.who != "hold") continue;
            holder = ado::open(site.url("postgres"));
            holder->BeginTrans();
            holder->Execute("LOCK TABLE Reservacion_Sala_Junta IN ROW EXCLUSIVE MODE");
            holder->Execute("SELECT pg_advisory_xact_lock(501)");
            continue;
        }
        const QStringList before = site.snapshot();
        QStringList arguments = s.arguments;
        arguments.insert(s.arguments.value(0) == "admin" ? 1 : 0, "--db=" + site.url(s.who));
        const auto run = testsupport::runExecutable(arguments, home.path());
        EXPECT_EQ(run.code, s.code) << run.err.toStdString();
        EXPECT_TRUE((run.out + run.err).contains(s.text)) << (run.out + run.err).toStdString();
        if (s.code != 0) EXPECT_EQ(site.snapshot(), before);
    }
    EXPECT_EQ(testsupport::rows(*ado::open(site.url("postgres")), "SELECT Es_Cve_Estado FROM Usuario WHERE Us_Cve_Usuario = ?",
                                {site.login("owner").toUpper()}),
              QStringList{"AC"});  // the login that created the schema
}

}  // namespace
