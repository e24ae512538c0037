#include "host/admin/backupverb.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QFileInfo>

#include "host/admin/checkverb.h"
#include "host/admin/inputerror.h"
#include "host/schema/roles.h"
#include "platform/core/error.h"

namespace admin {

namespace {

// One SQLite handle, closed however the copy ends.
class Handle {
public:
    Handle(const QString& path, int flags) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) != SQLITE_OK) fail(path);
        sqlite3_busy_timeout(db_, 5000);
    }
    ~Handle() { sqlite3_close(db_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    sqlite3* get() const { return db_; }
    [[noreturn]] void fail(const QString& path) const {
        throw core::Error(QStringLiteral("No se pudo copiar %1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db_))));
    }

private:
    sqlite3* db_ = nullptr;
};

// Claims the name before SQLite writes to it, so that a file made there in
// the meantime is not overwritten either; readable by its owner only, as the
// database it copies.
void claim(const QString& file) {
    const int fd = ::open(QFile::encodeName(file).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EEXIST) throw InputError(QStringLiteral("Ya existe %1; la copia no sobrescribe nada.").arg(file));
        throw core::Error(QStringLiteral("No se pudo crear %1: %2").arg(file, QString::fromLocal8Bit(strerror(errno))));
    }
    ::close(fd);
}

// The whole database in one step: a single read transaction, so the copy
// is one consistent moment; under WAL the desktops keep writing meanwhile.
void copy(const QString& source, const QString& file) {
    Handle from(source, SQLITE_OPEN_READONLY);
    Handle to(file, SQLITE_OPEN_READWRITE);
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup) to.fail(source);
    int rc = SQLITE_OK;
    do {
        rc = sqlite3_backup_step(backup, -1);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) sqlite3_sleep(50);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) to.fail(source);
}

}  // namespace

QString BackupVerb::serverRefusal(const QString& display, const QString& file) {
    return QStringLiteral("Una base de datos PostgreSQL la copia el servidor; use su herramienta (la contraseña, en "
                          "~/.pgpass):\n  pg_dump --format=custom --file='%1' --dbname='%2'")
        .arg(file, display);
}

void BackupVerb::run(const QString& file, ado::Connection& connection, QTextStream& out) {
    if (schema::Roles::apply(connection)) throw InputError(serverRefusal(connection.description(), file));
    if (QFileInfo(file).exists() || QFileInfo(file).isSymLink())
        throw InputError(QStringLiteral("Ya existe %1; la copia no sobrescribe nada.").arg(file));
    claim(file);
    try {
        copy(connection.description(), file);
        std::unique_ptr<ado::Connection> copied = ado::open(QStringLiteral("sqlite:") + file, ado::OpenMode::ExistingOnly);
        const QStringList problems = CheckVerb::problems(*copied);
        if (!problems.isEmpty())
            throw core::Error(QStringLiteral("La copia no pasó la comprobación: %1").arg(problems.join(QStringLiteral("; "))));
    } catch (...) {
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) QFile::remove(file + QLatin1String(suffix));
        throw;
    }
    out << QStringLiteral("Copia de %1 guardada en %2 y comprobada (PRAGMA integrity_check: ok).")
               .arg(connection.description(), file)
        << Qt::endl;
}

}  // namespace admin
