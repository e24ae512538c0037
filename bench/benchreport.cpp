#include "bench/benchreport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

namespace bench {

namespace {

QString number(double v, int decimals = 1) {
    return v < 0 ? QStringLiteral("—") : QString::number(v, 'f', decimals);
}

QString count(double v) {
    return v < 0 ? QStringLiteral("—") : QString::number(qRound64(v));
}

// "≤ 1.5: met" or "≤ 1.5: NOT met"; a dash when there is no target.
QString verdict(const QString& target, bool hasTarget, bool met, bool measured = true) {
    if (!hasTarget) return QStringLiteral("—");
    if (!measured) return target + QStringLiteral(": not measured");
    return target + (met ? QStringLiteral(": met") : QStringLiteral(": **NOT met**"));
}

bool delayed(const QString& name, const char* rtt) {
    return name.endsWith(QLatin1String("/rtt:") + QLatin1String(rtt));
}

bool hasDelay(const QString& name) {
    return name.contains(QLatin1String("/rtt:"));
}

}  // namespace

double BenchReport::Result::ms() const {
    const double t = json.value(QStringLiteral("real_time")).toDouble();
    const QString unit = json.value(QStringLiteral("time_unit")).toString();
    if (unit == QLatin1String("ns")) return t / 1e6;
    if (unit == QLatin1String("us")) return t / 1e3;
    if (unit == QLatin1String("s")) return t * 1e3;
    return t;
}

double BenchReport::Result::counter(const char* key, double missing) const {
    const QJsonValue v = json.value(QLatin1String(key));
    return v.isDouble() ? v.toDouble() : missing;
}

bool BenchReport::load(const QString& path, QList<Result>& into, const QString& prefix, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    static const QRegularExpression suffix(QStringLiteral("(/iterations:\\d+|/real_time|/manual_time)+$"));
    for (const QJsonValue v : doc.object().value(QStringLiteral("benchmarks")).toArray()) {
        QString name = v.toObject().value(QStringLiteral("name")).toString();
        name.remove(suffix);
        into << Result{prefix + name, v.toObject()};
    }
    return true;
}

bool BenchReport::addCalendar(const QString& path, QString& error) {
    return load(path, calendar_, QString(), error);
}

bool BenchReport::addSave(const QString& run, const QString& path, QString& error) {
    return load(path, saves_, run + QLatin1Char('/'), error);
}

const BenchReport::Result* BenchReport::find(const QString& name) const {
    for (const Result& r : calendar_)
        if (r.name == name) return &r;
    return nullptr;
}

void BenchReport::printRepaints(QTextStream& out) const {
    out << "| Repaint of one room | repaint ms | floor ms | repaint / floor | target | statements (floor) "
           "| round trips (floor) | target |\n|---|---:|---:|---:|---|---:|---:|---|\n";
    for (const Result& r : calendar_) {
        if (!r.name.startsWith(QLatin1String("Repaint/"))) continue;
        if (r.failed()) {
            out << "| " << r.name << " | failed: " << r.json.value(QStringLiteral("error_message")).toString()
                << " | | | | | | |\n";
            continue;
        }
        const double ratio = r.counter("ratio");
        const bool ratioTarget = !hasDelay(r.name) || delayed(r.name, "5ms");
        const QString ratioLimit = delayed(r.name, "5ms") ? QStringLiteral("≤ 2") : QStringLiteral("≤ 1.5");
        const double trips = r.counter("round_trips");
        const bool tripTarget = r.name.contains(QLatin1String("month/pg"));
        out << "| " << r.name << " | " << number(r.ms()) << " | " << number(r.counter("floor_ms"), 2) << " | "
            << number(ratio) << " | " << verdict(ratioLimit, ratioTarget, ratio <= (delayed(r.name, "5ms") ? 2.0 : 1.5))
            << " | " << count(r.counter("statements")) << " (" << count(r.counter("floor_statements")) << ") | "
            << count(trips) << " (" << count(r.counter("floor_round_trips")) << ") | "
            << verdict(QStringLiteral("≤ 5"), tripTarget, trips >= 0 && trips <= 5, trips >= 0) << " |\n";
    }
}

// Growth from 1,000 to 1,000,000 reservations in the table, per view and
// engine, without delay; on the fastest passes, as the two ran apart.
void BenchReport::printGrowth(QTextStream& out) const {
    out << "\n| Repaint, table of 1k vs 1M (fastest pass) | 1k ms | 1M ms | 1M / 1k | target |\n|---|---:|---:|---:|---|\n";
    for (const QString& view : {QStringLiteral("month"), QStringLiteral("week")})
        for (const QString& engine : {QStringLiteral("sqlite"), QStringLiteral("pg")}) {
            const QString base = QStringLiteral("Repaint/%1/%2/").arg(view, engine);
            const Result* small = find(base + QStringLiteral("1k"));
            const Result* large = find(base + QStringLiteral("1M"));
            if (!small || !large || small->failed() || large->failed()) continue;
            const double growth = large->counter("fastest_ms") / small->counter("fastest_ms");
            out << "| " << view << ", " << engine << " | " << number(small->counter("fastest_ms"), 2) << " | "
                << number(large->counter("fastest_ms"), 2)
                << " | " << number(growth, 2) << " | " << verdict(QStringLiteral("≤ 1.3"), true, growth <= 1.3) << " |\n";
        }
}

void BenchReport::printStartups(QTextStream& out) const {
    out << "\n| Start-up to a painted week | ms | statements | round trips | target |\n|---|---:|---:|---:|---|\n";
    for (const Result& r : calendar_) {
        if (!r.name.startsWith(QLatin1String("Startup/"))) continue;
        const double trips = r.counter("round_trips");
        QString target = verdict(QStringLiteral("< 300 ms"), delayed(r.name, "5ms"), !r.failed() && r.ms() < 300);
        if (delayed(r.name, "50ms"))  // a branch office over a VPN
            target = verdict(QStringLiteral("≤ 12 round trips, ≤ 1.0 s"), true,
                             !r.failed() && trips >= 0 && trips <= 12 && r.ms() <= 1000);
        out << "| " << r.name << " | " << (r.failed() ? QStringLiteral("failed") : number(r.ms())) << " | "
            << count(r.counter("statements")) << " | " << count(trips) << " | " << target << " |\n";
    }
}

namespace {

// The round trips (and time) an editor action at a 50 ms round trip aims for.
struct EditorTarget {
    const char* action;
    int trips;
    double ms;  // 0: none
};
constexpr EditorTarget kEditorTargets[] = {
    {"Editor/Open/", 3, 0}, {"Editor/Save/1/", 5, 300}, {"Editor/Save/31/", 8, 500}, {"Editor/Cancel/", 3, 0}};

QString editorVerdict(const QString& name, double trips, double ms, bool failed) {
    if (!delayed(name, "50ms")) return QStringLiteral("—");
    for (const EditorTarget& t : kEditorTargets) {
        if (!name.startsWith(QLatin1String(t.action))) continue;
        QString target = QStringLiteral("≤ %1 round trips").arg(t.trips);
        bool met = !failed && trips >= 0 && trips <= t.trips;
        if (t.ms > 0) {
            target += QStringLiteral(", ≤ %1 s").arg(t.ms / 1000.0);
            met = met && ms <= t.ms;
        }
        return verdict(target, true, met, !failed);
    }
    return QStringLiteral("—");
}

}  // namespace

// Each editor action before ("today", when that run is given) and after,
// side by side.
void BenchReport::printSaves(QTextStream& out) const {
    out << "\n| Editor action | today ms | today statements | today round trips | ms | statements | round trips "
           "| target |\n|---|---:|---:|---:|---:|---:|---:|---|\n";
    const auto find = [this](const QString& name) -> const Result* {
        for (const Result& r : saves_)
            if (r.name == QLatin1String("today/") + name) return &r;
        return nullptr;
    };
    const auto cells = [](const Result* r) {
        if (!r) return QStringLiteral("— | — | —");
        if (r->failed()) return QStringLiteral("failed | — | —");
        return number(r->ms()) + QStringLiteral(" | ") + count(r->counter("statements")) + QStringLiteral(" | ") +
               count(r->counter("round_trips"));
    };
    for (const Result& r : saves_) {
        if (!r.name.startsWith(QLatin1String("new/"))) continue;
        const QString name = r.name.mid(4);
        out << "| " << name << " | " << cells(find(name)) << " | " << cells(&r) << " | "
            << editorVerdict(name, r.counter("round_trips"), r.ms(), r.failed()) << " |\n";
    }
}

void BenchReport::printMemory(QTextStream& out) const {
    if (memory_.isEmpty()) return;
    out << "\n| Peak memory (maximum resident set) | MB | target |\n|---|---:|---|\n";
    for (const auto& [what, mb] : memory_)
        out << "| " << what << " | " << number(mb) << " | " << verdict(QStringLiteral("< 60 MB"), true, mb < 60) << " |\n";
}

void BenchReport::print(QTextStream& out) const {
    printRepaints(out);
    printGrowth(out);
    printStartups(out);
    printSaves(out);
    printMemory(out);
}

}  // namespace bench
