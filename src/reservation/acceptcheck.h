#pragma once

#include <QString>
#include <QTime>
#include <optional>

namespace reservation {

// What the accept command checks before anything is asked of the database.
struct AcceptInput {
    QString nombreSala;     // empty: the room look-up found no active room
    QString claveCliente;   // may be empty
    QString nombreCliente;  // empty with a key: no active client has it
    QString responsable;
    QString proposito;
    QTime inicio, fin;                // only hour and minute count
    QTime ventanaInicio, ventanaFin;  // the day's reservation window
};

// Why the input was refused, and the control that gets the focus.
struct Refusal {
    QString message;
    QString identifier;
    const char* focus;
};

// The first check the input fails, in the order the user is told; nullopt
// when all pass. A text of blanks is not empty.
std::optional<Refusal> checkAccept(const AcceptInput& in);

}  // namespace reservation
