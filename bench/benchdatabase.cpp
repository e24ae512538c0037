#include "bench/benchdatabase.h"

#include <QDir>
#include <QUrl>

#include "host/schema/demodata.h"
#include "host/schema/schema.h"
#include "platform/ado/transaction.h"

namespace bench {

namespace {

constexpr int kOtherRooms = 500;
const QString kGenerated = QStringLiteral("Generada");

// Generated row i: folio 1000000 + i, room 100000 + i mod 500, a day every
// other day over ten years from 2020, one hour-and-a-half-hour slot.
const QString kSqliteFill = QStringLiteral(
    "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, "
    "Rsj_Responsable, Es_Cve_Estado) "
    "WITH RECURSIVE n(i) AS (SELECT ? UNION ALL SELECT i + 1 FROM n WHERE i + 1 < ?) "
    "SELECT printf('%010d', 1000000 + i), date('2020-01-01', printf('+%d days', (i / ?) * 2 % 3650)), "
    "printf('%02d:00', 9 + i % 9), printf('%02d:30', 9 + i % 9), printf('%010d', 100000 + i % ?), ?, 'AC' FROM n");

const QString kPostgresFill = QStringLiteral(
    "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, "
    "Rsj_Responsable, Es_Cve_Estado) "
    "SELECT lpad((1000000 + i)::text, 10, '0'), DATE '2020-01-01' + (i / CAST(? AS INTEGER)) * 2 % 3650, "
    "lpad((9 + i % 9)::text, 2, '0') || ':00', lpad((9 + i % 9)::text, 2, '0') || ':30', "
    "lpad((100000 + i % CAST(? AS INTEGER))::text, 10, '0'), ?, 'AC' "
    "FROM generate_series(CAST(? AS INTEGER), CAST(? AS INTEGER) - 1) AS g(i)");

bool isPostgres(ado::Connection& c) {
    return ado::isPostgresText(c.description());  // the fast fill is the server's own
}

}  // namespace

long long BenchDatabase::reservationCount(ado::Connection& c) {
    return c.Execute(QStringLiteral("SELECT COUNT(*) FROM Reservacion_Sala_Junta")).Fields(0).Value.toLongLong();
}

QString BenchDatabase::sqliteText(long rows) {
    return QDir::tempPath() + QStringLiteral("/rs501-suite-%1.sqlite").arg(rows);
}

// CREATE DATABASE takes no parameters; the name is ours, made of digits.
QString BenchDatabase::postgresText(const QString& server, long rows) {
    const QString name = QStringLiteral("rs501_bench_%1").arg(rows);
    auto maintenance = ado::open(server);
    if (maintenance->Execute(QStringLiteral("SELECT 1 FROM pg_database WHERE datname = ?"), {name}).Eof())
        maintenance->Execute(QStringLiteral("CREATE DATABASE %1").arg(name));
    QUrl url(server);
    url.setPath(QLatin1Char('/') + name);
    return url.toString();
}

bool BenchDatabase::isLoopbackPostgres(const QString& text) {
    const QString host = QUrl(text).host();
    return ado::isPostgresText(text) && (host == QLatin1String("127.0.0.1") || host == QLatin1String("localhost"));
}

QString BenchDatabase::withPort(const QString& text, int port) {
    QUrl url(text);
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(port);
    return url.toString();
}

int BenchDatabase::portOf(const QString& text) {
    return QUrl(text).port(5432);
}

// One INSERT ... SELECT in one transaction; the generated rows are numbered
// from 0, so a run stopped half-way resumes where the last one committed.
void BenchDatabase::generate(ado::Connection& c, long rows) {
    const long long have =
        c.Execute(QStringLiteral("SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Rsj_Responsable = ?"), {kGenerated})
            .Fields(0)
            .Value.toLongLong();
    if (have >= rows) return;
    ado::Transaction tx(c);
    if (isPostgres(c))
        c.Execute(kPostgresFill, {kOtherRooms, kOtherRooms, kGenerated, have, static_cast<long long>(rows)});
    else
        c.Execute(kSqliteFill, {have, static_cast<long long>(rows), kOtherRooms, kOtherRooms, kGenerated});
    tx.commit();
    // A live server's autovacuum would have gathered statistics long ago.
    if (isPostgres(c)) c.Execute(QStringLiteral("ANALYZE Reservacion_Sala_Junta"));
}

// The measured room gets, on every day from a week before the month of
// today to a week after it, two reservations in force and one cancelled
// (which must not show), clear of the demonstration rows' hours.
void BenchDatabase::seedRoom(ado::Connection& c, const QDate& today) {
    const QDate first = QDate(today.year(), today.month(), 1).addDays(-7);
    const QDate last = QDate(today.year(), today.month(), today.daysInMonth()).addDays(7);
    struct Slot {
        const char *start, *end, *state;
    };
    const Slot hours[] = {{"12:00", "13:30", "AC"}, {"14:00", "15:00", "CA"}, {"17:30", "18:30", "AC"}};
    ado::Transaction tx(c);
    for (QDate d = first; d <= last; d = d.addDays(1)) {
        int n = 0;
        for (const Slot& s : hours)
            c.Execute(QStringLiteral("INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, "
                                     "Sj_Cve_Sala_Junta, Rsj_Responsable, Es_Cve_Estado) VALUES (?, ?, ?, ?, ?, ?, ?) "
                                     "ON CONFLICT DO NOTHING"),
                      {QStringLiteral("S") + d.toString(QStringLiteral("yyMMdd")) + QString::number(++n), d,
                       QString::fromLatin1(s.start), QString::fromLatin1(s.end), kRoom, QStringLiteral("Sembrada"),
                       QString::fromLatin1(s.state)});
    }
    tx.commit();
}

QString BenchDatabase::prepare(const QString& server, long rows, const QDate& today) {
    const QString text = server.isEmpty() ? sqliteText(rows) : postgresText(server, rows);
    auto c = ado::open(text);
    schema::Schema::ensure(*c);
    schema::DemoData::load(*c, today);
    generate(*c, rows);
    seedRoom(*c, today);
    return text;
}

}  // namespace bench
