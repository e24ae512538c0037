#pragma once

#include <QDate>
#include <QTime>

#include "src/reservation/frmreservacion.h"

// Driving the reservation editor as the calendar prepares it, for the save
// tests and for the second desktop alike.
namespace testsupport {

// A text into a box, or a day or a time of day into a picker, by the control's name.
inline void set(reservation::frmReservacion* e, const char* control, const QVariant& value) {
    const int type = value.typeId();
    e->findChild<QObject*>(QString::fromLatin1(control))
        ->setProperty(type == QMetaType::QString ? "Text" : type == QMetaType::QDate ? "Day" : "TimeOfDay", value);
}

// Loaded for the 09:00-18:30 window, not yet filled in.
inline reservation::frmReservacion* loadedEditor(QWidget* owner = nullptr) {
    reservation::frmReservacion* e = reservation::frmReservacion::instance(owner);
    e->Load();
    e->setiHoraI({9, 0});
    e->setiHoraF({18, 30});
    return e;
}

// A new reservation from first to last, times "hh:mm" or "hh:mm:ss", filled
// in as a free slot and a person would, and shown (not modally).
inline reservation::frmReservacion* newReservation(QWidget* owner, const QDate& first, const QDate& last,
                                                   const QString& start, const QString& end, const QString& room,
                                                   const QString& who, const QString& purpose) {
    reservation::frmReservacion* e = loadedEditor(owner);
    set(e, "dpFechaI", first);
    set(e, "dpFechaF", last);
    for (const auto& [picker, time] : {std::pair{"dpHoraInicio", start}, std::pair{"dpHoraFin", end}})
        set(e, picker, QTime::fromString(time, time.size() > 5 ? "HH:mm:ss" : "HH:mm"));
    set(e, "txtSala_Junta", room);
    e->Ejecuta_Nuevo();
    e->txtSala_Junta_Consulta();
    set(e, "txtResponsable", who);
    set(e, "txtProposito", purpose);
    e->show();
    return e;
}

}  // namespace testsupport
