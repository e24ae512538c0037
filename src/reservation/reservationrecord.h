#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>
#include <optional>

#include "platform/ado/connection.h"

namespace reservation {

// One stored reservation row as the editor shows it.
struct Reservacion {
    QString folio;
    QDate fecha;
    QTime inicio;
    QTime fin;
    QString sala;
    QString responsable;
    QString proposito;
    QString cliente;
    // The columns another desktop's change would touch, as read; nullopt
    // where the row holds no value.
    QList<std::pair<QString, std::optional<QString>>> asLoaded;
};

// Reads the reservation with this folio unless it is cancelled. The folio is
// used exactly as given, blanks included. nullopt when there is no such row;
// throws core::Error when the database fails or the row holds a value the
// editor cannot show (an empty column, a time that is not "hh:nn").
std::optional<Reservacion> leerReservacion(const QString& folio);
// The text of the read leerReservacion makes (the folio protected in it).
QString consultaReservacion(const QString& folio);

// A time written "hh:nn", as stored and as the calendar labels its slots,
// with zero seconds; an invalid time for any other text.
QTime horaDeTexto(const QString& hhnn);

// The time of day written "hh:nn" (24-hour, seconds dropped), the form in
// which times are stored and compared: as texts, they sort as the clock does.
QString textoDeHora(const QTime& time);

// The name of the room with this key unless it is retired; empty when there
// is none. Throws core::Error when the look-up fails.
QString nombreSala(const QString& clave);
// The read nombreSala makes for that key.
ado::Statement consultaNombreSala(const QString& clave);

}  // namespace reservation
