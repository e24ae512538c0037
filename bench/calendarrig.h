#pragma once

#include <memory>

#include <QString>

#include "bench/calendarfloor.h"

namespace calendar {
class frmRS501;
}
namespace flexgrid {
class FlexGrid;
}
namespace services {
class HostSession;
}

namespace bench {

class CountingConnection;

// The calendar as the host starts it: the database opened, its schema
// read (not written) and the user signed on as the host does, a session, the screen shown on the measured room and
// its first week painted. Statements are counted on the way to the
// database. Gone again when destroyed.
class CalendarRig {
public:
    explicit CalendarRig(const QString& connectionText);
    ~CalendarRig();
    CalendarRig(const CalendarRig&) = delete;
    CalendarRig& operator=(const CalendarRig&) = delete;

    // Empty when the screen came up painted, else why not.
    const QString& error() const { return error_; }

    calendar::frmRS501& screen() { return *screen_; }
    flexgrid::FlexGrid& grid() { return *grid_; }
    CountingConnection& connection() { return *counting_; }

    // Switches to the month ("m") or week ("ww") view as its button does.
    bool showView(const QString& tipo);
    // Paints the period again; false (and error()) when it failed.
    bool repaint();
    // The room and period on screen, for the floor to paint the same.
    CalendarFloor::Period period() const;

private:
    bool start();

    CountingConnection* counting_ = nullptr;
    std::unique_ptr<services::HostSession> session_;
    calendar::frmRS501* screen_ = nullptr;
    flexgrid::FlexGrid* grid_ = nullptr;
    QString error_;
};

}  // namespace bench
