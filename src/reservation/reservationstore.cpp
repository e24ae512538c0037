#include "src/reservation/reservationstore.h"

#include "platform/ado/savepoint.h"
#include "platform/ado/transaction.h"
#include "platform/core/error.h"
#include "src/shell/publico.h"

namespace reservation {

using shell::Publico;
using S = ReservationStatements;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kAddLabel = QStringLiteral("Add_Reservacion()");
const QString kCatalogue = QStringLiteral("SALA_JUNTA_RESPONSABLE");

ado::Connection& connection() {
    return Publico::Sistema()->Conexion();
}

shell::IFunciones& funciones() {
    return *Publico::Funciones();
}

ado::Recordset run(const ado::Statement& s) {
    return connection().Execute(s.sql, s.params);
}

// The host's look-up finds nothing, or an empty value, alike.
bool missing(const ado::Recordset& lookup) {
    return lookup.Eof() || lookup.Fields(0).Value.toString().isEmpty();
}

QString nothingToStore(const TypedReservation& r, bool ownDay) {
    const QString first = r.first.toString(Qt::ISODate), last = r.last.toString(Qt::ISODate);
    if (ownDay)
        return QStringLiteral("El %1 ya no es día hábil: la reservación no se puede cambiar; no se guardó nada.")
            .arg(first);
    if (r.last < r.first)
        return QStringLiteral("La fecha final (%1) es anterior a la inicial (%2): no hay ninguna reservación que "
                              "guardar; no se guardó nada.")
            .arg(last, first);
    return QStringLiteral("Ningún día del %1 al %2 es hábil: no hay ninguna reservación que guardar; no se guardó "
                          "nada.")
        .arg(first, last);
}

SaveRefusal dayFailed(const QString& why, bool stale = false) {
    return {SaveRefusal::Kind::DayFailed, kAddLabel + kCrLf + why, stale};
}

// Each catalogue step keeps what it wrote even when a later one fails.
void ensureCatalogueHeader(const Stamp& stamp) {
    ado::Savepoint step(connection());
    if (missing(run(S::catalogueHeaderLookup()))) run(S::catalogueHeader(stamp));
    step.release();
}

void ensureCatalogueEntry(const QString& valor, bool lookUp) {
    ado::Savepoint step(connection());
    if (!lookUp || missing(run(S::catalogueEntryLookup(valor)))) {
        const QString n = funciones().ObtenerConsecutivoDetalle(QStringLiteral("Tabla_General_Detalle"),
                                                                QStringLiteral("Tgd_ID"),
                                                                QStringLiteral("Tg_Cve_Tabla_General"), kCatalogue);
        bool number = false;
        const qint64 value = n.toLongLong(&number);
        if (!number) throw core::Error(QStringLiteral("El anfitrión dio un número no válido: \"%1\".").arg(n));
        run(S::catalogueEntry(S::padded(value, 4), valor));
    }
    step.release();
}

}  // namespace

Stamp ReservationStore::currentStamp() {
    const QString fecha = funciones().FormatoFechaHoraSQL(funciones().FechaServidor());
    return {Publico::Sistema()->ObtenerUsuario(), fecha};
}

std::optional<QString> ReservationStore::findOverlap(const TypedReservation& r, bool esNuevo) {
    const std::optional<QString> own = esNuevo ? std::nullopt : std::optional(r.folio);
    std::vector<ado::Statement> questions;
    QStringList days;
    for (QDate day = r.first; day <= r.last; day = day.addDays(1)) {
        days << funciones().FormatoFechaSQL(day);
        for (const char* column : {"Rsj_Inicio", "Rsj_Fin"})
            questions.push_back(S::overlap(QString::fromLatin1(column), days.back(), r, own));
    }
    const ado::BatchAnswer answer = connection().ExecuteBatch(questions);
    // The first conflict in the order asked, even when a later question failed.
    for (std::size_t i = 0; i < answer.results.size(); ++i)
        if (!answer.results[i].Eof())
            return QStringLiteral("ya existe una reservación para la fecha ") + days[static_cast<qsizetype>(i / 2)] +
                   QStringLiteral(" y hora ") + (i % 2 ? r.horaFinal : r.horaInicial) +
                   QStringLiteral(" para la sala de junta ") + r.sala;
    if (answer.failure) throw *answer.failure;
    return std::nullopt;
}

