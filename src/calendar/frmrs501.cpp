#include "src/calendar/frmrs501.h"

#include <QCoreApplication>
#include <QResizeEvent>

#include "platform/core/error.h"
#include "platform/core/fonts.h"
#include "platform/core/units.h"
#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/calendargrid.h"
#include "src/calendar/editoropening.h"
#include "src/calendar/period.h"
#include "src/calendar/redrawoff.h"
#include "src/calendar/slotspeech.h"
#include "src/reservation/reservationrecord.h"
#include "src/shell/hostcontrols.h"
#include "src/shell/icolorscheme.h"
#include "src/shell/itextbox.h"
#include "src/shell/itoolbar.h"
#include "src/shell/publico.h"
#include "src/shell/report.h"

namespace calendar {

using shell::HostControls;
using shell::kCritical;
using shell::Publico;

namespace {

const QString kModule = QStringLiteral("RS501");

QPointer<frmRS501>& shared() {
    static QPointer<frmRS501> screen;
    return screen;
}

}  // namespace

frmRS501* frmRS501::instance() {
    if (!shared()) shared() = new frmRS501();
    return shared();
}

bool frmRS501::exists() {
    return !shared().isNull();
}

frmRS501::frmRS501() {
    setObjectName(QStringLiteral("frmRS501"));
    setWindowTitle(QStringLiteral("Reservacion"));
    setFont(core::designFont(QStringLiteral("Arial"), 8.25));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, core::fromBgr(0xF5F5F5));
    setPalette(palette);
    resize(core::twipsToPixels(16695), core::twipsToPixels(9345));
    ui_ = CalendarControls::build(this);
    speakGrid(*this, ui_);
    connectEvents();
}

frmRS501::~frmRS501() = default;

void frmRS501::connectEvents() {
    const std::pair<const char*, const char*> buttons[] = {{"cmdAdelante", SLOT(cmdAdelante_Click())},
                                                           {"cmdAtras", SLOT(cmdAtras_Click())},
                                                           {"cmdHoy", SLOT(cmdHoy_Click())},
                                                           {"cmdMes", SLOT(cmdMes_Click())},
                                                           {"cmdSemana", SLOT(cmdSemana_Click())}};
    for (const auto& [name, slot] : buttons)
        HostControls::connectEvent(findChild<QWidget*>(QString::fromLatin1(name)), SIGNAL(Click()), this, slot);
    HostControls::connectEvent(ui_.txtSalaJunta, SIGNAL(Change()), this, SLOT(txtSalaJunta_Change()));
    HostControls::connectEvent(ui_.txtSalaJunta, SIGNAL(Consulta()), this, SLOT(txtSalaJunta_Consulta()));
    HostControls::connectEvent(ui_.controles, SIGNAL(Cerrar()), this, SLOT(Controles_Cerrar()));
    connect(ui_.msfDisponibilidad, &flexgrid::FlexGrid::EnterCell, this, &frmRS501::msfDisponibilidad_EnterCell);
    connect(ui_.msfDisponibilidad, &flexgrid::FlexGrid::DblClick, this, &frmRS501::msfDisponibilidad_DblClick);
}

QVariantList frmRS501::Fechas() const {
    QVariantList out;
    for (const QDate& d : fechas_) out << d;
    return out;
}

// ---- start-up ----

