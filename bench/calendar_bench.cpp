// The calendar of one room against its floor: a month or week repaint timed
// beside the least work that paints the same grid (one range query for the
// room, one for the non-working days), and the start-up to a painted week,
// on SQLite and, when RS501_BENCH_DB names a PostgreSQL server, on
// PostgreSQL directly and through a proxy that delays each way.
//
//   build/bench/rs_calendar_bench
//   RS501_BENCH_DB=postgresql://postgres@127.0.0.1:PORT/postgres build/bench/rs_calendar_bench
//
// Counters: statements and round_trips per repaint or start-up; floor_ms,
// floor_statements and floor_round_trips for the floor; ratio is the median
// of each repaint's time over the floor painted right after it, in the same
// run; fastest_ms the quickest single repaint.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <vector>

#include "bench/benchdatabase.h"
#include "bench/calendarfloor.h"
#include "bench/calendarrig.h"
#include "bench/countingconnection.h"
#include "bench/delayproxy.h"
#include "bench/gridcheck.h"
#include "platform/core/error.h"
#include "platform/flexgrid/flexgrid.h"

namespace {

using bench::BenchDatabase;
using bench::CalendarFloor;
using bench::CalendarRig;
using bench::DelayProxy;
using Clock = std::chrono::steady_clock;

struct Case {
    QString view;   // "m" or "ww"
    bool postgres;
    long rows;
    int oneWayUs;   // below 0: straight to the server, no proxy
};

QString server(const Case& k) {
    return k.postgres ? qEnvironmentVariable("RS501_BENCH_DB") : QString();
}

// Each database is made ready once per run, on first use.
QString database(const Case& k) {
    static std::map<std::pair<QString, long>, QString> ready;
    const auto key = std::make_pair(server(k), k.rows);
    if (!ready.count(key)) ready[key] = BenchDatabase::prepare(key.first, k.rows, QDate::currentDate());
    return ready[key];
}

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// What one pass costs the database: statements, and round trips when it
// went through a proxy.
struct Cost {
    long long statements = 0;
    long long roundTrips = 0;
};

// The counts so far, to subtract around a pass.
Cost costSoFar(CalendarRig& rig, const DelayProxy* proxy) {
    return {rig.connection().statements(), proxy ? proxy->roundTrips() : 0};
}

Cost operator-(const Cost& a, const Cost& b) {
    return {a.statements - b.statements, a.roundTrips - b.roundTrips};
}

Cost operator+(const Cost& a, const Cost& b) {
    return {a.statements + b.statements, a.roundTrips + b.roundTrips};
}

Cost operator/(const Cost& a, long long n) {
    return {a.statements / n, a.roundTrips / n};
}

// The floor paints what the screen shows, or the comparison means nothing;
// and the period must show reservations and non-working days, or the
// equality proves little.
bool floorMatches(benchmark::State& state, CalendarRig& rig, flexgrid::FlexGrid& floorGrid) {
    CalendarFloor(rig.connection()).paint(floorGrid, rig.period());
    QString difference = bench::gridDifference(rig.grid(), floorGrid);
    if (difference.isEmpty() && !bench::showsEveryKind(rig.grid()))
        difference = QStringLiteral("the period shows no reservation or no non-working day");
    if (difference.isEmpty()) return true;
    state.SkipWithError(qPrintable(QStringLiteral("the floor's grid differs from the screen's, ") + difference));
    return false;
}

struct PassCosts {
    Cost repaint;
    Cost floor;
};

// One repaint and one floor through a proxy that adds no delay, only to
// count their round trips on a connection that is timed without one.
std::optional<PassCosts> countThroughProxy(const QString& text, const QString& view) {
    DelayProxy proxy(BenchDatabase::portOf(text), std::chrono::microseconds(0));
    CalendarRig rig(BenchDatabase::withPort(text, proxy.port()));
    if (!rig.error().isEmpty() || !rig.showView(view)) return std::nullopt;
    const auto meter = [&] { return costSoFar(rig, &proxy); };
    flexgrid::FlexGrid floorGrid;
    CalendarFloor(rig.connection()).paint(floorGrid, rig.period());  // its statements prepared, as when timed
    const Cost start = meter();
    if (!rig.repaint()) return std::nullopt;
    const Cost painted = meter();
    CalendarFloor(rig.connection()).paint(floorGrid, rig.period());
    return PassCosts{painted - start, meter() - painted};
}

// Seconds of each timed repaint and of the floor painted right after it.
struct Timings {
    std::vector<double> repaint;
    std::vector<double> floor;
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

// The ratio is the median over the iterations of each repaint against the
// floor painted right after it, so a pause of the machine spoils one pair
// and not the figure.
void report(benchmark::State& state, const Timings& t, const PassCosts& per, bool counted) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < t.repaint.size(); ++i)
        if (t.floor[i] > 0) ratios.push_back(t.repaint[i] / t.floor[i]);
    const double floorSum = std::accumulate(t.floor.begin(), t.floor.end(), 0.0);
    state.counters["floor_ms"] = t.floor.empty() ? 0.0 : floorSum * 1000.0 / static_cast<double>(t.floor.size());
    state.counters["ratio"] = median(ratios);
    // The fastest pass, which only noise can slow, for comparisons between
    // benchmarks that ran at different moments.
    state.counters["fastest_ms"] = t.repaint.empty() ? 0.0 : *std::min_element(t.repaint.begin(), t.repaint.end()) * 1000.0;
    state.counters["statements"] = static_cast<double>(per.repaint.statements);
    state.counters["floor_statements"] = static_cast<double>(per.floor.statements);
    if (!counted) return;
    state.counters["round_trips"] = static_cast<double>(per.repaint.roundTrips);
    state.counters["floor_round_trips"] = static_cast<double>(per.floor.roundTrips);
}

