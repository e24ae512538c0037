#include "src/reservation/frmreservacion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <memory>

#include "platform/component/runtime.h"
#include "platform/core/error.h"
#include "platform/core/fonts.h"
#include "platform/core/units.h"
#include "platform/richtext/richtextbox.h"
#include "src/reservation/acceptcheck.h"
#include "src/reservation/editorcontrols.h"
#include "src/reservation/readsahead.h"
#include "src/reservation/reservationrecord.h"
#include "src/reservation/reservationstore.h"
#include "src/shell/hostcontrols.h"
#include "src/shell/icolorscheme.h"
#include "src/shell/iconsultaregistro.h"
#include "src/shell/idatepicker.h"
#include "src/shell/itextbox.h"
#include "src/shell/itoolbar.h"
#include "src/shell/publico.h"
#include "src/shell/report.h"

namespace reservation {

using shell::HostControls;
using shell::Publico;

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kQuintasistema = QStringLiteral("Quintasistema");
const QString kAceptarTitle = QStringLiteral("Controles_Aceptar()");
constexpr int kVbEscape = 27;

QPointer<frmReservacion>& shared() {
    static QPointer<frmReservacion> editor;
    return editor;
}

shell::ITextBox* box(QWidget* w) {
    return EditorControls::box(w);
}

shell::IDatePicker* picker(QWidget* w) {
    return EditorControls::picker(w);
}

}  // namespace

frmReservacion* frmReservacion::instance(QWidget* owner) {
    if (!shared()) shared() = new frmReservacion(owner);
    return shared();
}

bool frmReservacion::exists() {
    return !shared().isNull();
}

void frmReservacion::Unload() {
    delete shared().data();
}

frmReservacion::frmReservacion(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmReservacion"));
    setFont(core::designFont(QStringLiteral("Franklin Gothic Medium"), 8.25));
    resize(core::twipsToPixels(kFormWidthTwips), core::twipsToPixels(kFormHeightTwips));
    buildEditor(this);
    ui_ = EditorControls::find(this);
    connectEvents();
    // The toolbar carries the editor's title; the window shows the same.
    setWindowTitle(ui_.controles->property("caption").toString());
}

frmReservacion::~frmReservacion() = default;

void frmReservacion::connectEvents() {
    const std::pair<const char*, const char*> actions[] = {
        {SIGNAL(Nuevo()), SLOT(Controles_Nuevo())},         {SIGNAL(Modificar()), SLOT(Controles_Modificar())},
        {SIGNAL(Consultar()), SLOT(Controles_Consultar())}, {SIGNAL(Salir()), SLOT(Controles_Salir())},
        {SIGNAL(Cerrar()), SLOT(Controles_Cerrar())},       {SIGNAL(Cancelar()), SLOT(Controles_Cancelar())},
        {SIGNAL(Eliminar()), SLOT(Controles_Eliminar())},   {SIGNAL(Aceptar(bool)), SLOT(Controles_Aceptar(bool))}};
    for (const auto& [signal, slot] : actions) HostControls::connectEvent(ui_.controles, signal, this, slot);
    HostControls::connectEvent(ui_.txtSala_Junta, SIGNAL(Consulta()), this, SLOT(txtSala_Junta_Consulta()));
    // The client's name always belongs to the key shown: a person's edit of
    // the key takes the old name away until the key is looked up.
    if (auto* key = ui_.txt_Cl_Cve_Cliente->findChild<QLineEdit*>())
        connect(key, &QLineEdit::textEdited, this, [this] {
            clientKeyEdited_ = true;
            box(ui_.txt_Cl_Descripcion)->setText(QString());
        });
    // The form sees every key before its controls do.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
    installEventFilter(this);
}

bool frmReservacion::fail(const QString& label, const QString& description) {
    error_ = label + kCrLf + description;
    return false;
}

// ---- lifecycle ----

