#include "src/reservation/editorcontrols.h"

#include "platform/core/error.h"
#include "platform/richtext/richtextbox.h"
#include "src/reservation/readsahead.h"
#include "src/reservation/reservationrecord.h"
#include "src/reservation/reservationstatements.h"
#include "src/shell/hostcontrols.h"
#include "src/shell/idatepicker.h"
#include "src/shell/itextbox.h"
#include "src/shell/itoolbar.h"

namespace reservation {

using shell::HostControls;

EditorControls EditorControls::find(QWidget* form) {
    const auto control = [form](const char* name) {
        auto* w = form->findChild<QWidget*>(QString::fromLatin1(name));
        if (!w) throw core::Error(QStringLiteral("Falta el control %1.").arg(QString::fromLatin1(name)));
        return w;
    };
    EditorControls c;
    c.controles = control("Controles");
    c.toolbar = HostControls::as<shell::IToolbar>(c.controles);
    for (const auto& [slot, name] : {std::pair{&EditorControls::txtFolio, "txtFolio"},
                                     {&EditorControls::dpFechaI, "dpFechaI"},
                                     {&EditorControls::dpHoraInicio, "dpHoraInicio"},
                                     {&EditorControls::dpFechaF, "dpFechaF"},
                                     {&EditorControls::dpHoraFin, "dpHoraFin"},
                                     {&EditorControls::txtSala_Junta, "txtSala_Junta"},
                                     {&EditorControls::txtNSalaJunta, "txtNSalaJunta"},
                                     {&EditorControls::txt_Cl_Cve_Cliente, "txt_Cl_Cve_Cliente"},
                                     {&EditorControls::txt_Cl_Descripcion, "txt_Cl_Descripcion"},
                                     {&EditorControls::txtResponsable, "txtResponsable"}})
        c.*slot = control(name);
    c.txtProposito = qobject_cast<richtext::RichTextBox*>(control("txtProposito"));
    c.colorQNT = form->findChild<QObject*>(QStringLiteral("colorQNT"));
    return c;
}

shell::ITextBox* EditorControls::box(QWidget* w) {
    return HostControls::as<shell::ITextBox>(w);
}

shell::IDatePicker* EditorControls::picker(QWidget* w) {
    return HostControls::as<shell::IDatePicker>(w);
}

TypedReservation EditorControls::read(const QList<std::pair<QString, std::optional<QString>>>& asLoaded) const {
    return {picker(dpFechaI)->Day(),
            picker(dpFechaF)->Day(),
            textoDeHora(picker(dpHoraInicio)->TimeOfDay()),
            textoDeHora(picker(dpHoraFin)->TimeOfDay()),
            box(txtFolio)->Text(),
            box(txtSala_Junta)->Text(),
            box(txt_Cl_Cve_Cliente)->Text(),
            box(txtResponsable)->Text(),
            txtProposito->Text(),
            asLoaded};
}

void EditorControls::show(const Reservacion& r) const {
    box(txtFolio)->setText(r.folio);
    picker(dpFechaI)->setDay(r.fecha);
    picker(dpFechaF)->setDay(r.fecha);
    picker(dpHoraInicio)->setTimeOfDay(r.inicio);
    picker(dpHoraFin)->setTimeOfDay(r.fin);
    box(txtSala_Junta)->setText(r.sala);
    box(txtResponsable)->setText(r.responsable);
    txtProposito->setText(r.proposito);
    box(txt_Cl_Cve_Cliente)->setText(r.cliente);
    // The room's name and the client's, each asked with the key the row holds.
    const ReadsAhead names({consultaNombreSala(r.sala), box(txt_Cl_Cve_Cliente)->ConsultaActual()});
    box(txtNSalaJunta)->setText(nombreSala(r.sala));
    box(txt_Cl_Cve_Cliente)->ActualizarConsulta();
}

}  // namespace reservation