std::optional<SaveRefusal> ReservationStore::save(const TypedReservation& r, bool esNuevo) {
    ado::Connection& c = connection();
    shell::IFunciones& f = funciones();
    // Together, inside the transaction: the server's date, the range's
    // non-working days and the catalogue's two look-ups, each in a step.
    const std::vector<ado::Statement> reads{f.ConsultaFechaServidor(),
                                            f.ConsultaDiasInhabiles(r.first, std::max(r.first, r.last)),
                                            {ado::Savepoint::kMark},
                                            S::catalogueHeaderLookup(),
                                            {ado::Savepoint::kRelease},
                                            {ado::Savepoint::kMark},
                                            S::catalogueEntryLookup(r.responsable),
                                            {ado::Savepoint::kRelease}};
    const ado::BatchAnswer answer = c.ExecuteBatch(reads, 0);
    const std::size_t answered = answer.results.size();
    constexpr std::size_t kCatalogueFrom = 2, kHeader = 3, kEntry = 6;
    if (answer.failure && answered < kCatalogueFrom) {
        if (c.InTransaction()) c.RollbackTrans();
        throw *answer.failure;
    }
    // The catalogue is silent about its failures; one that ended the whole
    // transaction (SQLite does on a full disk) must not let the days be
    // written one by one outside it.
    if (!c.InTransaction())
        throw core::Error(QStringLiteral("La transacción terminó antes de tiempo; no se guardó nada."));
    ado::Transaction transaction = ado::Transaction::adopt(c);
    const Stamp stamp{Publico::Sistema()->ObtenerUsuario(),
                      f.FormatoFechaHoraSQL(f.LeerFechaServidor(answer.results[0]))};
    const QList<QDate> closed = f.LeerDiasInhabiles(r.first, std::max(r.first, r.last), answer.results[1]);
    // A step that failed is undone as its guard would; one never marked has
    // nothing to undo.
    if (answer.failure && reads[answered].sql != ado::Savepoint::kMark) ado::Savepoint::undo(c);
    completeCatalogue(answered > kHeader && missing(answer.results[kHeader]),
                      !answer.failure && missing(answer.results[kEntry]), stamp, r.responsable);
    if (!c.InTransaction())
        throw core::Error(QStringLiteral("La transacción terminó antes de tiempo; no se guardó nada."));
    QList<QDate> days;
    for (QDate day = r.first; day <= r.last; day = day.addDays(1))
        if (!closed.contains(day)) days << day;
    // Saying "saved" with no reservation stored would mislead; the rollback
    // takes the catalogue's entry with it.
    const bool ownDayClosed = !esNuevo && (days.isEmpty() || days.front() != r.first);
    if (days.isEmpty() || ownDayClosed)
        return SaveRefusal{SaveRefusal::Kind::NothingToStore, nothingToStore(r, !days.isEmpty()), false};
    if (const auto refused = writeDays(r, esNuevo, stamp, days)) return refused;
    transaction.commit();
    return std::nullopt;
}

void ReservationStore::completeCatalogue(bool headerMissing, bool entryMissing, const Stamp& stamp,
                                         const QString& valor) {
    try {
        if (headerMissing) {
            ado::Savepoint step(connection());
            run(S::catalogueHeader(stamp));
            step.release();
        }
        if (entryMissing) ensureCatalogueEntry(valor, false);
    } catch (const std::exception&) {
        // Silent, as the catalogue always is.
    }
}

