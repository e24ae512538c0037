#pragma once

#include <QDate>
#include <QString>

#include "platform/ado/connection.h"

namespace bench {

// The databases the suite measures on: the host's schema and demonstration
// data, `rows` generated reservations of other rooms spread over ten years,
// and reservations of the measured room around the period on screen. They
// are kept between runs (a SQLite file under the temporary folder, or a
// database rs501_bench_<rows> on the PostgreSQL server), so only the first
// run pays for generating them.
class BenchDatabase {
public:
    static inline const QString kRoom = QStringLiteral("0000000001");

    // The connection text of the database for `rows`, made ready. server is
    // empty for SQLite, else a postgresql:// URL of a maintenance database
    // on which the benchmark databases may be created.
    static QString prepare(const QString& server, long rows, const QDate& today);

    // The same PostgreSQL URL with its port replaced (to reach the server
    // through the delay proxy), and the port it names.
    static QString withPort(const QString& url, int port);
    static int portOf(const QString& url);

    // A postgresql:// URL whose host is this machine's loopback: the proxy
    // only ever relays to 127.0.0.1.
    static bool isLoopbackPostgres(const QString& text);
    static long long reservationCount(ado::Connection& c);

private:
    static QString sqliteText(long rows);
    static QString postgresText(const QString& server, long rows);
    static void generate(ado::Connection& c, long rows);
    static void seedRoom(ado::Connection& c, const QDate& today);
};

}  // namespace bench
