#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

#include "src/reservation/reservationstatements.h"

namespace reservation {

// How a save ended when it stored nothing; the database is as it was.
struct SaveRefusal {
    enum class Kind { DayFailed, NothingToStore } kind;
    QString error;  // what the person reads
    bool staleCalendar = false;  // another desktop changed the loaded folio
};

// The one unit that checks and writes reservations: it takes the editor's
// value and owns every reservation statement. Statements that do not wait
// on each other's answers go to the database together, so a save costs a
// few round trips however many days it covers.
class ReservationStore {
public:
    // The current user and the server's current date and time.
    static Stamp currentStamp();

    // The first conflict with a reservation in force of the room on a day of
    // the value's range, as the message the user reads; nullopt when the
    // room is free. Another reservation conflicts when its start or its end
    // lies strictly between the times, so touching reservations never do;
    // a change never conflicts with its own folio. Throws core::Error when
    // the database fails.
    static std::optional<QString> findOverlap(const TypedReservation& r, bool esNuevo);

    // In one transaction: the responsible person remembered, then one row
    // per working day of the range, each new one under a fresh folio; a
    // change keeps its folio on its own day and books each further day as a
    // new reservation. nullopt once committed; else why nothing was stored.
    // Throws core::Error, with nothing stored, on any other failure.
    static std::optional<SaveRefusal> save(const TypedReservation& r, bool esNuevo);

    // Writes one day inside the caller's transaction: a new row under a
    // fresh folio, or the loaded folio's row rewritten while it is in force
    // and still as loaded. Nothing on a non-working day; stored says whether
    // a row was written. nullopt when done, else why not.
    static std::optional<QString> writeDay(bool esNuevo, const QDate& fecha, const Stamp& stamp,
                                           const TypedReservation& r, bool& stored);

    // Makes sure the name is in the catalogue of responsible persons,
    // creating the catalogue when missing. Silent: a failure leaves the
    // caller's transaction usable and the name out of the catalogue.
    static void registerResponsible(const QString& valor);

    // Cancels the reservation and logs the cancellation, in one transaction.
    // False, with nothing changed, when it is no longer in force; throws
    // core::Error with nothing changed when any step fails.
    static bool cancel(const QString& folio, const Stamp& stamp);

    // What a person reads when a change or a cancellation finds the row gone.
    static QString changedElsewhere(const QString& folio);
    static QString cancelledElsewhere(const QString& folio);

private:
    static void completeCatalogue(bool headerMissing, bool entryMissing, const Stamp& stamp, const QString& valor);
    static std::optional<SaveRefusal> writeDays(const TypedReservation& r, bool esNuevo, const Stamp& stamp,
                                                const QList<QDate>& days);
};

}  // namespace reservation
