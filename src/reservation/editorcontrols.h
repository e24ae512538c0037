#pragma once

#include <QList>
#include <QString>
#include <optional>

class QObject;
class QWidget;

namespace richtext {
class RichTextBox;
}
namespace shell {
class IDatePicker;
class ITextBox;
class IToolbar;
}  // namespace shell

namespace reservation {

struct Reservacion;
struct TypedReservation;

// The editor's controls, found by their names, and what moves between them
// and a reservation: the value a save works on, read once, and a stored
// reservation shown.
struct EditorControls {
    QWidget* controles = nullptr;
    shell::IToolbar* toolbar = nullptr;
    QWidget* txtFolio = nullptr;
    QWidget* dpFechaI = nullptr;
    QWidget* dpHoraInicio = nullptr;
    QWidget* dpFechaF = nullptr;
    QWidget* dpHoraFin = nullptr;
    QWidget* txtSala_Junta = nullptr;
    QWidget* txtNSalaJunta = nullptr;
    QWidget* txt_Cl_Cve_Cliente = nullptr;
    QWidget* txt_Cl_Descripcion = nullptr;
    QWidget* txtResponsable = nullptr;
    richtext::RichTextBox* txtProposito = nullptr;
    QObject* colorQNT = nullptr;

    // Throws core::Error naming the first control the form lacks.
    static EditorControls find(QWidget* form);
    static shell::ITextBox* box(QWidget* w);
    static shell::IDatePicker* picker(QWidget* w);

    TypedReservation read(const QList<std::pair<QString, std::optional<QString>>>& asLoaded) const;
    // The stored values, the room's name looked up beside its key; the
    // client's name comes from the client box's own look-up.
    void show(const Reservacion& r) const;
};

}  // namespace reservation