void timeRepaints(benchmark::State& state, CalendarRig& rig, const DelayProxy* proxy, std::optional<PassCosts> counted) {
    const auto meter = [&] { return costSoFar(rig, proxy); };
    flexgrid::FlexGrid floorGrid;
    CalendarFloor floor(rig.connection());
    const CalendarFloor::Period period = rig.period();
    Timings t;
    PassCosts sum;
    for (auto _ : state) {
        const Cost c0 = meter();
        const auto t0 = Clock::now();
        const bool ok = rig.repaint();
        const auto t1 = Clock::now();
        state.PauseTiming();
        const Cost c1 = meter();
        floor.paint(floorGrid, period);
        t.floor.push_back(seconds(Clock::now() - t1));
        t.repaint.push_back(seconds(t1 - t0));
        sum.repaint = sum.repaint + (c1 - c0);
        sum.floor = sum.floor + (meter() - c1);
        state.ResumeTiming();
        if (!ok) state.SkipWithError(qPrintable(rig.error()));
    }
    const long long n = std::max<long long>(state.iterations(), 1);
    PassCosts per{sum.repaint / n, sum.floor / n};
    if (counted) {
        per.repaint.roundTrips = counted->repaint.roundTrips;
        per.floor.roundTrips = counted->floor.roundTrips;
    }
    report(state, t, per, proxy || counted);
}

void Repaint(benchmark::State& state, const Case& k) {
    const QString text = database(k);
    std::optional<PassCosts> counted;
    if (k.postgres && k.oneWayUs < 0 && !(counted = countThroughProxy(text, k.view))) {
        state.SkipWithError("the counting pass through the proxy failed");
        return;
    }
    std::unique_ptr<DelayProxy> proxy;
    if (k.oneWayUs >= 0)
        proxy = std::make_unique<DelayProxy>(BenchDatabase::portOf(text), std::chrono::microseconds(k.oneWayUs));
    CalendarRig rig(proxy ? BenchDatabase::withPort(text, proxy->port()) : text);
    flexgrid::FlexGrid floorGrid;
    if (!rig.error().isEmpty() || !rig.showView(k.view)) {
        state.SkipWithError(qPrintable(rig.error()));
        return;
    }
    if (!floorMatches(state, rig, floorGrid)) return;
    state.counters["reservations"] = static_cast<double>(BenchDatabase::reservationCount(rig.connection()));
    state.counters["cells"] = (rig.grid().Rows() - rig.grid().FixedRows()) * (rig.grid().Cols() - rig.grid().FixedCols());
    timeRepaints(state, rig, proxy.get(), counted);
}

