#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace reservation {

// The values a person typed that every day of a save writes.
struct TypedReservation {
    QString folio;  // the loaded reservation's; unused for a new one
    QString sala;
    QString cliente;
    QString responsable;
    QString proposito;
    // The loaded row's columns as read (nullopt: no value); a change writes
    // only while the row still holds them.
    QList<std::pair<QString, std::optional<QString>>> asLoaded{};
};

// Who writes and when, taken once for a whole save or cancellation.
struct Stamp {
    QString usuario;
    QString fecha;  // the server's date and time as the audit columns hold it
};

// The current user and the server's current date and time.
Stamp currentStamp();

// The times of a save, "hh:nn", and the days it covers.
struct Span {
    QDate first, last;
    QString horaInicial, horaFinal;
};

// The first conflict with a reservation in force of the room on a day of
// the span, as the message the user reads; nullopt when the room is free.
// Another reservation conflicts when its start or its end lies strictly
// between the span's times, so touching reservations never do. exceptFolio:
// the reservation being changed, which never conflicts with itself.
// Throws core::Error when the database fails.
std::optional<QString> findOverlap(const QString& sala, const Span& span, const std::optional<QString>& exceptFolio);

// Writes one day of a reservation: a new row under a fresh folio, or the
// loaded folio's row rewritten while it is in force and still as loaded.
// Nothing is written on a non-working day; stored says whether a row was.
// nullopt when done; why not when another desktop changed or cancelled the
// loaded folio meanwhile, or the host's explanation when the row cannot be
// found afterwards. Throws core::Error on any other failure. Runs inside the
// caller's transaction.
std::optional<QString> writeDay(bool esNuevo, const QDate& fecha, const QString& horaInicial,
                                const QString& horaFinal, const Stamp& stamp, const TypedReservation& typed,
                                bool& stored);

// Makes sure the name is in the catalogue of responsible persons, creating
// the catalogue when missing. Silent: a failure leaves the caller's
// transaction usable and the name out of the catalogue.
void registerResponsible(const QString& valor);

// Cancels the reservation and logs the cancellation, in one transaction.
// False, with nothing changed, when it is no longer in force (another
// desktop cancelled it first); throws core::Error with nothing changed when
// any step fails.
bool cancelReservation(const QString& folio, const Stamp& stamp);

// What a person reads when a change or a cancellation finds the row gone.
QString changedElsewhere(const QString& folio);
QString cancelledElsewhere(const QString& folio);

}  // namespace reservation
