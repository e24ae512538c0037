#include "src/calendar/editoropening.h"

#include <QPointer>

#include "platform/core/error.h"
#include "src/reservation/frmreservacion.h"
#include "src/reservation/readsahead.h"
#include "src/reservation/reservationrecord.h"
#include "src/shell/hostcontrols.h"
#include "src/shell/idatepicker.h"
#include "src/shell/itextbox.h"
#include "src/shell/itoolbar.h"

namespace calendar {

using reservation::frmReservacion;
using reservation::ReadsAhead;
using shell::HostControls;

namespace {

// The editor leaves memory on every way out of an opening, a failure too,
// so no half-filled editor stays behind.
struct UnloadOnExit {
    ~UnloadOnExit() { frmReservacion::Unload(); }
};

template <typename Interface>
Interface* part(frmReservacion* editor, const char* name) {
    return HostControls::as<Interface>(editor->findChild<QObject*>(QString::fromLatin1(name)));
}

frmReservacion* loadEditor(const EditorHandoff& h) {
    frmReservacion* editor = frmReservacion::instance(h.owner);
    editor->Load();
    editor->setPadre(h.padre);
    return editor;
}

void handOver(frmReservacion* editor, const EditorHandoff& h) {
    editor->setiHoraI(h.horaInicio);
    editor->setiHoraF(h.horaFin);
    editor->setCHFEFIN(h.chfefin);
}

// Shows the editor modally; the owner may go away meanwhile, and the editor
// with it.
EditorOutcome showModally(frmReservacion* editor) {
    QPointer<frmReservacion> alive(editor);
    editor->exec();
    return {true, alive && alive->OK(), {}};
}

}  // namespace

int slotEndRow(int row, int rows) {
    return row < rows - 1 ? row + 1 : row;
}

QTime slotTime(const QString& label) {
    const QTime t = reservation::horaDeTexto(label);
    if (!t.isValid()) throw core::Error(QStringLiteral("La fila \"%1\" no es una hora del día.").arg(label));
    return t;
}

// The editor's load reads, then the room's name, travel together.
EditorOutcome openOnFreeSlot(const EditorHandoff& handoff, const FreeSlot& slot) {
    UnloadOnExit unload;
    frmReservacion* editor = nullptr;
    {
        const ReadsAhead reads(ReadsAhead::editorLoad({reservation::consultaNombreSala(slot.room)}));
        editor = loadEditor(handoff);
        part<shell::IToolbar>(editor, "Controles")->setBandera(false);
        handOver(editor, handoff);
        for (const char* name : {"dpFechaI", "dpFechaF"})
            part<shell::IDatePicker>(editor, name)->setDay(slot.day);
        part<shell::IDatePicker>(editor, "dpHoraInicio")->setTimeOfDay(slot.start);
        part<shell::IDatePicker>(editor, "dpHoraFin")->setTimeOfDay(slot.end);
        part<shell::ITextBox>(editor, "txtSala_Junta")->setText(slot.room);
        editor->Ejecuta_Nuevo();
        // The name goes in after Ejecuta_Nuevo, which empties it.
        editor->txtSala_Junta_Consulta();
    }
    return showModally(editor);
}

// The editor's load reads and the row travel together; the names follow.
EditorOutcome openOnFolio(const EditorHandoff& handoff, const QString& folio) {
    UnloadOnExit unload;
    frmReservacion* editor = nullptr;
    {
        std::vector<ado::Statement> row;
        if (!folio.trimmed().isEmpty()) row.push_back({reservation::consultaReservacion(folio)});
        const ReadsAhead reads(ReadsAhead::editorLoad(row));
        editor = loadEditor(handoff);
        handOver(editor, handoff);
        if (!editor->Cargar(folio)) return {false, false, editor->Error()};
    }
    return showModally(editor);
}

}  // namespace calendar