void frmRS501::Load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void frmRS501::Form_Load() {
    const QString label = QStringLiteral("Form_Load()");
    try {
        HostControls::as<shell::IColorScheme>(ui_.colorQNT)->Aplicar();
        shell::ISistema& sistema = *Publico::Sistema();
        // One round trip for the reads below, on a server far away.
        sistema.AnticiparCarga(
            {Window::kParameter, QStringLiteral("CAT_FORZAR_MAYUSCULAS"), QStringLiteral("FTO_SALA_JUNTA")}, kModule,
            QStringLiteral("CHFEFIN"));
        horario_ = sistema.LeerParametro(Window::kParameter, 0, QStringLiteral("T"), Window::kDefault);
        const QString upper = sistema.LeerParametro(QStringLiteral("CAT_FORZAR_MAYUSCULAS"), 0, QString(), QString());
        sistema.ForzarMayusculas(parameterFlag(upper));
        HostControls::as<shell::ITextBox>(ui_.txtSalaJunta)
            ->setFormatoClave(sistema.LeerParametro(QStringLiteral("FTO_SALA_JUNTA"), 0, QStringLiteral("T"),
                                                    QStringLiteral("0000000000")));
        fechaBase_ = Publico::Funciones()->FechaServidor().date();
        const Window window = parseWindow(horario_);
        horaInicio_ = window.start;
        horaFin_ = window.end;
        if (window.malformed)
            trail_.reportText(
                QStringLiteral("El parámetro RS_HORARIO_RESERVACIONES tiene un horario no válido (\"%1\"); "
                               "se usa el horario de 09:00 a 18:30.")
                    .arg(horario_),
                48, label, QStringLiteral("ERR-ID:7500019"));
        chfefin_ = sistema.TienePermiso(kModule, QStringLiteral("CHFEFIN"),
                                        QStringLiteral("Permitir cambiar fecha de finalizacion."));
        // A key written before the load was painted for but never looked up.
        if (!roomKey().isEmpty()) lookUpRoom();
    } catch (const std::exception& e) {
        trail_.reportText(core::describe(e), kCritical, label, QStringLiteral("ERR-ID:7500011"));
        return;
    }
    tipo_ = QStringLiteral("ww");
    if (!ObtenerInicioFin()) {
        trail_.report(kCritical, label, QStringLiteral("ERR-ID:7500011"));
        return;
    }
    if (!CargarCalendario()) trail_.report(kCritical, label, QStringLiteral("ERR-ID:7500012"));
}

// ---- period and navigation ----

bool frmRS501::ObtenerInicioFin(const QDate& fechaBase, QDate& inicio, QDate& fin, const QString& tipo) {
    try {
        periodBounds(fechaBase, tipo, inicio, fin);
        return true;
    } catch (const std::exception& e) {
        return trail_.fail(QStringLiteral("ObtenerInicioFin()"), core::describe(e));
    }
}

bool frmRS501::ObtenerInicioFin() {
    return ObtenerInicioFin(fechaBase_, inicio_, fin_, tipo_);
}

template <typename Change>
void frmRS501::navigate(const QString& label, const QString& periodId, const QString& redrawId, Change change) {
    if (!loaded_) return;
    try {
        change();
    } catch (const std::exception& e) {
        trail_.reportText(core::describe(e), kCritical, label, periodId);
        return;
    }
    if (!ObtenerInicioFin()) {
        trail_.report(kCritical, label, periodId);
        return;
    }
    if (!CargarCalendario()) trail_.report(kCritical, label, redrawId);
}

void frmRS501::cmdAdelante_Click() {
    navigate(QStringLiteral("cmdAdelante_Click()"), QStringLiteral("ERR-ID:7500001"), QStringLiteral("ERR-ID:7500002"),
             [this] { fechaBase_ = moveByInterval(fechaBase_, tipo_, 1); });
}

void frmRS501::cmdAtras_Click() {
    navigate(QStringLiteral("cmdAtras_Click()"), QStringLiteral("ERR-ID:7500003"), QStringLiteral("ERR-ID:7500004"),
             [this] { fechaBase_ = moveByInterval(fechaBase_, tipo_, -1); });
}

void frmRS501::cmdHoy_Click() {
    navigate(QStringLiteral("cmdHoy_Click()"), QStringLiteral("ERR-ID:7500005"), QStringLiteral("ERR-ID:7500006"),
             [this] { fechaBase_ = Publico::Funciones()->FechaServidor().date(); });
}

void frmRS501::cmdMes_Click() {
    navigate(QStringLiteral("cmdMes_Click()"), QStringLiteral("ERR-ID:7500007"), QStringLiteral("ERR-ID:7500008"),
             [this] { tipo_ = QStringLiteral("m"); });
}

void frmRS501::cmdSemana_Click() {
    navigate(QStringLiteral("cmdSemana_Click()"), QStringLiteral("ERR-ID:7500009"), QStringLiteral("ERR-ID:7500010"),
             [this] { tipo_ = QStringLiteral("ww"); });
}

// ---- grid construction ----

QString frmRS501::NombreDia(int dia) {
    return dayName(dia);
}

