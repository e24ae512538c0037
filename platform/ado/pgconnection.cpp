#include "platform/ado/pgconnection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

#include <QDate>
#include <QDateTime>

#include "platform/ado/connectiontext.h"
#include "platform/ado/pgbatch.h"
#include "platform/ado/paramvalues.h"
#include "platform/ado/sqltext.h"
#include "platform/core/error.h"

namespace ado {

namespace {

constexpr std::size_t kPreparedLimit = 256;
// Executions sent before their results are read: enough for a month of
// slot cells in one round trip, few enough that neither side's socket
// buffer fills while the other waits.
constexpr std::size_t kBatchLimit = 1000;

// Type identifiers of the built-in types whose values we hand out as numbers.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

QVariant cellValue(const PGresult* r, int row, int col) {
    if (PQgetisnull(r, row, col)) return QVariant();
    const char* text = PQgetvalue(r, row, col);
    switch (PQftype(r, col)) {
        case kBool: return QVariant(text[0] == 't');
        case kInt2:
        case kInt4:
        case kInt8: return QVariant(QByteArray(text).toLongLong());
        case kFloat4:
        case kFloat8:
        case kNumeric: return QVariant(QByteArray(text).toDouble());
        default: return QVariant(QString::fromUtf8(text, PQgetlength(r, row, col)));
    }
}

// A server that accepts and never answers, or a peer that is gone, must
// end in an error instead of a window that hangs; the connection text may
// override each.
const char* const kSessionDefaults[][2] = {
    {"connect_timeout", "10"}, {"keepalives", "1"},         {"keepalives_idle", "30"},
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
    if (PQsetClientEncoding(conn_, "UTF8") != 0)
        throw core::Error(QStringLiteral("No se pudo fijar la codificación UTF-8: %1").arg(lastMessage()));
    Execute(QStringLiteral("SET standard_conforming_strings = on"));
    Execute(QStringLiteral("SET DateStyle = 'ISO, YMD'"));
    // No statement of this program runs for long; one that does is stuck,
    // most likely waiting on another desktop's lock.
    Execute(QStringLiteral("SET statement_timeout = '30s'"));
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
// otherwise hold the window for good.
PGresult* PgConnection::nextResult(const QString& sql) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + answerWait_;
    while (PQisBusy(conn_)) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0) abandon(sql);
        pollfd socket{PQsocket(conn_), POLLIN, 0};
        const int ready = poll(&socket, 1, static_cast<int>(left));
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
    PQfinish(conn_);
    conn_ = nullptr;
    prepared_.clear();
    throw core::Error(QStringLiteral("El servidor de base de datos no respondió en %1 s; se cerró la conexión.%2")
                          .arg(std::chrono::duration_cast<std::chrono::seconds>(answerWait_).count())
                          .arg(outcome(sql)),
                      sql);
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

QString PgConnection::preparedName(const QString& sql, int paramCount) {
    if (auto it = prepared_.find(sql); it != prepared_.end()) return it->second;
    if (prepared_.size() >= kPreparedLimit) {
        const QString deallocate = QStringLiteral("DEALLOCATE ALL");
        if (PQsendQuery(conn_, "DEALLOCATE ALL") != 1) throw core::Error(lastMessage(), deallocate);
        Result r(finish(deallocate));
        prepared_.clear();
    }
    const QByteArray name = "rs501_" + QByteArray::number(nextName_++);
    if (PQsendPrepare(conn_, name.constData(), numberPlaceholders(sql).toUtf8().constData(), paramCount, nullptr) != 1)
        throw core::Error(lastMessage(), sql);
    Result r(finish(sql));
    if (PQresultStatus(r.get()) != PGRES_COMMAND_OK) throw core::Error(lastMessage(), sql);
    return prepared_.emplace(sql, QString::fromLatin1(name)).first->second;
}

PGresult* PgConnection::send(const QString& sql, const QVariantList& params) {
    int sent = 0;
    if (params.isEmpty()) {
        sent = PQsendQueryParams(conn_, sql.toUtf8().constData(), 0, nullptr, nullptr, nullptr, nullptr, 0);
    } else {
        const ParamValues p(params);
        const QByteArray name = preparedName(sql, static_cast<int>(params.size())).toLatin1();
        sent = PQsendQueryPrepared(conn_, name.constData(), p.count(), p.values.data(), nullptr, nullptr, 0);
    }
    if (sent != 1) throw core::Error(lastMessage(), sql);
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
        for (int c = 0; c < cols; ++c) row << cellValue(r.get(), i, c);
        rows.push_back(std::move(row));
    }
    return Recordset(std::move(columns), std::move(rows));
}

Recordset PgConnection::Execute(const QString& sql, const QVariantList& params) {
    ensureConnected();
    return collect(send(sql, params), sql);
}

std::vector<Recordset> PgConnection::ExecuteMany(const QString& sql, const std::vector<QVariantList>& paramLists) {
    if (paramLists.empty()) return {};
    ensureConnected();
    const QByteArray name = preparedName(sql, static_cast<int>(paramLists.front().size())).toLatin1();
    std::vector<Recordset> out;
    out.reserve(paramLists.size());
    for (std::size_t from = 0; from < paramLists.size(); from += kBatchLimit) {
        const std::size_t to = std::min(paramLists.size(), from + kBatchLimit);
        if (PQenterPipelineMode(conn_) != 1) throw core::Error(lastMessage(), sql);
        struct Leave {
            pg_conn*& conn;  // gone if the server stopped answering
            ~Leave() {
                if (conn) PQexitPipelineMode(conn);
            }
        } leave{conn_};
        sendBatch(name, paramLists, from, to);
        receiveBatch(to - from, sql, out);
    }
    return out;
}

void PgConnection::sendBatch(const QByteArray& name, const std::vector<QVariantList>& paramLists, std::size_t from,
                             std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        const ParamValues p(paramLists[i]);
        if (PQsendQueryPrepared(conn_, name.constData(), p.count(), p.values.data(), nullptr, nullptr, 0) != 1)
            throw core::Error(lastMessage());
    }
    if (PQpipelineSync(conn_) != 1) throw core::Error(lastMessage());
}

// Reads every result up to the sync point, even after a failure, so the
// connection is ready for the next statement; then raises the first failure.
void PgConnection::receiveBatch(std::size_t count, const QString& sql, std::vector<Recordset>& out) {
    std::optional<core::Error> failure;
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
    while (PGresult* r = nextResult(sql)) {
        const bool sync = PQresultStatus(r) == PGRES_PIPELINE_SYNC;
        PQclear(r);
        if (sync) break;
    }
    if (failure && !alive()) throw lost(sql);
    if (failure) throw *failure;
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
