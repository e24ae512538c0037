#pragma once

#include <map>
#include <optional>
#include <set>
#include <vector>

#include <QDate>
#include <QString>
#include <QTime>

#include "platform/ado/connection.h"

namespace flexgrid {
class FlexGrid;
}

namespace bench {

// The least a repaint of one room's period can cost: one statement for the
// room's reservations in force over the whole period, one for its
// non-working days, then the same painting the screen does, through the
// calendar's own grid functions, so both grids must come out equal.
class CalendarFloor {
public:
    struct Period {
        QString room;
        QDate inicio;
        QDate fin;  // exclusive
        QTime horaInicio;
        QTime horaFin;
    };

    explicit CalendarFloor(ado::Connection& connection) : connection_(connection) {}

    void paint(flexgrid::FlexGrid& g, const Period& p);

private:
    struct Booking {
        QString start;
        QString end;
        QString folio;
    };

    std::map<QDate, std::vector<Booking>> reservations(const Period& p);
    std::set<QDate> nonWorkingDays(const Period& p);
    static std::optional<QString> folioAt(const std::map<QDate, std::vector<Booking>>& booked, const QDate& day,
                                          const QString& slot);

    ado::Connection& connection_;
};

}  // namespace bench
