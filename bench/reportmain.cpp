// Prints the suite's results tables from the benchmark programs' JSON:
//   rs_bench_report --calendar FILE [--save new|today=FILE]... [--memory WHAT=KB]...

#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

#include "bench/benchreport.h"

namespace {

bool apply(bench::BenchReport& report, const QString& option, const QString& value, QString& error) {
    const qsizetype eq = value.lastIndexOf(QLatin1Char('='));
    if (option == QLatin1String("--calendar")) return report.addCalendar(value, error);
    if (option == QLatin1String("--save") && eq > 0) return report.addSave(value.left(eq), value.mid(eq + 1), error);
    if (option == QLatin1String("--memory") && eq > 0) {
        report.addMemory(value.left(eq), value.mid(eq + 1).toDouble() / 1024.0);
        return true;
    }
    error = QStringLiteral("unknown option %1 %2").arg(option, value);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    bench::BenchReport report;
    QTextStream err(stderr);
    for (qsizetype i = 0; i + 1 < args.size(); i += 2) {
        QString error;
        if (!apply(report, args[i], args[i + 1], error)) {
            err << "rs_bench_report: " << error << Qt::endl;
            return 2;
        }
    }
    QTextStream out(stdout);
    report.print(out);
    return 0;
}