void frmReservacion::enter(EditorState state) {
    const StateEntry& e = stateEntry(state);
    ui_.txtFolio->setEnabled(resolveEnable(e.folio, ui_.txtFolio->isEnabled(), chfefin_));
    ui_.dpHoraInicio->setEnabled(resolveEnable(e.times, ui_.dpHoraInicio->isEnabled(), chfefin_));
    ui_.dpHoraFin->setEnabled(resolveEnable(e.times, ui_.dpHoraFin->isEnabled(), chfefin_));
    ui_.dpFechaF->setEnabled(resolveEnable(e.endDate, ui_.dpFechaF->isEnabled(), chfefin_));
    if (e.endDateJoinsGroup && chfefin_) ui_.dpFechaF->setProperty("Tag", QStringLiteral("1"));
    shell::IFunciones& funciones = *Publico::Funciones();
    for (const QString& group : e.clearGroups) funciones.LimpiarControles(this, group);
    if (!e.enableGroup.isEmpty()) funciones.HabilitarControles(this, e.enableGroup);
    if (e.toolbar) {
        ui_.toolbar->setNuevoHabilitado(e.toolbar->nuevo);
        ui_.toolbar->setModificarHabilitado(e.toolbar->modificar);
        ui_.toolbar->setEliminarHabilitado(e.toolbar->eliminar);
        ui_.toolbar->setImprimirHabilitado(e.toolbar->quinto);
        ui_.toolbar->setConsultarHabilitado(e.toolbar->cuarto);
    }
    if (e.toolbarFlag) ui_.toolbar->setBandera(*e.toolbarFlag);
    if (e.nuevo) nuevo_ = *e.nuevo;
    if (e.ok) ok_ = *e.ok;
    // The calendar repaints when the editor leaves after another desktop's change.
    if (e.hides && calendarStale_) ok_ = true;
    if (e.hides) hide();
}

void frmReservacion::Load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void frmReservacion::Form_Load() {
    HostControls::as<shell::IColorScheme>(ui_.colorQNT)->Aplicar();
    box(ui_.txtFolio)->setText(QString());
    const QDate today = Publico::Funciones()->FechaServidor().date();
    picker(ui_.dpFechaI)->setDay(today);
    picker(ui_.dpFechaF)->setDay(today);
    enter(EditorState::Empty);
    box(ui_.txt_Cl_Cve_Cliente)
        ->setFormatoClave(
            Publico::Sistema()->LeerParametro(ReadsAhead::kFormatoCliente, 0, QStringLiteral("T"), QString()));
    box(ui_.txtResponsable)->setCondicionConsulta(QStringLiteral(" Tg_Cve_Tabla_General = 'SALA_JUNTA_RESPONSABLE' "));
}

void frmReservacion::Form_Activate() {
    ui_.toolbar->Activar(false);
    // Later activations (a message box closed, a window switch) keep the
    // focus where a refusal or the person put it.
    if (focusPlaced_) return;
    focusPlaced_ = true;
    if (ui_.dpHoraInicio->isEnabled())
        ui_.dpHoraInicio->setFocus();
    else if (ui_.txtResponsable->isEnabled())
        ui_.txtResponsable->setFocus();
}

// Esc leaves in every state, a new or changed reservation unsaved.
void frmReservacion::Form_KeyUp(int KeyCode, int) {
    if (KeyCode == kVbEscape) enter(EditorState::Hidden);
}

void frmReservacion::Ejecuta_Nuevo() {
    ui_.toolbar->EjecutarNuevo();  // raises Nuevo, handled by Controles_Nuevo, before it returns
    nuevo_ = true;
    QCoreApplication::processEvents();
}

void frmReservacion::Controles_Nuevo() {
    enter(EditorState::New);
    QCoreApplication::processEvents();
}

void frmReservacion::Controles_Modificar() {
    enter(EditorState::Editing);
}

void frmReservacion::Controles_Consultar() {
    try {
        std::unique_ptr<QObject> object(component::Runtime::instance().createObject(Publico::kConsultaRegistroClass));
        auto* consulta = qobject_cast<shell::IConsultaRegistro*>(object.get());
        if (!consulta)
            throw core::Error(QStringLiteral("La clase %1 del anfitrión no ofrece la interfaz esperada.")
                                  .arg(Publico::kConsultaRegistroClass));
        consulta->Mostrar(QStringLiteral("Reservacion_Sala_Junta"), QStringLiteral("Rsj_Folio"),
                          box(ui_.txtFolio)->ValorClave(), QString(), QString(), QString(), QString());
    } catch (const std::exception& e) {
        shell::report(this, core::describe(e), shell::kCritical, kQuintasistema, QStringLiteral("ERR-ID:7500015"));
    }
}

