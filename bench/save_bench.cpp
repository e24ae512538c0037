// Accepting a new reservation in the editor: one day, and a range of 31
// days (one row per working day, all in one transaction).
//
//   build/bench/rs_save_bench            (SQLite file under /tmp)
//   RS501_BENCH_DB=postgresql://... build/bench/rs_save_bench

#include <benchmark/benchmark.h>

#include <QAction>
#include <QDir>

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

void set(frmReservacion* e, const char* control, const QVariant& value) {
    e->findChild<QObject*>(control)->setProperty(value.typeId() == QMetaType::QString ? "Text" : "Value", value);
}

// The editor as the calendar leaves it on a free slot, filled in.
frmReservacion* prepare(int days) {
    frmReservacion* e = frmReservacion::instance();
    e->Load();
    e->setiHoraI({9, 0});
    e->setiHoraF({18, 30});
    set(e, "dpFechaI", QDateTime(kFirst, {0, 0}));
    set(e, "dpFechaF", QDateTime(kFirst.addDays(days - 1), {0, 0}));
    set(e, "dpHoraInicio", QDateTime(kFirst, {10, 0}));
    set(e, "dpHoraFin", QDateTime(kFirst, {11, 0}));
    set(e, "txtSala_Junta", QStringLiteral("0000000001"));
    e->Ejecuta_Nuevo();
    e->txtSala_Junta_Consulta();
    set(e, "txtResponsable", QStringLiteral("ANA LÓPEZ"));
    set(e, "txtProposito", QStringLiteral("Revisión"));
    return e;
}

void Save(benchmark::State& state) {
    const int days = static_cast<int>(state.range(0));
    auto connection = ado::open(database());
    schema::Schema::ensure(*connection);
    schema::DemoData::load(*connection, QDate::currentDate());
    services::HostSession session(std::move(connection), schema::DemoData::kUser, true);
    services::HostSession::install(&session);
    shell::Publico::iniciar();
    long rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        session.connection().Execute("DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Fecha >= ?", {kFirst});
        frmReservacion* e = prepare(days);
        state.ResumeTiming();
        e->findChild<QAction*>(QStringLiteral("actAceptar"))->trigger();
        state.PauseTiming();
        if (!e->OK()) state.SkipWithError("the reservation was not stored");
        frmReservacion::Unload();
        rows = session.connection()
                   .Execute("SELECT COUNT(*) FROM Reservacion_Sala_Junta WHERE Rsj_Fecha >= ?", {kFirst})
                   .Fields(0)
                   .Value.toLongLong();
        state.ResumeTiming();
    }
    state.counters["rows"] = static_cast<double>(rows);
    session.connection().Execute("DELETE FROM Reservacion_Sala_Junta WHERE Rsj_Fecha >= ?", {kFirst});
    services::HostSession::install(nullptr);
}

BENCHMARK(Save)->Arg(1)->Arg(31)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
