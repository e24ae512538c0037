#include "platform/ado/pgconnection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>
#include <thread>
#include <unordered_map>

#include <QDate>
#include <QDateTime>

#include "platform/ado/connectiontext.h"
#include "platform/ado/pgbatch.h"
#include "platform/ado/pgpipeline.h"
#include "platform/ado/pgrepeated.h"
#include "platform/ado/pgvalues.h"
#include "platform/ado/sqltext.h"
#include "platform/core/error.h"

namespace ado {

namespace {

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// A server that accepts and never answers, or a peer that is gone, must
// end in an error instead of a window that hangs; the connection text may
// override each.
const char* const kSessionDefaults[][2] = {
    {"client_encoding", "UTF8"}, {"connect_timeout", "10"}, {"keepalives", "1"}, {"keepalives_idle", "30"},
    {"keepalives_interval", "10"}, {"keepalives_count", "3"}, {"tcp_user_timeout", "60000"}};

// The defaults first, then the text expanded by libpq itself: whatever the
// text sets wins, in either of its forms.
pg_conn* connect(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    std::vector<const char*> keywords, values;
    for (const auto& [key, value] : kSessionDefaults) {
        keywords.push_back(key);
        values.push_back(value);
    }
    keywords.insert(keywords.end(), {"dbname", nullptr});
    values.insert(values.end(), {utf8.constData(), nullptr});
    return PQconnectdbParams(keywords.data(), values.data(), 1);
}

}  // namespace

PgConnection::PgConnection(const QString& url) : url_(url) {
    ConnectionText::refuseAmbiguous(url_);
    reconnectIfLost();
}

PgConnection::~PgConnection() {
    PQfinish(conn_);
}

QString PgConnection::description() const {
    return ConnectionText::display(url_);
}

// libpq may quote the text it could not read; no message shows a password.
QString PgConnection::withoutPassword(QString text) const {
    return ConnectionText::scrub(url_, std::move(text));
}

QString PgConnection::lastMessage() const {
    if (!conn_) return QStringLiteral("no hay conexión con el servidor");
    return withoutPassword(QString::fromUtf8(PQerrorMessage(conn_)).trimmed());
}

void PgConnection::setUpSession() {
    // Notices such as "already exists, skipping" are no news to the user.
    PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
    // Asked for at connect; a connection text that chose another is overruled.
    if (QByteArray(pg_encoding_to_char(PQclientEncoding(conn_))) != "UTF8" && PQsetClientEncoding(conn_, "UTF8") != 0)
        throw core::Error(QStringLiteral("No se pudo fijar la codificación UTF-8: %1").arg(lastMessage()));
    // No statement of this program runs for long; one that does is stuck,
    // most likely waiting on another desktop's lock. One round trip for all.
    const QStringList settings{QStringLiteral("SET standard_conforming_strings = on"),
                               QStringLiteral("SET DateStyle = 'ISO, YMD'"),
                               QStringLiteral("SET statement_timeout = '30s'")};
    const PgPipeline pipeline(conn_, settings.front());
    for (const QString& sql : settings)
        if (PQsendQueryParams(conn_, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0) != 1)
            throw core::Error(lastMessage(), sql);
    if (PQpipelineSync(conn_) != 1) throw core::Error(lastMessage());
    std::vector<Recordset> answers;
    receiveBatch(false, settings.size(), settings.join(QLatin1String("; ")), answers);
    const char* scs = PQparameterStatus(conn_, "standard_conforming_strings");
    if (!scs || QByteArray(scs) != "on")
        throw core::Error(QStringLiteral("El servidor no aceptó standard_conforming_strings = on."));
}

bool PgConnection::alive() const {
    return conn_ && PQstatus(conn_) == CONNECTION_OK;
}

void PgConnection::ensureConnected() {
    if (!transaction_) return reconnectIfLost();
    // The server has rolled the transaction back; statements sent on a new
    // session would each be stored on their own.
    if (!alive())
        throw core::Error(QStringLiteral("Se perdió la conexión con la base de datos a mitad de una transacción; el "
                                         "servidor la anuló y no se guardó nada de ella."));
}

void PgConnection::reconnectIfLost() {
    if (alive()) return;
    PQfinish(conn_);
    prepared_.clear();
    conn_ = connect(url_);
    try {
        if (!alive())
            throw core::Error(QStringLiteral("No se pudo conectar a la base de datos \"%1\": %2")
                                  .arg(description(), conn_ ? lastMessage() : QStringLiteral("sin memoria")));
        setUpSession();
    } catch (...) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw;
    }
}

