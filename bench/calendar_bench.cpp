// Repainting a month of one room while the reservation table holds many
// rows of other rooms and days: the per-cell look-up must stay an index
// seek, so the time must not grow with the table.
//
//   build/bench/rs_calendar_bench            (SQLite files under /tmp)
//   RS501_BENCH_DB=postgresql://... build/bench/rs_calendar_bench

#include <benchmark/benchmark.h>

#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "host/schema/demodata.h"
#include "host/schema/schema.h"
#include "host/services/hostsession.h"
#include "platform/ado/transaction.h"
#include "src/calendar/frmrs501.h"
#include "src/shell/publico.h"

namespace {

constexpr int kOtherRooms = 500;

QString databaseFor(long rows) {
    const QString base = qEnvironmentVariable("RS501_BENCH_DB");
    if (!base.isEmpty()) return base;
    return QDir::tempPath() + QStringLiteral("/rs501-bench-%1.sqlite").arg(rows);
}

long long reservationCount(ado::Connection& c) {
    return c.Execute("SELECT COUNT(*) FROM Reservacion_Sala_Junta").Fields(0).Value.toLongLong();
}

// Fills the table up to `rows` reservations of other rooms, spread over
// ten years, in one transaction.
void generate(ado::Connection& c, long rows) {
    long long have = reservationCount(c);
    if (have >= rows) return;
    ado::Transaction tx(c);
    const QDate first(2020, 1, 1);
    const QString insert =
        "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, "
        "Rsj_Responsable, Es_Cve_Estado) VALUES (?, ?, ?, ?, ?, 'Generada', 'AC')";
    for (long long n = have; n < rows; ++n) {
        const int room = static_cast<int>(n % kOtherRooms);
        const QDate day = first.addDays((n / kOtherRooms) * 2 % 3650);
        const int hour = 9 + static_cast<int>(n % 9);
        c.Execute(insert, {QStringLiteral("%1").arg(n + 1000000, 10, 10, QLatin1Char('0')), day,
                           QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0')),
                           QStringLiteral("%1:30").arg(hour, 2, 10, QLatin1Char('0')),
                           QStringLiteral("%1").arg(100000 + room, 10, 10, QLatin1Char('0'))});
    }
    tx.commit();
}

void MonthRepaint(benchmark::State& state) {
    const long rows = state.range(0);
    auto connection = ado::open(databaseFor(rows));
    schema::Schema::ensure(*connection);
    schema::DemoData::load(*connection, QDate::currentDate());
    generate(*connection, rows);
    state.counters["reservations"] = static_cast<double>(reservationCount(*connection));

    services::HostSession session(std::move(connection), schema::DemoData::kUser, true);
    services::HostSession::install(&session);
    shell::Publico::iniciar();
    calendar::frmRS501* screen = calendar::frmRS501::instance();
    screen->show();
    if (!QTest::qWaitForWindowExposed(screen)) state.SkipWithError("the calendar was never shown");
    QMetaObject::invokeMethod(screen, "cmdMes_Click");
    screen->findChild<QWidget*>("txtSalaJunta")->findChild<QLineEdit*>()->setText("0000000001");
    for (auto _ : state) {
        if (!screen->CargarCalendario()) state.SkipWithError(qPrintable(screen->UltimoError()));
    }
    const QObject* grid = screen->findChild<QObject*>("msfDisponibilidad");
    state.counters["cells"] = (grid->property("Rows").toInt() - 2) * (grid->property("Cols").toInt() - 1);
    delete screen;
    services::HostSession::install(nullptr);
}

BENCHMARK(MonthRepaint)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
