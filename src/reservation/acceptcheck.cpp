#include "src/reservation/acceptcheck.h"

#include "src/reservation/reservationrecord.h"

namespace reservation {

namespace {

bool onGrid(const QTime& t) {
    return t.minute() % 30 == 0;
}

QString offGrid(const QString& which) {
    return QStringLiteral("La hora de %1 debe ser en punto o a la media hora (por ejemplo 10:00 o 10:30)").arg(which);
}

}  // namespace

std::optional<Refusal> checkAccept(const AcceptInput& in) {
    // Compared as "hh:nn" texts, so seconds never count.
    const QString s = textoDeHora(in.inicio), e = textoDeHora(in.fin);
    const QString ws = textoDeHora(in.ventanaInicio), we = textoDeHora(in.ventanaFin);
    const struct {
        bool fails;
        QString message;
        const char* identifier;
        const char* focus;
    } checks[] = {
        {in.nombreSala.isEmpty(), QStringLiteral("La sala de junta no es válida o está dada de baja"),
         "ERR-ID:7500001", "txtSala_Junta"},
        {in.nombreCliente.isEmpty() && !in.claveCliente.isEmpty(),
         QStringLiteral("El cliente especificado no es válido"), "ERR-ID:7500002", "txt_Cl_Cve_Cliente"},
        {in.responsable.isEmpty(), QStringLiteral("Debe especificar el responsable"), "ERR-ID:7500003",
         "txtResponsable"},
        {in.proposito.isEmpty(), QStringLiteral("Debe especificar un proposito"), "ERR-ID:7500004", "txtProposito"},
        {s < ws, QStringLiteral("La hora de inicio debe ser mayor o igual a: ") + ws, "ERR-ID:7500005",
         "dpHoraInicio"},
        {e > we, QStringLiteral("La hora de finalización debe ser menor o igual a: ") + we, "ERR-ID:7500006",
         "dpHoraFin"},
        {s == e, QStringLiteral("La hora de inicio no puede ser igual a la hora de finalización"), "ERR-ID:7500007",
         "dpHoraInicio"},
        {s > e, QStringLiteral("La hora de inicio no puede ser mayor a la hora de finalización"), "ERR-ID:7500008",
         "dpHoraInicio"},
        // The calendar shows reservations by half-hour slots: one off the grid
        // would hide in its slot and could be neither opened nor cancelled.
        {!onGrid(in.inicio), offGrid(QStringLiteral("inicio")), "ERR-ID:7500009", "dpHoraInicio"},
        {!onGrid(in.fin), offGrid(QStringLiteral("finalización")), "ERR-ID:7500009", "dpHoraFin"},
    };
    for (const auto& c : checks)
        if (c.fails) return Refusal{c.message, QString::fromLatin1(c.identifier), c.focus};
    return std::nullopt;
}

}  // namespace reservation
