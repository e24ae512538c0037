#include "bench/gridcheck.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/calendarcontrols.h"

namespace bench {

namespace {

QString cellDifference(const flexgrid::FlexGrid& a, const flexgrid::FlexGrid& b, int r, int c) {
    const QString where = QStringLiteral("cell (%1, %2): ").arg(r).arg(c);
    if (a.TextMatrix(r, c) != b.TextMatrix(r, c))
        return where + QStringLiteral("text \"%1\" on screen, \"%2\" in the floor").arg(a.TextMatrix(r, c), b.TextMatrix(r, c));
    if (a.CellBackColorAt(r, c) != b.CellBackColorAt(r, c))
        return where + QStringLiteral("back colour %1 on screen, %2 in the floor")
                           .arg(a.CellBackColorAt(r, c), 6, 16, QLatin1Char('0'))
                           .arg(b.CellBackColorAt(r, c), 6, 16, QLatin1Char('0'));
    if (a.CellForeColorAt(r, c) != b.CellForeColorAt(r, c))
        return where + QStringLiteral("fore colour %1 on screen, %2 in the floor")
                           .arg(a.CellForeColorAt(r, c), 6, 16, QLatin1Char('0'))
                           .arg(b.CellForeColorAt(r, c), 6, 16, QLatin1Char('0'));
    return {};
}

}  // namespace

QString gridDifference(const flexgrid::FlexGrid& screen, const flexgrid::FlexGrid& floor) {
    if (screen.Rows() != floor.Rows() || screen.Cols() != floor.Cols())
        return QStringLiteral("shape: %1 x %2 on screen, %3 x %4 in the floor")
            .arg(screen.Rows()).arg(screen.Cols()).arg(floor.Rows()).arg(floor.Cols());
    for (int r = 0; r < screen.Rows(); ++r)
        for (int c = 0; c < screen.Cols(); ++c)
            if (QString d = cellDifference(screen, floor, r, c); !d.isEmpty()) return d;
    return {};
}

bool paintingFinished(const flexgrid::FlexGrid& g) {
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        for (int c = g.FixedCols(); c < g.Cols(); ++c) {
            const int back = g.CellBackColorAt(r, c);
            if (back != calendar::kGreen && back != calendar::kBlue && back != calendar::kSilver) return false;
        }
    return g.Rows() > g.FixedRows() && g.Cols() > g.FixedCols();
}

bool showsEveryKind(const flexgrid::FlexGrid& g) {
    bool free = false, reserved = false, nonWorking = false;
    for (int r = g.FixedRows(); r < g.Rows(); ++r)
        for (int c = g.FixedCols(); c < g.Cols(); ++c) {
            const int back = g.CellBackColorAt(r, c);
            free = free || back == calendar::kGreen;
            reserved = reserved || back == calendar::kBlue;
            nonWorking = nonWorking || back == calendar::kSilver;
        }
    return free && reserved && nonWorking;
}

bool waitUntilPainted(const flexgrid::FlexGrid& g, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!paintingFinished(g)) {
        if (clock.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace bench