// Waits for the next result as long as the answer wait allows; a server
// that stopped answering (frozen, or its host gone without a word) would
// otherwise hold the window for good. With a wait hook the socket is
// watched in slices, so the hook can show the wait and stop it.
PGresult* PgConnection::nextResult(const QString& sql) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + answerWait_;
    const bool watched = clock_ && clock_->watched();
    while (PQisBusy(conn_)) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0) abandon(sql);
        if (clock_ && !clock_->goOn()) stop(sql);
        const long long slice = watched ? std::min<long long>(left, WaitClock::kSlice.count()) : left;
        pollfd socket{PQsocket(conn_), POLLIN, 0};
        const int ready = poll(&socket, 1, static_cast<int>(slice));
        if (ready < 0 && errno != EINTR) abandon(sql);
        if (ready > 0 && PQconsumeInput(conn_) == 0) break;  // the connection broke: PQgetResult says how
    }
    return PQgetResult(conn_);
}

// Reads every result of one statement; the first failure, else the last.
PGresult* PgConnection::finish(const QString& sql) {
    Result kept;
    while (PGresult* r = nextResult(sql)) {
        const ExecStatusType status = kept ? PQresultStatus(kept.get()) : PGRES_COMMAND_OK;
        if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)
            kept.reset(r);
        else
            PQclear(r);
    }
    if (!alive()) throw lost(sql);
    if (!kept) throw core::Error(lastMessage(), sql);
    return kept.release();
}

// Closing the connection is the one way to stop waiting on it; the server
// rolls back whatever was open when it notices.
void PgConnection::abandon(const QString& sql) {
    drop(sql, QStringLiteral("El servidor de base de datos no respondió en %1 s; se cerró la conexión.")
                  .arg(std::chrono::duration_cast<std::chrono::seconds>(answerWait_).count()));
}

// The person stopped the wait. The server is told to stop the statement
// (a lock wait would hold on to its locks otherwise), from a thread of its
// own because reaching a server that hangs can take as long as the wait
// itself; then the connection is left as when the server gives no answer.
void PgConnection::stop(const QString& sql) {
    if (PGcancel* cancel = PQgetCancel(conn_)) {
        std::thread([cancel] {
            char why[256];
            PQcancel(cancel, why, sizeof why);
            PQfreeCancel(cancel);
        }).detach();
    }
    drop(sql, QStringLiteral("Se canceló la espera al servidor de base de datos; se cerró la conexión."));
}

void PgConnection::drop(const QString& sql, const QString& why) {
    PQfinish(conn_);
    conn_ = nullptr;
    prepared_.clear();
    const QString after = outcome(sql);
    throw core::Error(why + (after.isEmpty() ? QStringLiteral(" No se guardó nada de esta operación.") : after), sql);
}

core::Error PgConnection::lost(const QString& sql) const {
    // libpq adds lines of guesses after the server's own words.
    const QString why = lastMessage().section(QLatin1Char('\n'), 0, 0).trimmed();
    return core::Error(QStringLiteral("Se perdió la conexión con la base de datos (%1).%2").arg(why, outcome(sql)), sql);
}

// What became of the open transaction when a statement got no answer.
QString PgConnection::outcome(const QString& sql) const {
    if (sql == QLatin1String("COMMIT"))
        return QStringLiteral(" No se sabe si la transacción quedó guardada; revise antes de repetirla.");
    if (transaction_) return QStringLiteral(" La transacción se anuló; no se guardó nada de ella.");
    return {};
}

// The name of the statement's prepared form, or a new name to prepare it
// under, sent (not awaited) ahead of its first executions so both travel
// in one round trip; fresh says which.
QByteArray PgConnection::preparedName(const QString& sql, int paramCount, bool& fresh) {
    fresh = false;
    if (auto it = prepared_.find(sql); it != prepared_.end()) return it->second.toLatin1();
    const QByteArray name = "rs501_" + QByteArray::number(nextName_++);
    if (PQsendPrepare(conn_, name.constData(), numberPlaceholders(sql).toUtf8().constData(), paramCount, nullptr) != 1)
        throw core::Error(lastMessage(), sql);
    fresh = true;
    return name;
}

// The session keeps a bounded number of prepared statements.
void PgConnection::makeRoomFor(const QString& sql) {
    if (prepared_.size() < kPreparedLimit || prepared_.count(sql)) return;
    prepared_.clear();
    Result r(send(QStringLiteral("DEALLOCATE ALL")));
}

PGresult* PgConnection::send(const QString& sql) {
    if (PQsendQueryParams(conn_, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0) != 1)
        throw core::Error(lastMessage(), sql);
    return finish(sql);
}

