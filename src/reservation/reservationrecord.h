#pragma once

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

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
};

// Reads the reservation with this folio unless it is cancelled. The folio is
// used exactly as given, blanks included. nullopt when there is no such row;
// throws core::Error when the database fails or the row holds a value the
// editor cannot show (an empty column, a time that is not "hh:nn").
std::optional<Reservacion> leerReservacion(const QString& folio);

}  // namespace reservation
