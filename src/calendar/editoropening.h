#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <QTime>

class QWidget;

namespace calendar {

// What the calendar hands the editor on every opening.
struct EditorHandoff {
    QWidget* owner;  // the calendar screen, over which the editor shows
    QObject* padre;
    QTime horaInicio;
    QTime horaFin;
    bool chfefin;
};

// A free slot to book: its day, its start and end times and the room key.
struct FreeSlot {
    QDate day;
    QTime start;
    QTime end;
    QString room;
};

// How one opening of the editor ended.
struct EditorOutcome {
    bool shown = false;   // the editor was shown (and has been left)
    bool stored = false;  // the editor changed stored reservations
    QString error;        // why it was not shown
};

// The last slot row ends where it starts; every other ends at the next row.
int slotEndRow(int row, int rows);

// The time of a slot label "hh:nn"; throws core::Error for any other text.
QTime slotTime(const QString& label);

// Loads the editor on a new reservation of the slot, shows it modally and
// unloads it, whatever happens in between.
EditorOutcome openOnFreeSlot(const EditorHandoff& handoff, const FreeSlot& slot);

// Loads the editor on the stored reservation of folio; when it loads, shows
// it modally. Unloads it either way.
EditorOutcome openOnFolio(const EditorHandoff& handoff, const QString& folio);

}  // namespace calendar
