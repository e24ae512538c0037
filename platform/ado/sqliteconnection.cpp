#include "platform/ado/sqliteconnection.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include "platform/ado/sqltext.h"
#include "platform/core/error.h"

namespace ado {

namespace {

constexpr std::size_t kCacheLimit = 256;

QVariant columnValue(sqlite3_stmt* stmt, int i) {
    switch (sqlite3_column_type(stmt, i)) {
        case SQLITE_NULL: return QVariant();
        case SQLITE_INTEGER: return QVariant(static_cast<qlonglong>(sqlite3_column_int64(stmt, i)));
        case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt, i));
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(stmt, i)));
        }
    }
}

bool onlyBlanks(const char* tail) {
    for (; tail && *tail; ++tail)
        if (!isspace(static_cast<unsigned char>(*tail))) return false;
    return true;
}

}  // namespace

// A file whose header is sound can still hold broken pages (a disk fault,
// a copy cut short); writing into it can spread the damage. Reading every
// page costs about 2 ms per MB from the page cache, once per start.
void SqliteConnection::refuseIfDamaged() {
    const QString verdict = Execute(QStringLiteral("PRAGMA quick_check(1)")).Fields(0).Value.toString();
    if (verdict != QLatin1String("ok"))
        throw core::Error(QStringLiteral("el archivo está dañado (%1); no se escribió nada en él. Restaure una copia de "
                                         "respaldo o repárelo con la herramienta sqlite3 (.recover).")
                              .arg(verdict));
}

void SqliteConnection::createPrivateFile(const QString& path, bool create) {
    if (QFileInfo::exists(path)) return;
    if (!create)
        throw core::Error(QStringLiteral("No existe el archivo de base de datos \"%1\"; no se creó ninguno.").arg(path));
    // A folder that is missing, or a link to nowhere, is left for SQLite to report.
    const int fd = ::open(QFile::encodeName(path).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
    if (fd >= 0) ::close(fd);
}

SqliteConnection::SqliteConnection(const QString& path, bool create) : path_(path) {
    createPrivateFile(path, create);
    // SQLite gives the -wal and -shm files the database file's permissions.
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db_);
        db_ = nullptr;
        throw core::Error(QStringLiteral("No se pudo abrir la base de datos \"%1\": %2").arg(path, message));
    }
    sqlite3_busy_handler(db_, onBusy, this);
    // Often enough that a stop is felt at once, seldom enough to cost nothing.
    sqlite3_progress_handler(db_, 1000, onProgress, this);
    try {
        // A read proves the file is a database (a file of another kind fails
        // here) and writes nothing. Only a new, empty database is switched to
        // WAL: an existing file keeps its journal, so opening a database of
        // another application changes nothing in it.
        const bool empty = Execute(QStringLiteral("SELECT COUNT(*) FROM sqlite_master")).Fields(0).Value.toLongLong() == 0;
        if (empty) Execute(QStringLiteral("PRAGMA journal_mode=WAL"));
        else refuseIfDamaged();
    } catch (const core::Error& e) {
        clearCache();
        sqlite3_close(db_);
        db_ = nullptr;
        throw core::Error(QStringLiteral("No se pudo abrir la base de datos \"%1\": %2").arg(path, e.description()));
    }
}

SqliteConnection::~SqliteConnection() {
    clearCache();
    sqlite3_close(db_);
}

void SqliteConnection::clearCache() {
    for (auto& [text, stmt] : cache_) sqlite3_finalize(stmt);
    cache_.clear();
}

bool SqliteConnection::stopAsked() {
    if (clock_ && !clock_->goOn()) cancelled_ = true;
    return cancelled_;
}

// Another connection holds the lock: wait in short naps up to the busy
// timeout, asking between them whether to go on.
int SqliteConnection::onBusy(void* self, int count) {
    auto& c = *static_cast<SqliteConnection*>(self);
    const auto now = std::chrono::steady_clock::now();
    if (count == 0) c.lockedSince_ = now;
    if (now - c.lockedSince_ >= std::chrono::milliseconds(kBusyTimeoutMs) || c.stopAsked()) return 0;
    sqlite3_sleep(10);
    return 1;
}

int SqliteConnection::onProgress(void* self) {
    auto& c = *static_cast<SqliteConnection*>(self);
    if (!c.stopAsked()) return 0;
    sqlite3_interrupt(c.db_);
    return 1;
}

