#pragma once

#include <QDate>
#include <QString>

namespace calendar {

class frmRS501;
struct CalendarControls;

// What a person needs to hear about one slot of the calendar.
struct SlotFacts {
    QDate day;
    QString start;           // "hh:nn"
    QString end;             // "hh:nn"
    bool painted = true;     // false while the slot still awaits its colour
    bool inhabil = false;    // a non-working day
    QString folio;           // empty: nobody holds the slot
    QString responsable;     // who holds it, when known
};

// The slot as a person would say it, for example "martes 8 de diciembre,
// 10:00 a 10:30, reservado, folio 0000000002, Jorge Ramírez". A reservation
// on a non-working day is named as both, since its colours barely show it.
QString slotSpeech(const SlotFacts& facts);

// "martes 8 de diciembre".
QString spokenDay(const QDate& day);

// What the grid shows: the room and the period, for example "Sala Juárez,
// semana del domingo 6 de diciembre al sábado 12 de diciembre de 2026".
QString gridCaption(const QString& roomName, const QDate& inicio, const QDate& fin, const QString& tipo);

// Gives the screen's grid its spoken cell names and caption, read from the
// screen whenever assistive technology asks.
void speakGrid(const frmRS501& screen, const CalendarControls& ui);

}  // namespace calendar