void frmReservacion::Controles_Salir() {
    enter(EditorState::Hidden);
}

void frmReservacion::Controles_Cerrar() {
    enter(EditorState::Hidden);
}

void frmReservacion::Controles_Cancelar() {
    ok_ = false;
    enter(EditorState::Hidden);
}

void frmReservacion::txtSala_Junta_Consulta() {
    box(ui_.txtNSalaJunta)->setText(nombreSala(box(ui_.txtSala_Junta)->Text()));
}

// ---- saving and cancelling ----

// The fields are read once; the checks, then the store, work on that value.
void frmReservacion::Controles_Aceptar(bool EsNuevo) {
    try {
        if (!confirmClientKey())
            return refuse(QString(), shell::kExclamation, kQuintasistema, QString(), ui_.txt_Cl_Cve_Cliente);
        const TypedReservation value = typed();
        const AcceptInput input{box(ui_.txtNSalaJunta)->Text(), value.cliente, box(ui_.txt_Cl_Descripcion)->Text(),
                                value.responsable,           value.proposito,
                                picker(ui_.dpHoraInicio)->TimeOfDay(), picker(ui_.dpHoraFin)->TimeOfDay(),
                                iHoraI_,                     iHoraF_};
        if (const auto refusal = checkAccept(input))
            return refuse(refusal->message, shell::kExclamation, kQuintasistema, refusal->identifier,
                          findChild<QWidget*>(QString::fromLatin1(refusal->focus)));
        if (!checkFree(value, EsNuevo))
            return refuse(error_, shell::kExclamation, kAceptarTitle, QStringLiteral("ERR-ID:7500010"), ui_.dpFechaI);
        if (const std::optional<SaveRefusal> refused = ReservationStore::save(value, EsNuevo)) {
            error_ = refused->error;
            calendarStale_ = calendarStale_ || refused->staleCalendar;
            if (refused->kind == SaveRefusal::Kind::NothingToStore)
                return refuse(error_, shell::kExclamation, kAceptarTitle, QStringLiteral("ERR-ID:7500030"), ui_.dpFechaF);
            const bool oneDay = value.first == value.last;
            return refuse(error_, shell::kCritical, kAceptarTitle,
                          oneDay ? QStringLiteral("ERR-ID:7500012") : QStringLiteral("ERR-ID:7500011"), nullptr);
        }
    } catch (const std::exception& e) {
        // The transaction, if begun, was rolled back on the way here.
        return refuse(core::describe(e), shell::kCritical, kAceptarTitle, QStringLiteral("ERR-ID:7500013"), nullptr);
    }
    ok_ = true;
    ui_.toolbar->ConfirmaAceptar();
    Controles_Salir();
}

// A key typed without Enter has not been looked up yet: its name box is
// empty (an edit empties it), so look it up now, padded as Enter would.
// False when the look-up failed: the box has told the person why.
bool frmReservacion::confirmClientKey() {
    shell::ITextBox* key = box(ui_.txt_Cl_Cve_Cliente);
    if (!clientKeyEdited_ || key->Text().isEmpty() || !box(ui_.txt_Cl_Descripcion)->Text().isEmpty()) return true;
    QMetaObject::invokeMethod(ui_.txt_Cl_Cve_Cliente, "ConfirmarClave");
    clientKeyEdited_ = key->ValorClave() != key->Text();
    return !clientKeyEdited_;
}

void frmReservacion::refuse(const QString& message, int style, const QString& title, const QString& identifier,
                            QWidget* focus) {
    // A check that found nothing to say (no message) still refuses, quietly.
    if (!message.isEmpty()) shell::report(this, message, style, title, identifier);
    if (focus && focus->isEnabled()) focus->setFocus();
    ui_.toolbar->RechazaAceptar();
}

TypedReservation frmReservacion::typed() const {
    return ui_.read(asLoaded_);
}