void SqliteConnection::fail(const QString& sql) const {
    if (cancelled_)
        throw core::Error(
            QStringLiteral("Se canceló la espera a la base de datos; no se guardó nada de esta operación."), sql);
    // Another program (a backup, the sqlite3 tool) held the file past the
    // busy timeout: say so in the user's words; the caller rolls back.
    if ((sqlite3_errcode(db_) & 0xff) == SQLITE_BUSY)
        throw core::Error(QStringLiteral("la base de datos está ocupada: otro programa la tiene bloqueada desde hace %1 s; "
                                         "no se guardó nada de esta operación, intente de nuevo en un momento.")
                              .arg(kBusyTimeoutMs / 1000),
                          sql);
    throw core::Error(QString::fromUtf8(sqlite3_errmsg(db_)), sql);
}

sqlite3_stmt* SqliteConnection::prepared(const QString& sql) {
    if (auto it = cache_.find(sql); it != cache_.end()) return it->second;
    if (cache_.size() >= kCacheLimit) clearCache();
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(db_, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           &tail) != SQLITE_OK)
        fail(sql);
    if (!stmt) throw core::Error(QStringLiteral("La instrucción está vacía."), sql);
    if (!onlyBlanks(tail)) {
        sqlite3_finalize(stmt);
        throw core::Error(QStringLiteral("Solo se admite una instrucción por llamada."), sql);
    }
    cache_.emplace(sql, stmt);
    return stmt;
}

void SqliteConnection::bind(sqlite3_stmt* stmt, const QVariantList& params, const QString& sql) {
    if (sqlite3_bind_parameter_count(stmt) != params.size())
        throw core::Error(QStringLiteral("La instrucción espera %1 parámetros y recibió %2.")
                              .arg(sqlite3_bind_parameter_count(stmt))
                              .arg(params.size()),
                          sql);
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params.at(i);
        int rc = SQLITE_OK;
        if (v.isNull()) {
            rc = sqlite3_bind_null(stmt, i + 1);
        } else if (v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong ||
                   v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::Bool) {
            rc = sqlite3_bind_int64(stmt, i + 1, v.toLongLong());
        } else if (v.typeId() == QMetaType::Double) {
            rc = sqlite3_bind_double(stmt, i + 1, v.toDouble());
        } else {
            const QByteArray utf8 = parameterText(v).toUtf8();
            rc = sqlite3_bind_text(stmt, i + 1, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK) fail(sql);
    }
}

Recordset SqliteConnection::run(sqlite3_stmt* stmt, const QString& sql) {
    QStringList columns;
    const int count = sqlite3_column_count(stmt);
    for (int i = 0; i < count; ++i) columns << QString::fromUtf8(sqlite3_column_name(stmt, i));
    std::vector<QVariantList> rows;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QVariantList row;
        row.reserve(count);
        for (int i = 0; i < count; ++i) row << columnValue(stmt, i);
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) fail(sql);
    return Recordset(std::move(columns), std::move(rows));
}

Recordset SqliteConnection::Execute(const QString& sql, const QVariantList& params) {
    WaitClock clock(busy_);
    cancelled_ = false;
    struct Watch {
        WaitClock*& slot;
        ~Watch() { slot = nullptr; }
    } watch{clock_ = &clock};
    sqlite3_stmt* stmt = prepared(sql);
    struct Reset {
        sqlite3_stmt* s;
        ~Reset() {
            sqlite3_reset(s);
            sqlite3_clear_bindings(s);
        }
    } reset{stmt};
    bind(stmt, params, sql);
    return run(stmt, sql);
}

void SqliteConnection::BeginTrans() {
    if (InTransaction()) throw core::Error(QStringLiteral("Ya hay una transacción abierta en la conexión."));
    Execute(QStringLiteral("BEGIN IMMEDIATE"));
}

void SqliteConnection::CommitTrans() {
    if (!InTransaction()) throw core::Error(QStringLiteral("No hay una transacción abierta que confirmar."));
    try {
        Execute(QStringLiteral("COMMIT"));
    } catch (const core::Error&) {
        // A commit that could not finish (busy, disk full) must not leave the
        // transaction open behind the caller's back.
        if (InTransaction()) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void SqliteConnection::RollbackTrans() {
    if (!InTransaction()) return;
    Execute(QStringLiteral("ROLLBACK"));
}

bool SqliteConnection::InTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

}  // namespace ado