bool frmRS501::CargarCalendario() {
    const QString label = QStringLiteral("CargarCalendario()");
    try {
        const int days = static_cast<int>(inicio_.daysTo(fin_));
        const int slotRows = slotCount(horaInicio_, horaFin_);
        if (!DibujaCalendario(days, slotRows)) return trail_.failAfter(label);
        if (!Encabezados(days)) return trail_.failAfter(label);
        if (!Disponibilidad(roomKey())) return trail_.failAfter(label);
        return true;
    } catch (const std::exception& e) {
        return trail_.fail(label, core::describe(e));
    }
}

bool frmRS501::DibujaCalendario(int columnas, int renglones) {
    trail_.clear();
    // Where the person was, unless a painting under way walks the cell about.
    if (ui_.msfDisponibilidad->Redraw()) place_ = currentPlace(*ui_.msfDisponibilidad, fechas_);
    try {
        shapeGrid(*ui_.msfDisponibilidad, columnas, renglones);
        ++generation_;
        return true;
    } catch (const std::exception& e) {
        return trail_.fail(QStringLiteral("DibujaCalendario()"), core::describe(e));
    }
}

bool frmRS501::Encabezados(int columnas) {
    trail_.clear();
    try {
        fechas_ = writeHeadings(*ui_.msfDisponibilidad, inicio_, columnas, horaInicio_);
        return true;
    } catch (const std::exception& e) {
        return trail_.fail(QStringLiteral("Encabezados()"), core::describe(e));
    }
}

// ---- availability painting ----

bool frmRS501::Disponibilidad(const QString& sala) {
    RedrawOff redrawOff(ui_.msfDisponibilidad);
    const int generation = generation_;
    try {
        flexgrid::FlexGrid& g = *ui_.msfDisponibilidad;
        const std::vector<SlotCell> cells = slotCells(g, fechas_);
        if (cells.empty()) return true;
        shell::IFunciones& funciones = *Publico::Funciones();
        // Read anew at each painting: another desktop may have changed either.
        Publico::SQL = availabilityStatement();
        const std::vector<std::optional<QString>> folios =
            askSlots(Publico::Sistema()->Conexion(), funciones, g, cells, sala);
        const QList<QDate> inhabiles = funciones.DiasInhabiles(cells.front().day, cells.back().day);
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const SlotCell& c = cells[k];
            paintSlot(g, c.row, c.col, folios[k], inhabiles.contains(c.day));
            QCoreApplication::processEvents();
            // A redraw started meanwhile (a button pressed while we
            // painted) has rebuilt the grid; it paints it all itself.
            if (generation_ != generation) return true;
        }
        // Drawing is still off: only the person's slot is announced when it comes on.
        returnTo(g, fechas_, place_);
        return true;
    } catch (const std::exception& e) {
        return trail_.fail(QStringLiteral("Disponibilidad()"), core::describe(e));
    }
}

// ---- room selection ----

QString frmRS501::roomKey() const {
    return HostControls::as<shell::ITextBox>(ui_.txtSalaJunta)->Text();
}

void frmRS501::lookUpRoom() {
    ui_.txtNSalaJunta->setText(reservation::nombreSala(roomKey()));
}

void frmRS501::txtSalaJunta_Change() {
    onRoomBox(QStringLiteral("txtSalaJunta_Change()"), QStringLiteral("ERR-ID:7500017"), false);
}

void frmRS501::txtSalaJunta_Consulta() {
    onRoomBox(QStringLiteral("txtSalaJunta_Consulta()"), QStringLiteral("ERR-ID:7500018"), true);
}

// A typed key redraws only once it names a room (or the box is empty); a
// confirmed one also refreshes the box's look-up and always redraws.
void frmRS501::onRoomBox(const QString& label, const QString& id, bool confirmed) {
    if (!loaded_) return;
    try {
        lookUpRoom();
        if (confirmed) HostControls::as<shell::ITextBox>(ui_.txtSalaJunta)->ActualizarConsulta();
    } catch (const std::exception& e) {
        ui_.txtNSalaJunta->clear();  // no other room's name beside a key that could not be looked up
        trail_.reportText(core::describe(e), kCritical, label, id);
        return;
    }
    if (!confirmed && !roomKey().isEmpty() && ui_.txtNSalaJunta->text().isEmpty()) return;
    if (!CargarCalendario()) trail_.report(kCritical, label, id);
}