// One start-up through a proxy that adds no delay, to count its round trips.
std::optional<long long> startUpRoundTrips(const QString& text) {
    DelayProxy proxy(BenchDatabase::portOf(text), std::chrono::microseconds(0));
    CalendarRig rig(BenchDatabase::withPort(text, proxy.port()));
    if (!rig.error().isEmpty()) return std::nullopt;
    return proxy.roundTrips();
}

// From nothing to a painted week of the room: the database opened and its
// schema checked as the host does, the session, the screen shown.
void Startup(benchmark::State& state, const Case& k) {
    const QString text = database(k);
    std::optional<long long> counted;
    if (k.postgres && k.oneWayUs < 0 && !(counted = startUpRoundTrips(text))) {
        state.SkipWithError("the counting start-up through the proxy failed");
        return;
    }
    std::unique_ptr<DelayProxy> proxy;
    if (k.oneWayUs >= 0)
        proxy = std::make_unique<DelayProxy>(BenchDatabase::portOf(text), std::chrono::microseconds(k.oneWayUs));
    const QString via = proxy ? BenchDatabase::withPort(text, proxy->port()) : text;
    Cost sum;
    for (auto _ : state) {
        const long long before = proxy ? proxy->roundTrips() : 0;
        auto rig = std::make_unique<CalendarRig>(via);
        state.PauseTiming();
        sum = sum + Cost{rig->connection().statements(), proxy ? proxy->roundTrips() - before : 0};
        if (!rig->error().isEmpty()) state.SkipWithError(qPrintable(rig->error()));
        rig.reset();
        state.ResumeTiming();
    }
    const Cost per = sum / std::max<long long>(state.iterations(), 1);
    state.counters["statements"] = static_cast<double>(per.statements);
    if (proxy) state.counters["round_trips"] = static_cast<double>(per.roundTrips);
    if (counted) state.counters["round_trips"] = static_cast<double>(*counted);
}

QString caseName(const char* what, const Case& k) {
    QString name = QStringLiteral("%1/%2/%3/%4")
                       .arg(QLatin1String(what), k.view == QLatin1String("m") ? QStringLiteral("month") : QStringLiteral("week"),
                            k.postgres ? QStringLiteral("pg") : QStringLiteral("sqlite"),
                            k.rows >= 1000000 ? QStringLiteral("%1M").arg(k.rows / 1000000) : QStringLiteral("%1k").arg(k.rows / 1000));
    if (k.oneWayUs >= 0) name += QStringLiteral("/rtt:%1ms").arg(2.0 * k.oneWayUs / 1000.0);
    return name;
}

// A database that cannot be opened or generated fails its case, not the run.
template <typename Function>
void add(const char* what, Function f, const Case& k, int iterations) {
    const auto guarded = [f](benchmark::State& state, const Case& c) {
        try {
            f(state, c);
        } catch (const std::exception& e) {
            state.SkipWithError(qPrintable(core::describe(e)));
        }
    };
    benchmark::RegisterBenchmark(caseName(what, k).toStdString().c_str(), guarded, k)
        ->Iterations(iterations)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

// Iterations are few where a pass is slow: a month at 5 ms round trips is
// about a thousand of them today.
void addEngine(bool postgres) {
    for (long rows : {1000L, 1000000L}) {
        add("Repaint", Repaint, {QStringLiteral("m"), postgres, rows, -1}, 10);
        add("Repaint", Repaint, {QStringLiteral("ww"), postgres, rows, -1}, 20);
    }
    add("Startup", Startup, {QStringLiteral("ww"), postgres, 1000, -1}, 10);
}

void addDelayed() {
    add("Repaint", Repaint, {QStringLiteral("m"), true, 1000, 500}, 3);
    add("Repaint", Repaint, {QStringLiteral("m"), true, 1000, 2500}, 2);
    add("Startup", Startup, {QStringLiteral("ww"), true, 1000, 500}, 5);
    add("Startup", Startup, {QStringLiteral("ww"), true, 1000, 2500}, 3);
    add("Startup", Startup, {QStringLiteral("ww"), true, 1000, 25000}, 3);  // a branch office over a VPN
}

const bool registered = [] {
    addEngine(false);
    if (!BenchDatabase::isLoopbackPostgres(qEnvironmentVariable("RS501_BENCH_DB"))) return true;
    addEngine(true);
    addDelayed();
    return true;
}();

}  // namespace
