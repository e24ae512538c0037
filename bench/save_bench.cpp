// The editor's road, as the calendar drives it: opening on a free slot and
// on a folio, accepting a new reservation of one day and of a 31-day range
// (23 working days, one row each, in one transaction), and cancelling.
// On SQLite in-process; on PostgreSQL through the delay proxy at a 50 ms
// round trip, each action's round trips counted by the proxy.
//
//   build/bench/rs_save_bench            (SQLite file under /tmp)
//   RS501_BENCH_DB=postgresql://... build/bench/rs_save_bench

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

#include "bench/benchdatabase.h"
#include "bench/countingconnection.h"
#include "bench/delayproxy.h"
#include "host/schema/demodata.h"
#include "host/schema/schema.h"
#include "host/services/hostsession.h"
#include "src/calendar/editoropening.h"
#include "src/reservation/frmreservacion.h"
#include "src/shell/publico.h"

namespace {

using reservation::frmReservacion;

const QDate kFirst(2030, 1, 7);  // a Monday, clear of the demonstration week
const QString kFolio = QStringLiteral("0009999999");
constexpr std::chrono::microseconds kOneWay(25000);  // 50 ms round trips

enum class Action { OpenSlot, OpenFolio, Save1, Save31, Cancel };

QString database(bool pg) {
    return pg ? qEnvironmentVariable("RS501_BENCH_DB") : QDir::tempPath() + QStringLiteral("/rs501-save-bench.sqlite");
}

void set(frmReservacion* e, const char* control, const QVariant& value) {
    const int type = value.typeId();
    e->findChild<QObject*>(control)->setProperty(
        type == QMetaType::QString ? "Text" : type == QMetaType::QDate ? "Day" : "TimeOfDay", value);
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

void storeFolio(services::HostSession& session) {
    session.connection().Execute(
        "INSERT INTO Reservacion_Sala_Junta (Rsj_Folio, Rsj_Fecha, Rsj_Inicio, Rsj_Fin, Sj_Cve_Sala_Junta, "
        "Rsj_Cliente, Rsj_Responsable, Rsj_Proposito, Oper_Alta, Fecha_Alta, Oper_Ult_Modif, Fecha_Ult_Modif, "
        "Oper_Baja, Es_Cve_Estado) VALUES (?, ?, '10:00', '11:00', '0000000001', '', 'ANA', 'Plan', 'DEMO', ?, "
        "'DEMO', ?, '', 'AC')",
        {kFolio, kFirst, QDateTime(kFirst, QTime(8, 0)), QDateTime(kFirst, QTime(8, 0))});
}

void trigger(frmReservacion* e, const char* action) {
    e->findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

// Opens the editor as a double-click does and leaves it as soon as it shows.
bool open(Action action) {
    QTimer leave;
    QObject::connect(&leave, &QTimer::timeout, [] {
        if (auto* e = qobject_cast<frmReservacion*>(QApplication::activeModalWidget())) e->hide();
    });
    leave.start(0);
    const calendar::EditorHandoff handoff{nullptr, nullptr, QTime(9, 0), QTime(18, 30), false};
    const calendar::EditorOutcome outcome =
        action == Action::OpenSlot
            ? calendar::openOnFreeSlot(handoff, {kFirst, QTime(12, 0), QTime(12, 30), QStringLiteral("0000000001")})
            : calendar::openOnFolio(handoff, kFolio);
    return outcome.shown;
}

// Sets the database and the editor up for the action (untimed) and returns
// the action itself, which says whether it did what a person asked.
std::function<bool()> ready(Action action, services::HostSession& session) {
    clear(session);
    if (action == Action::OpenSlot || action == Action::OpenFolio) {
        if (action == Action::OpenFolio) storeFolio(session);
        return [action] { return open(action); };
    }
    if (action == Action::Cancel) {
        storeFolio(session);
        frmReservacion* e = frmReservacion::instance();
        e->Load();
        if (!e->Cargar(kFolio)) return [] { return false; };
        return [e] {
            trigger(e, "actEliminar");
            return e->OK();
        };
    }
    frmReservacion* e = prepare(action == Action::Save1 ? 1 : 31);
    return [e] {
        trigger(e, "actAceptar");
        return e->OK();
    };
}

void Editor(benchmark::State& state, Action action, bool pg) {
    QString text = database(pg);
    if (pg && !bench::BenchDatabase::isLoopbackPostgres(text)) {
        state.SkipWithError("RS501_BENCH_DB names no PostgreSQL server on 127.0.0.1");
        for (auto _ : state) {
        }
        return;
    }
    std::unique_ptr<bench::DelayProxy> proxy;
    if (pg) {
        proxy = std::make_unique<bench::DelayProxy>(bench::BenchDatabase::portOf(text), kOneWay);
        text = bench::BenchDatabase::withPort(text, proxy->port());
    }
    SignedOn s = signOn(text);
    ready(action, *s.session)();  // the first run prepares the statements, as the timed ones find them
    frmReservacion::Unload();
    long long statements = 0, trips = 0;
    bool done = true;
    for (auto _ : state) {
        state.PauseTiming();
        const std::function<bool()> act = ready(action, *s.session);
        const long long statementsBefore = s.counting->statements();
        const long long tripsBefore = proxy ? proxy->roundTrips() : 0;
        state.ResumeTiming();
        done = act() && done;
        state.PauseTiming();
        statements += s.counting->statements() - statementsBefore;
        trips += proxy ? proxy->roundTrips() - tripsBefore : 0;
        frmReservacion::Unload();
        state.ResumeTiming();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["statements"] = static_cast<double>(statements) / n;
    if (proxy) state.counters["round_trips"] = static_cast<double>(trips) / n;
    if (!done) state.SkipWithError("the action did not do what was asked");
    clear(*s.session);
    services::HostSession::install(nullptr);
}

const bool registered = [] {
    const std::pair<const char*, Action> actions[] = {{"Open/slot", Action::OpenSlot},
                                                      {"Open/folio", Action::OpenFolio},
                                                      {"Save/1", Action::Save1},
                                                      {"Save/31", Action::Save31},
                                                      {"Cancel", Action::Cancel}};
    for (const auto& [name, action] : actions) {
        const std::string base = std::string("Editor/") + name;
        benchmark::RegisterBenchmark((base + "/sqlite").c_str(), Editor, action, false)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(5);
        if (!qEnvironmentVariableIsEmpty("RS501_BENCH_DB"))
            benchmark::RegisterBenchmark((base + "/pg/rtt:50ms").c_str(), Editor, action, true)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(3);
    }
    return true;
}();

}  // namespace