Recordset PgConnection::collect(PGresult* raw, const QString& sql) {
    Result r(raw);
    const ExecStatusType status = PQresultStatus(r.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        const char* primary = PQresultErrorField(r.get(), PG_DIAG_MESSAGE_PRIMARY);
        throw core::Error(primary ? QString::fromUtf8(primary) : lastMessage(), sql);
    }
    QStringList columns;
    const int cols = PQnfields(r.get());
    for (int c = 0; c < cols; ++c) columns << QString::fromUtf8(PQfname(r.get(), c));
    std::vector<QVariantList> rows;
    const int count = PQntuples(r.get());
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        QVariantList row;
        row.reserve(cols);
        for (int c = 0; c < cols; ++c) row << PgValues::cell(r.get(), i, c);
        rows.push_back(std::move(row));
    }
    return Recordset(std::move(columns), std::move(rows));
}

Recordset PgConnection::run(const QString& sql, const QVariantList& params) {
    ensureConnected();
    if (!params.isEmpty()) return PgRepeated::run(*this, sql, {params}).front();
    return collect(send(sql), sql);
}

Recordset PgConnection::Execute(const QString& sql, const QVariantList& params) {
    if (std::optional<Recordset> kept = ahead_.take(sql, params)) return std::move(*kept);
    const Watch watch(*this);
    return run(sql, params);
}

void PgConnection::ReadAhead(const std::vector<std::pair<QString, QVariantList>>& reads) {
    ahead_.run(*this, reads);
}

std::vector<Recordset> PgConnection::ExecuteMany(const QString& sql, const std::vector<QVariantList>& paramLists) {
    ahead_.clear();
    if (paramLists.empty()) return {};
    const Watch watch(*this);
    ensureConnected();
    return PgRepeated::run(*this, sql, paramLists);
}

// Reads every result up to the sync point (the preparation's first, when
// sent), even after a failure, so the connection is ready for the next
// statement; then raises the first failure.
void PgConnection::receiveBatch(bool prepared, std::size_t count, const QString& sql, std::vector<Recordset>& out) {
    std::optional<core::Error> failure;
    receiveResults(prepared, count, sql, out, failure);
    drainToSync(sql);
    if (failure && !alive()) throw lost(sql);
    if (failure) throw *failure;
}

// Reads count executions' results (after the preparation's, when sent);
// after the first failure the rest are read and thrown away.
void PgConnection::receiveResults(bool prepared, std::size_t count, const QString& sql, std::vector<Recordset>& out,
                                  std::optional<core::Error>& failure) {
    if (prepared) {
        Result r(nextResult(sql));
        if ((!r || PQresultStatus(r.get()) != PGRES_COMMAND_OK) && !failure)
            failure = core::Error(r ? withoutPassword(QString::fromUtf8(PQresultErrorMessage(r.get())).trimmed())
                                    : lastMessage(),
                                  sql);
        while (PGresult* end = nextResult(sql)) PQclear(end);
    }
    for (std::size_t i = 0; i < count; ++i) {
        PGresult* r = nextResult(sql);
        if (!r) {
            if (!failure) failure = core::Error(lastMessage(), sql);
            break;
        }
        if (failure) {
            PQclear(r);
        } else {
            try {
                out.push_back(collect(r, sql));
            } catch (const core::Error& e) {
                failure = e;
            }
        }
        while (PGresult* end = nextResult(sql)) PQclear(end);  // each execution's results end with a null
    }
}

void PgConnection::drainToSync(const QString& sql) {
    while (PGresult* r = nextResult(sql)) {
        const bool sync = PQresultStatus(r) == PGRES_PIPELINE_SYNC;
        PQclear(r);
        if (sync) break;
    }
}

BatchAnswer PgConnection::ExecuteBatch(const std::vector<Statement>& statements, int beginAt) {
    return PgBatch::run(*this, statements, beginAt);
}

void PgConnection::BeginTrans() {
    if (InTransaction()) throw core::Error(QStringLiteral("Ya hay una transacción abierta en la conexión."));
    Execute(QStringLiteral("BEGIN"));
    transaction_ = true;
}

void PgConnection::CommitTrans() {
    if (!transaction_) throw core::Error(QStringLiteral("No hay una transacción abierta que confirmar."));
    ensureConnected();
    if (PQtransactionStatus(conn_) == PQTRANS_INERROR) {
        // PostgreSQL answers COMMIT of a failed transaction with a rollback and
        // no error; the caller must hear that nothing was stored.
        RollbackTrans();
        throw core::Error(QStringLiteral("La transacción se anuló por un error anterior; no se guardó nada."));
    }
    try {
        Execute(QStringLiteral("COMMIT"));
    } catch (...) {
        transaction_ = false;
        throw;
    }
    transaction_ = false;
}

void PgConnection::RollbackTrans() {
    if (!transaction_) return;
    transaction_ = false;
    // A lost connection has taken the transaction with it.
    if (alive()) Execute(QStringLiteral("ROLLBACK"));
}

bool PgConnection::InTransaction() const {
    return transaction_;
}

}  // namespace ado
