#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

#include "platform/ado/connection.h"

namespace reservation {

// The values a person typed that a save writes, read from the editor once:
// the days and times it covers and the texts of every day's row.
struct TypedReservation {
    QDate first, last;
    QString horaInicial, horaFinal;  // "hh:nn"
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

// The reservation statements, every value bound. Each is also left in the
// module's shared statement text, as it is built.
class ReservationStatements {
public:
    static inline const QString kTable = QStringLiteral("Reservacion_Sala_Junta");
    static inline const QString kFolioColumn = QStringLiteral("Rsj_Folio");

    // Does a reservation in force of the room start (column Rsj_Inicio) or
    // end (Rsj_Fin) strictly inside the times on the day?
    static ado::Statement overlap(const QString& column, const QString& fechaTexto, const TypedReservation& r,
                                  const std::optional<QString>& exceptFolio);
    static ado::Statement insert(const QString& folio, const QString& fechaTexto, const Stamp& stamp,
                                 const TypedReservation& r);
    // Rewrites the loaded folio while it is in force and still as loaded;
    // answers with the folio when it did.
    static ado::Statement update(const QString& fechaTexto, const Stamp& stamp, const TypedReservation& r);
    // How many rows hold the folio, as the host confirms a write.
    static ado::Statement confirm(const QString& folio);
    static ado::Statement cancel(const QString& folio, const Stamp& stamp);
    // The responsible-person catalogue: its header and an entry, looked up
    // as the host's look-up does, and created.
    static ado::Statement catalogueHeaderLookup();
    static ado::Statement catalogueEntryLookup(const QString& valor);
    static ado::Statement catalogueHeader(const Stamp& stamp);
    static ado::Statement catalogueEntry(const QString& key, const QString& valor);

    // Zero-padded to width; a longer number keeps all its digits.
    static QString padded(qint64 n, int width);
};

}  // namespace reservation