// Every working day's write and its confirmation together, under folios
// reserved with one raise of the counter.
std::optional<SaveRefusal> ReservationStore::writeDays(const TypedReservation& r, bool esNuevo, const Stamp& stamp,
                                                       const QList<QDate>& days) {
    shell::IFunciones& f = funciones();
    const int fresh = static_cast<int>(days.size()) - (esNuevo ? 0 : 1);
    qint64 next = 0;
    try {
        if (fresh > 0) next = f.ObtenerConsecutivos(S::kTable, S::kFolioColumn, fresh);
    } catch (const core::Error& e) {
        return dayFailed(e.description());  // the folio belongs to the day's write
    }
    std::vector<ado::Statement> writes;
    QStringList folios;
    for (const QDate& day : days) {
        const bool own = !esNuevo && day == r.first;
        folios << (own ? r.folio : S::padded(next++, 10));
        const QString fechaTexto = f.FormatoFechaSQL(day);
        writes.push_back(own ? S::update(fechaTexto, stamp, r) : S::insert(folios.back(), fechaTexto, stamp, r));
        writes.push_back(S::confirm(folios.back()));
    }
    const ado::BatchAnswer answer = connection().ExecuteBatch(writes);
    for (qsizetype day = 0; day < folios.size(); ++day) {
        const std::size_t write = static_cast<std::size_t>(2 * day);
        if (write >= answer.results.size()) return dayFailed(answer.failure->description());
        if (!esNuevo && day == 0 && answer.results[write].Eof()) return dayFailed(changedElsewhere(r.folio), true);
        if (write + 1 >= answer.results.size()) return dayFailed(answer.failure->description());
        // The host explains a write it cannot find afterwards.
        if (answer.results[write + 1].Fields(0).Value.toLongLong() == 0 &&
            !f.ConfirmarRegistro(S::kTable, S::kFolioColumn, folios[day]))
            return dayFailed(f.ObtenerMensajeError());
    }
    return std::nullopt;
}

std::optional<QString> ReservationStore::writeDay(bool esNuevo, const QDate& fecha, const Stamp& stamp,
                                                  const TypedReservation& r, bool& stored) {
    shell::IFunciones& f = funciones();
    stored = false;
    if (f.EsDiaInhabil(fecha)) return std::nullopt;
    const QString fechaTexto = f.FormatoFechaSQL(fecha);
    QString folio = r.folio;
    if (esNuevo) {
        folio = S::padded(f.ObtenerConsecutivo(S::kTable, S::kFolioColumn), 10);
        run(S::insert(folio, fechaTexto, stamp, r));
    } else if (run(S::update(fechaTexto, stamp, r)).Eof()) {
        return changedElsewhere(folio);
    }
    stored = true;
    if (f.ConfirmarRegistro(S::kTable, S::kFolioColumn, folio)) return std::nullopt;
    return f.ObtenerMensajeError();
}

void ReservationStore::registerResponsible(const QString& valor) {
    try {
        ensureCatalogueHeader(currentStamp());
        ensureCatalogueEntry(valor, true);
    } catch (const std::exception&) {
        // Remembering the name is a convenience; the reservation is saved anyway.
    }
}

bool ReservationStore::cancel(const QString& folio, const Stamp& stamp) {
    ado::Connection& c = connection();
    // The log's record goes with the change; when the change finds the row
    // no longer in force, the rollback takes the record back.
    const ado::BatchAnswer answer = c.ExecuteBatch(
        {S::cancel(folio, stamp), funciones().SentenciaMovimiento(QStringLiteral("RESERVACION_SALA_JUNTA"), folio,
                                                                  QStringLiteral("CANCELACION"))},
        0);
    if (answer.failure) {
        if (c.InTransaction()) c.RollbackTrans();
        throw *answer.failure;
    }
    ado::Transaction transaction = ado::Transaction::adopt(c);
    if (answer.results[0].Eof()) return false;
    transaction.commit();
    return true;
}

QString ReservationStore::changedElsewhere(const QString& folio) {
    return QStringLiteral("Otro escritorio cambió o canceló la reservación %1 después de que se abrió aquí; no se "
                          "guardó nada. Ciérrela y ábrala de nuevo para ver cómo quedó.")
        .arg(folio);
}

QString ReservationStore::cancelledElsewhere(const QString& folio) {
    return QStringLiteral("La reservación %1 ya estaba cancelada: otro escritorio la canceló antes; no se cambió nada.")
        .arg(folio);
}

}  // namespace reservation