// ---- cell tip ----

void frmRS501::msfDisponibilidad_EnterCell() {
    flexgrid::FlexGrid& g = *ui_.msfDisponibilidad;
    g.setToolTipText(QString());
    // Only slot cells hold folios; the headings and time labels have no holder.
    if (g.Row() < g.FixedRows() || g.Col() < g.FixedCols()) return;
    const QString folio = g.TextMatrix(g.Row(), g.Col());
    if (folio.isEmpty()) return;
    QString name;
    try {
        name = Publico::Funciones()->BuscarDescripcion(QStringLiteral("Reservacion_Sala_Junta"),
                                                      QStringLiteral("Rsj_Folio"), folio,
                                                      QStringLiteral("Rsj_Responsable"), 0, QString(), QString(), QString());
    } catch (const std::exception& e) {
        trail_.reportText(core::describe(e), kCritical, QStringLiteral("msfDisponibilidad_EnterCell()"),
                          QStringLiteral("ERR-ID:7500020"));
        return;
    }
    if (!name.isEmpty()) g.setToolTipText(QStringLiteral("RESPONSABLE: ") + name);
}

// ---- opening the editor ----

void frmRS501::msfDisponibilidad_DblClick() {
    const QString label = QStringLiteral("msfDisponibilidad_DblClick()");
    flexgrid::FlexGrid& g = *ui_.msfDisponibilidad;
    if (g.Row() < 0 || g.Col() < 0) return;
    if (ui_.txtNSalaJunta->text().isEmpty()) {
        trail_.reportText(QStringLiteral("Debe de especificar una sala de juntas válida"), shell::kExclamation, label,
                          QStringLiteral("ERR-ID:7500013"));
        if (ui_.txtSalaJunta->isEnabled()) ui_.txtSalaJunta->setFocus();
        return;
    }
    const QString folio = g.TextMatrix(g.Row(), g.Col());
    const int colour = g.CellBackColor();
    if (colour != kGreen && colour != kBlue) return;
    const EditorHandoff handoff{this, Padre(), horaInicio_, horaFin_, chfefin_};
    try {
        const bool free = colour == kGreen;
        const EditorOutcome outcome =
            free ? openOnFreeSlot(handoff, {fechas_.at(static_cast<std::size_t>(g.Col())),
                                            slotTime(g.TextMatrix(g.Row(), 0)),
                                            slotTime(g.TextMatrix(slotEndRow(g.Row(), g.Rows()), 0)), roomKey()})
                 : openOnFolio(handoff, folio);
        if (!outcome.shown) {
            trail_.reportText(outcome.error, shell::kExclamation, label, QStringLiteral("ERR-ID:7500015"));
            return;
        }
        if (outcome.stored && !CargarCalendario())
            trail_.report(shell::kExclamation, label,
                          free ? QStringLiteral("ERR-ID:7500014") : QStringLiteral("ERR-ID:7500016"));
    } catch (const std::exception& e) {
        // Nothing may escape into the event loop; the editor is gone already.
        trail_.reportText(core::describe(e), kCritical, label, QStringLiteral("ERR-ID:7500021"));
    }
}

// ---- layout, activation, close ----

void frmRS501::Form_Resize() {
    geometry_ = fitCalendar(geometry_, static_cast<float>(core::pixelsToTwips(width())),
                            static_cast<float>(core::pixelsToTwips(height())));
    ui_.place(geometry_);
}

void frmRS501::Form_Activate() {
    const auto* toolbar = qobject_cast<shell::IToolbar*>(ui_.controles);
    if (toolbar && !toolbar->EstadoEsc() && ui_.txtSalaJunta->isEnabled()) ui_.txtSalaJunta->setFocus();
}

void frmRS501::Controles_Cerrar() {
    QObject* padre = Padre();
    if (!padre) return;
    if (padre->isWidgetType())
        static_cast<QWidget*>(padre)->close();
    else
        padre->deleteLater();
}

void frmRS501::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Load();
    Form_Activate();
}

void frmRS501::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmRS501::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Form_Activate();
}

}  // namespace calendar