bool frmReservacion::checkFree(const TypedReservation& value, bool esNuevo) {
    try {
        const std::optional<QString> conflict = ReservationStore::findOverlap(value, esNuevo);
        if (!conflict) return true;
        error_ = *conflict;
        return false;
    } catch (const std::exception& e) {
        return fail(QStringLiteral("Valida_Disponibilidad()"), core::describe(e));
    }
}

bool frmReservacion::Valida_Disponibilidad(bool EsNuevo) {
    return checkFree(typed(), EsNuevo);
}

bool frmReservacion::Add_Reservacion(bool EsNuevo, const QDate& Fecha, const QString& HoraInicial,
                                     const QString& HoraFinal, const QString& Usuario,
                                     const QString& FechaModificacion) {
    const QString label = QStringLiteral("Add_Reservacion()");
    try {
        TypedReservation value = typed();
        std::tie(value.horaInicial, value.horaFinal) = std::pair(HoraInicial, HoraFinal);
        bool stored = false;
        const auto unconfirmed = ReservationStore::writeDay(EsNuevo, Fecha, {Usuario, FechaModificacion}, value, stored);
        return unconfirmed ? fail(label, *unconfirmed) : true;
    } catch (const std::exception& e) {
        return fail(label, core::describe(e));
    }
}

void frmReservacion::GetResponsable(const QString& Valor) {
    ReservationStore::registerResponsible(Valor);
}

void frmReservacion::Controles_Eliminar() {
    const QString title = QStringLiteral("Controles_Eliminar()"), id = QStringLiteral("ERR-ID:7500014");
    const QString folio = box(ui_.txtFolio)->Text();
    try {
        if (!ReservationStore::cancel(folio, ReservationStore::currentStamp())) {
            // The first cancellation's stamps stay; the calendar still shows it.
            calendarStale_ = true;
            shell::report(this, ReservationStore::cancelledElsewhere(folio), shell::kExclamation, title, id);
            return;
        }
    } catch (const std::exception& e) {
        shell::report(this, core::describe(e), shell::kCritical, title, id);
        return;
    }
    Controles_Salir();
    ok_ = true;
}

// ---- loading ----

bool frmReservacion::Cargar(const QString& Folio) {
    const QString label = QStringLiteral("Cargar()");
    try {
        if (Folio.trimmed().isEmpty())
            return fail(label, QStringLiteral("No se especificó el folio de la reservación"));
        const std::optional<Reservacion> stored = leerReservacion(Folio);
        if (!stored) return fail(label, QStringLiteral("la reservación no existe o esta cancelada"));
        ui_.show(*stored);
        asLoaded_ = stored->asLoaded;
        enter(EditorState::Loaded);
        QCoreApplication::processEvents();
        return true;
    } catch (const std::exception& e) {
        return fail(label, core::describe(e));
    }
}

// ---- window events ----

bool frmReservacion::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        // Once per key: where it lands first, the focused control, or the
        // form itself when nothing inside has the focus.
        QWidget* focus = QApplication::focusWidget();
        const bool first = watched == focus || (watched == this && (!focus || !isAncestorOf(focus)));
        auto* key = static_cast<QKeyEvent*>(event);
        if (first && !key->isAutoRepeat())
            Form_KeyUp(key->key() == Qt::Key_Escape ? kVbEscape : key->key(), static_cast<int>(key->modifiers()));
    }
    return QDialog::eventFilter(watched, event);
}

void frmReservacion::keyPressEvent(QKeyEvent* event) {
    // A dialog would close on Esc when it is pressed; this one decides when
    // the key is released, and only while no action is under way.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmReservacion::closeEvent(QCloseEvent* event) {
    event->ignore();
    Controles_Cerrar();
}

void frmReservacion::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    focusPlaced_ = false;
    Form_Activate();
}

void frmReservacion::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmReservacion::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

void frmReservacion::Form_Resize() {
    geometry_ = fitEditor(geometry_, static_cast<float>(core::pixelsToTwips(width())),
                          static_cast<float>(core::pixelsToTwips(height())));
    ui_.txtResponsable->resize(core::twipsToPixels(geometry_.responsableWidth), ui_.txtResponsable->height());
    ui_.txtProposito->resize(core::twipsToPixels(geometry_.propositoWidth),
                          core::twipsToPixels(geometry_.propositoHeight));
}

}  // namespace reservation
