// Accepting a new reservation in the editor: one day, and a range of 31
// days (one row per working day, all in one transaction). Counters:
// statements per save, and on PostgreSQL its round trips, counted on one
// extra save through the delay proxy with no delay.
//
//   build/bench/rs_save_bench            (SQLite file under /tmp)
//   RS501_BENCH_DB=postgresql://... build/bench/rs_save_bench

#include <benchmark/benchmark.h>

#include <QAction>
#include <QDir>

#include <algorithm>
#include <chrono>
#include <memory>

#include "bench/benchdatabase.h"
#include "bench/countingconnection.h"
#include "bench/delayproxy.h"
#include "host/schema/demodata.h"
#include "host/schema/schema.h"
#include "host/services/hostsession.h"
#include "src/reservation/frmreservacion.h"
#include "src/shell/publico.h"

namespace {

using reservation::frmReservacion;

const QDate kFirst(2030, 1, 7);  // a Monday, clear of the demonstration week

QString database() {
    const QString given = qEnvironmentVariable("RS501_BENCH_DB");
    return given.isEmpty() ? QDir::tempPath() + QStringLiteral("/rs501-save-bench.sqlite") : given;
}

const char* propertyFor(const QVariant& value) {
    const int type = value.typeId();
    return type == QMetaType::QString ? "Text" : type == QMetaType::QDate ? "Day" : "TimeOfDay";
}

void set(frmReservacion* e, const char* control, const QVariant& value) {
    e->findChild<QObject*>(control)->setProperty(propertyFor(value), value);
}

// The editor as the calendar leaves it on a free slot, filled in.
frmReservacion* prepare(int days) {
    frmReservacion* e = frmReservacion::instance();
    e->Load();
    e->setiHoraI({9, 0});
    e->setiHoraF({18, 30});
    set(e, "dpFechaI", kFirst);
    set(e, "dpFechaF", kFirst.addDays(days - 1));
    set(e, "dpHoraInicio", QTime(10, 0));
    set(e, "dpHoraFin", QTime(11, 0));
    set(e, "txtSala_Junta", QStringLiteral("0000000001"));
    e->Ejecuta_Nuevo();
    e->txtSala_Junta_Consulta();
    set(e, "txtResponsable", QStringLiteral("ANA LÓPEZ"));
    set(e, "txtProposito", QStringLiteral("Revisión"));
    return e;
}

// A session on the database, its statements counted.
struct SignedOn {
    std::unique_ptr<services::HostSession> session;
    bench::CountingConnection* counting;
};

SignedOn signOn(const QString& text) {
    auto counting = std::make_unique<bench::CountingConnection>(ado::open(text));
    bench::CountingConnection* raw = counting.get();
    schema::Schema::ensure(*raw);
    schema::DemoData::load(*raw, QDate::currentDate());
    auto session = std::make_unique<services::HostSession>(std::move(counting), schema::DemoData::kUser, true);
    services::HostSession::install(session.get());
    shell::Publico::iniciar();
    return {std::move(session), raw};
}

void clear(services::HostSession& session) {
    session.connection().Execute("DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Fecha >= ?", {kFirst});
}

void accept(frmReservacion* e) {
    e->findChild<QAction*>(QStringLiteral("actAceptar"))->trigger();
}

// An untimed save through a proxy that adds no delay, only to count its
// round trips; -1 when it did not store.
long long saveRoundTrips(const QString& text, int days) {
    bench::DelayProxy proxy(bench::BenchDatabase::portOf(text), std::chrono::microseconds(0));
    SignedOn s = signOn(bench::BenchDatabase::withPort(text, proxy.port()));
    // A first save prepares the statements, as the timed saves find them.
    clear(*s.session);
    accept(prepare(days));
    frmReservacion::Unload();
    clear(*s.session);
    frmReservacion* e = prepare(days);
    const long long before = proxy.roundTrips();
    accept(e);
    const long long trips = e->OK() ? proxy.roundTrips() - before : -1;
    frmReservacion::Unload();
    clear(*s.session);
    services::HostSession::install(nullptr);
    return trips;
}

void Save(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    const long long trips = bench::BenchDatabase::isLoopbackPostgres(database()) ? saveRoundTrips(database(), days) : 0;
    SignedOn s = signOn(database());
    long rows = 0;
    long long statements = 0;
    for (auto _ : state) {
        state.PauseTiming();
        clear(*s.session);
        frmReservacion* e = prepare(days);
        const long long before = s.counting->statements();
        state.ResumeTiming();
        accept(e);
        state.PauseTiming();
        statements += s.counting->statements() - before;
        if (!e->OK()) state.SkipWithError("the reservation was not stored");
        frmReservacion::Unload();
        rows = s.session->connection()
                   .Execute("SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Rsj_Fecha >= ?", {kFirst})
                   .Fields(0)
                   .Value.toLongLong();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["statements"] = static_cast<double>(statements / std::max<long long>(state.iterations(), 1));
    if (bench::BenchDatabase::isLoopbackPostgres(database())) state.counters["round_trips"] = static_cast<double>(trips);
    if (trips < 0) state.SkipWithError("the counting save through the proxy did not store");
    clear(*s.session);
    services::HostSession::install(nullptr);
}

BENCHMARK(Save)->Arg(1)->Arg(31)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
