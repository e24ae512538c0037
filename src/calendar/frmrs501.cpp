#include "src/calendar/frmrs501.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QResizeEvent>

#include "platform/ado/sqltext.h"
#include "platform/core/error.h"
#include "platform/core/fonts.h"
#include "platform/core/units.h"
#include "platform/flexgrid/flexgrid.h"
#include "src/calendar/editoropening.h"
#include "src/calendar/period.h"
#include "src/reservation/reservationrecord.h"
#include "src/shell/hostcontrols.h"
#include "src/shell/icolorscheme.h"
#include "src/shell/iflatbutton.h"
#include "src/shell/ilabel.h"
#include "src/shell/itextbox.h"
#include "src/shell/itoolbar.h"
#include "src/shell/publico.h"
#include "src/shell/report.h"

namespace calendar {

using shell::HostControls;
using shell::Publico;

namespace {

const QString kModule = QStringLiteral("RS501");
const QString kCrLf = QStringLiteral("\r\n");
constexpr int kCritical = 16;
constexpr int kGreen = 0x00FF00, kBlue = 0xFF0000, kSilver = 0xC0C0C0, kBlack = 0x000000, kWhite = 0xFFFFFF;

QPointer<frmRS501>& shared() {
    static QPointer<frmRS501> screen;
    return screen;
}

QFont franklin() {
    return core::designFont(QStringLiteral("Franklin Gothic Medium"), 8.25);
}

// Painting runs with the grid's drawing off; whatever happens, it comes back.
class RedrawOff {
public:
    explicit RedrawOff(flexgrid::FlexGrid* grid) : grid_(grid) { grid_->setRedraw(false); }
    ~RedrawOff() {
        if (grid_) grid_->setRedraw(true);
    }

private:
    QPointer<flexgrid::FlexGrid> grid_;
};

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
    buildControls();
    connectEvents();
}

frmRS501::~frmRS501() = default;

void frmRS501::buildControls() {
    controles_ = HostControls::createWidget(HostControls::kToolbar, QStringLiteral("Controles"), this);
    HostControls::place(controles_, 0, 0, 16695, 960);
    const std::pair<const char*, const char*> toolbarDesign[] = {
        {"caption", "Reservación de sala de juntas"}, {"tabwidth", "0"}, {"easyaccessenabled", "NO"},
        {"showmenupopup", "NO"}, {"showwindowslist", "SI"}, {"showexitbutton", "SI"},
        {"opc_table", "Reservacion_Sala_Junta"}, {"opc_key", "Rsj_Folio"}};
    for (const auto& [name, value] : toolbarDesign) controles_->setProperty(name, QString::fromUtf8(value));

    struct Button {
        const char* name;
        int left, top;
        const char* caption;
    } const buttons[] = {{"cmdAtras", 240, 532, "<<"},   {"cmdAdelante", 1440, 525, ">>"}, {"cmdSemana", 2640, 525, "Semana"},
                         {"cmdMes", 3840, 525, "Mes"}, {"cmdHoy", 5040, 525, "Actual"}};
    for (const Button& b : buttons) {
        QWidget* button = HostControls::createWidget(HostControls::kFlatButton, QString::fromLatin1(b.name), this);
        HostControls::place(button, b.left, b.top, 1095, 375);
        HostControls::as<shell::IFlatButton>(button)->setCaption(QString::fromLatin1(b.caption));
        button->setProperty("backcolor", 0x8A5300);
        button->setProperty("bordercolor", 0x8A5300);
        button->setProperty("forecolor", 0xFFFFFF);
        button->setProperty("focuscolor", 0x75ACFF);
        button->setProperty("iconsize", 2);
        button->setFont(core::designFont(QStringLiteral("Calibri"), 9));
    }

    auto* label1 = new QLabel(QStringLiteral("Sala:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(franklin());
    HostControls::place(label1, 6360, 570, 1335, 255);

    txtSalaJunta_ = HostControls::createWidget(HostControls::kTextBox, QStringLiteral("txtSalaJunta"), this);
    HostControls::place(txtSalaJunta_, 7800, 570, 1575, 300);
    txtSalaJunta_->setProperty("idconsulta", QStringLiteral("SALA_JUNTA"));
    txtSalaJunta_->setProperty("esclave", true);
    txtSalaJunta_->setProperty("mayusculas", true);
    txtSalaJunta_->setProperty("transaccion", QStringLiteral("KC317"));
    txtSalaJunta_->setFont(franklin());

    txtNSalaJunta_ = new QLabel(this);
    txtNSalaJunta_->setObjectName(QStringLiteral("txtNSalaJunta"));
    txtNSalaJunta_->setTextFormat(Qt::PlainText);  // a stored name, never markup
    txtNSalaJunta_->setFont(franklin());
    HostControls::place(txtNSalaJunta_, 9480, 480, 4815, 300);

    msfDisponibilidad_ = new flexgrid::FlexGrid(this);
    msfDisponibilidad_->setObjectName(QStringLiteral("msfDisponibilidad"));
    msfDisponibilidad_->setFont(franklin());

    buildLegend();

    colorQNT_ = HostControls::create(HostControls::kColorScheme, QStringLiteral("colorQNT"), this);
    const std::pair<const char*, int> scheme[] = {
        {"backcolor", 0xF5F5F5},          {"calendarbackcolor", 0xC0FFFF},  {"calendarforecolor", 0x800000},
        {"calendartitlebackcolor", 0xC9B189}, {"calendartitleforecolor", 0xFFFFFF},
        {"calendartrailingforecolor", 0x8A5300}, {"dbgridbackcolor", 0xC0FFFF}, {"dbgridbackcoloreven", 0xFFFFFF},
        {"dbgridbackcolorodd", 0xFFFFFF}, {"enablecolor", 0xFFFFFF},     {"disablecolor", 0xE0E0E0},
        {"focuscolor", 0xFFFFFF},         {"menubackcolor", 0xDDCCB3},     {"menufontbackcolor", 0xCBECF5},
        {"menuselbackcolor", 0x9CD5E2}};
    for (const auto& [name, value] : scheme) colorQNT_->setProperty(name, value);
    colorQNT_->setProperty("labelfontsize", 8.25);
    colorQNT_->setProperty("textfontsize", 8.25);

    // Two folio labels of the design that no code uses: one above the top
    // edge, one under the grid.
    const std::pair<const char*, std::pair<int, int>> unused[] = {{"Etiqueta16", {120, -2280}},
                                                                   {"Etiqueta17", {720, 5040}}};
    for (const auto& [name, at] : unused) {
        QWidget* label = HostControls::createWidget(HostControls::kLabel, QString::fromLatin1(name), this);
        HostControls::place(label, at.first, at.second, 615, 255);
        label->setProperty("idetiqueta", QStringLiteral("Folio"));
        HostControls::as<shell::ILabel>(label)->setCaption(QStringLiteral("Folio:"));
        label->lower();
    }
    applyGeometry(geometry_);
}

void frmRS501::buildLegend() {
    frNomenclatura_ = new QGroupBox(QStringLiteral("Nomenclatura de reservación"), this);
    frNomenclatura_->setObjectName(QStringLiteral("frNomenclatura"));
    frNomenclatura_->setFont(franklin());
    frNomenclatura_->setAutoFillBackground(true);
    QPalette white = frNomenclatura_->palette();
    white.setColor(QPalette::Window, core::fromBgr(0xFFFFFF));
    frNomenclatura_->setPalette(white);
    struct Item {
        const char *swatch, *box, *text;
        int swatchLeft, boxLeft, colour;
    } const items[] = {{"Picture1", "txtN1", "Disponible", 240, 720, kGreen},
                       {"Picture2", "txtN2", "Reservado", 2640, 3120, kBlue},
                       {"Picture5", "txtN5", "Inhábil", 5040, 5520, kSilver}};
    for (const Item& item : items) {
        auto* swatch = new QWidget(frNomenclatura_);
        swatch->setObjectName(QString::fromLatin1(item.swatch));
        swatch->setAutoFillBackground(true);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, core::fromBgr(item.colour));
        swatch->setPalette(p);
        HostControls::place(swatch, item.swatchLeft, 360, 375, 255);
        QWidget* box = HostControls::createWidget(HostControls::kTextBox, QString::fromLatin1(item.box), frNomenclatura_);
        HostControls::place(box, item.boxLeft, 360, 1800, 300);
        box->setProperty("locked", true);
        box->setProperty("maxlength", 100);
        box->setProperty("tabonenter", true);
        box->setProperty("enabledcolor", 0xFFFFFF);
        box->setFont(franklin());
        HostControls::as<shell::ITextBox>(box)->setText(QString::fromUtf8(item.text));
    }
}

void frmRS501::connectEvents() {
    const std::pair<const char*, const char*> buttons[] = {{"cmdAdelante", SLOT(cmdAdelante_Click())},
                                                           {"cmdAtras", SLOT(cmdAtras_Click())},
                                                           {"cmdHoy", SLOT(cmdHoy_Click())},
                                                           {"cmdMes", SLOT(cmdMes_Click())},
                                                           {"cmdSemana", SLOT(cmdSemana_Click())}};
    for (const auto& [name, slot] : buttons)
        HostControls::connectEvent(findChild<QWidget*>(QString::fromLatin1(name)), SIGNAL(Click()), this, slot);
    HostControls::connectEvent(txtSalaJunta_, SIGNAL(Change()), this, SLOT(txtSalaJunta_Change()));
    HostControls::connectEvent(txtSalaJunta_, SIGNAL(Consulta()), this, SLOT(txtSalaJunta_Consulta()));
    HostControls::connectEvent(controles_, SIGNAL(Cerrar()), this, SLOT(Controles_Cerrar()));
    connect(msfDisponibilidad_, &flexgrid::FlexGrid::EnterCell, this, &frmRS501::msfDisponibilidad_EnterCell);
    connect(msfDisponibilidad_, &flexgrid::FlexGrid::DblClick, this, &frmRS501::msfDisponibilidad_DblClick);
}

QVariantList frmRS501::Fechas() const {
    QVariantList out;
    for (const QDate& d : fechas_) out << d;
    return out;
}

// ---- failure trail and reports ----

bool frmRS501::fail(const QString& label, const QString& description) {
    ultimoError_ = label + kCrLf + description;
    return false;
}

bool frmRS501::failAfter(const QString& label) {
    ultimoError_ = label + kCrLf + ultimoError_;
    return false;
}

void frmRS501::reportText(const QString& message, int style, const QString& label, const QString& identifier) {
    shell::report(this, message, style, label, identifier);
}

void frmRS501::report(int style, const QString& label, const QString& identifier) {
    reportText(ultimoError_, style, label, identifier);
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
        HostControls::as<shell::IColorScheme>(colorQNT_)->Aplicar();
        shell::ISistema& sistema = *Publico::Sistema();
        horario_ = sistema.LeerParametro(QStringLiteral("RS_HORARIO_RESERVACIONES"), 0, QStringLiteral("T"),
                                         QStringLiteral("09:00,18:30"));
        const QString upper = sistema.LeerParametro(QStringLiteral("CAT_FORZAR_MAYUSCULAS"), 0, QString(), QString());
        sistema.ForzarMayusculas(parameterFlag(upper));
        HostControls::as<shell::ITextBox>(txtSalaJunta_)
            ->setFormatoClave(sistema.LeerParametro(QStringLiteral("FTO_SALA_JUNTA"), 0, QStringLiteral("T"),
                                                    QStringLiteral("0000000000")));
        fechaBase_ = Publico::Funciones()->FechaServidor().date();
        const Window window = parseWindow(horario_);
        horaInicio_ = window.start;
        horaFin_ = window.end;
        if (window.malformed)
            reportText(QStringLiteral("El parámetro RS_HORARIO_RESERVACIONES tiene un horario no válido (\"%1\"); "
                                      "se usa el horario de 09:00 a 18:30.")
                           .arg(horario_),
                       48, label, QStringLiteral("ERR-ID:7500019"));
        chfefin_ = sistema.TienePermiso(kModule, QStringLiteral("CHFEFIN"),
                                        QStringLiteral("Permitir cambiar fecha de finalizacion."));
        // A key written before the load was painted for but never looked up.
        if (!roomKey().isEmpty()) lookUpRoom();
    } catch (const std::exception& e) {
        reportText(core::describe(e), kCritical, label, QStringLiteral("ERR-ID:7500011"));
        return;
    }
    tipo_ = QStringLiteral("ww");
    if (!ObtenerInicioFin()) {
        report(kCritical, label, QStringLiteral("ERR-ID:7500011"));
        return;
    }
    if (!CargarCalendario()) report(kCritical, label, QStringLiteral("ERR-ID:7500012"));
}

// ---- period and navigation ----

bool frmRS501::ObtenerInicioFin(const QDate& fechaBase, QDate& inicio, QDate& fin, const QString& tipo) {
    try {
        periodBounds(fechaBase, tipo, inicio, fin);
        return true;
    } catch (const std::exception& e) {
        return fail(QStringLiteral("ObtenerInicioFin()"), core::describe(e));
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
        reportText(core::describe(e), kCritical, label, periodId);
        return;
    }
    if (!ObtenerInicioFin()) {
        report(kCritical, label, periodId);
        return;
    }
    if (!CargarCalendario()) report(kCritical, label, redrawId);
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
        if (!DibujaCalendario(days, slotRows)) return failAfter(label);
        if (!Encabezados(days)) return failAfter(label);
        if (!Disponibilidad(roomKey())) return failAfter(label);
        return true;
    } catch (const std::exception& e) {
        return fail(label, core::describe(e));
    }
}

bool frmRS501::DibujaCalendario(int columnas, int renglones) {
    ultimoError_.clear();
    try {
        flexgrid::FlexGrid& g = *msfDisponibilidad_;
        g.Clear();
        g.setFixedCols(0);
        g.setFixedRows(0);
        g.setRows(5);
        g.setCols(5);
        g.setFixedCols(1);
        g.setFixedRows(2);
        g.setCols(columnas + 1);
        g.setRows(renglones + 2);
        g.setMergeCells(flexgrid::FlexGrid::flexMergeFree);
        g.SetMergeRow(0, true);
        g.SetMergeCol(0, true);
        g.SetColAlignment(0, flexgrid::FlexGrid::flexAlignCenterCenter);
        g.setRowHeightMin(400);
        ++generation_;
        return true;
    } catch (const std::exception& e) {
        return fail(QStringLiteral("DibujaCalendario()"), core::describe(e));
    }
}

bool frmRS501::Encabezados(int columnas) {
    ultimoError_.clear();
    try {
        flexgrid::FlexGrid& g = *msfDisponibilidad_;
        fechas_.assign(static_cast<std::size_t>(std::max(columnas, 0)) + 1, QDate());
        g.SetTextMatrix(0, 0, QStringLiteral(" "));
        g.SetTextMatrix(1, 0, QStringLiteral(" "));
        const QLocale locale = titleLocale();
        QDate d = inicio_;
        for (int j = 1; j <= columnas; ++j) {
            g.SetColAlignment(j, flexgrid::FlexGrid::flexAlignCenterCenter);
            fechas_[static_cast<std::size_t>(j)] = d;
            g.SetTextMatrix(0, j, monthTitle(d, locale));
            g.SetTextMatrix(1, j, NombreDia(weekdayFromSunday(d)) + QLatin1Char(' ') + d.toString(QStringLiteral("dd")));
            d = d.addDays(1);
        }
        QTime t = horaInicio_;
        for (int i = 2; i < g.Rows(); ++i) {
            g.SetTextMatrix(i, 0, reservation::textoDeHora(t));
            g.setRow(i);
            g.setCol(0);
            g.setCellFontSize(10);
            t = t.addSecs(30 * 60);
        }
        return true;
    } catch (const std::exception& e) {
        return fail(QStringLiteral("Encabezados()"), core::describe(e));
    }
}

// ---- availability painting ----

bool frmRS501::markCell(int row, int col, const QString& room) {
    flexgrid::FlexGrid& g = *msfDisponibilidad_;
    const QDate day = fechas_[static_cast<std::size_t>(col)];
    shell::IFunciones& funciones = *Publico::Funciones();
    const QString slot = g.TextMatrix(row, 0);
    QString& sql = Publico::SQL;
    sql.clear();
    sql += QStringLiteral("SELECT Rsj_Folio ");
    sql += QStringLiteral("FROM Reservacion_Sala_Junta ");
    sql += QStringLiteral("WHERE Sj_Cve_Sala_Junta = '");
    sql += ado::protect(room);
    sql += QStringLiteral("' AND ");
    sql += QStringLiteral("   Rsj_Fecha = '");
    sql += ado::protect(funciones.FormatoFechaSQL(day));
    sql += QStringLiteral("' AND ");
    sql += QStringLiteral("   '");
    sql += ado::protect(slot);
    sql += QStringLiteral("' BETWEEN Rsj_Inicio AND Rsj_Fin AND ");
    sql += QStringLiteral("   '");
    sql += ado::protect(slot);
    sql += QStringLiteral("' <> Rsj_Fin AND ");
    sql += QStringLiteral("   Es_Cve_Estado <> 'CA' ");
    ado::Recordset rs = Publico::Sistema()->Conexion().Execute(sql);
    g.setRow(row);
    g.setCol(col);
    g.SetMergeRow(row, true);
    g.SetMergeCol(col, true);
    const bool inhabil = funciones.EsDiaInhabil(day);
    if (rs.Eof()) {
        g.setCellBackColor(inhabil ? kSilver : kGreen);
        g.setCellForeColor(kBlack);
    } else {
        g.SetTextMatrix(row, col, rs.Fields(QStringLiteral("Rsj_Folio")).Value.toString());
        g.setCellBackColor(inhabil ? kSilver : kBlue);
        g.setCellForeColor(kWhite);
    }
    return true;
}

bool frmRS501::Disponibilidad(const QString& sala) {
    RedrawOff redrawOff(msfDisponibilidad_);
    const int generation = generation_;
    try {
        const int rows = msfDisponibilidad_->Rows();
        for (int i = 2; i < rows; ++i) {
            for (int j = 1; j < msfDisponibilidad_->Cols(); ++j) {
                if (static_cast<std::size_t>(j) < fechas_.size()) markCell(i, j, sala);
                QCoreApplication::processEvents();
                // A redraw started meanwhile (a button pressed while we
                // painted) has rebuilt the grid; it paints it all itself.
                if (generation_ != generation) return true;
            }
        }
        return true;
    } catch (const std::exception& e) {
        return fail(QStringLiteral("Disponibilidad()"), core::describe(e));
    }
}

// ---- room selection ----

QString frmRS501::roomKey() const {
    return HostControls::as<shell::ITextBox>(txtSalaJunta_)->Text();
}

void frmRS501::lookUpRoom() {
    txtNSalaJunta_->setText(reservation::nombreSala(roomKey()));
}

void frmRS501::txtSalaJunta_Change() {
    if (!loaded_) return;
    const QString label = QStringLiteral("txtSalaJunta_Change()");
    const QString id = QStringLiteral("ERR-ID:7500017");
    try {
        lookUpRoom();
    } catch (const std::exception& e) {
        reportText(core::describe(e), kCritical, label, id);
        return;
    }
    if (!roomKey().isEmpty() && txtNSalaJunta_->text().isEmpty()) return;
    if (!CargarCalendario()) report(kCritical, label, id);
}

void frmRS501::txtSalaJunta_Consulta() {
    if (!loaded_) return;
    const QString label = QStringLiteral("txtSalaJunta_Consulta()");
    const QString id = QStringLiteral("ERR-ID:7500018");
    try {
        lookUpRoom();
        HostControls::as<shell::ITextBox>(txtSalaJunta_)->ActualizarConsulta();
    } catch (const std::exception& e) {
        reportText(core::describe(e), kCritical, label, id);
        return;
    }
    if (!CargarCalendario()) report(kCritical, label, id);
}

// ---- cell tip ----

void frmRS501::msfDisponibilidad_EnterCell() {
    flexgrid::FlexGrid& g = *msfDisponibilidad_;
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
        reportText(core::describe(e), kCritical, QStringLiteral("msfDisponibilidad_EnterCell()"),
                   QStringLiteral("ERR-ID:7500020"));
        return;
    }
    if (!name.isEmpty()) g.setToolTipText(QStringLiteral("RESPONSABLE: ") + name);
}

// ---- opening the editor ----

void frmRS501::msfDisponibilidad_DblClick() {
    const QString label = QStringLiteral("msfDisponibilidad_DblClick()");
    flexgrid::FlexGrid& g = *msfDisponibilidad_;
    if (g.Row() < 0 || g.Col() < 0) return;
    if (txtNSalaJunta_->text().isEmpty()) {
        reportText(QStringLiteral("Debe de especificar una sala de juntas válida"), shell::kExclamation, label,
                   QStringLiteral("ERR-ID:7500013"));
        if (txtSalaJunta_->isEnabled()) txtSalaJunta_->setFocus();
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
            reportText(outcome.error, shell::kExclamation, label, QStringLiteral("ERR-ID:7500015"));
            return;
        }
        if (outcome.stored && !CargarCalendario())
            report(shell::kExclamation, label, free ? QStringLiteral("ERR-ID:7500014") : QStringLiteral("ERR-ID:7500016"));
    } catch (const std::exception& e) {
        // Nothing may escape into the event loop; the editor is gone already.
        reportText(core::describe(e), kCritical, label, QStringLiteral("ERR-ID:7500021"));
    }
}

// ---- layout, activation, close ----

void frmRS501::applyGeometry(const CalendarGeometry& g) {
    const auto at = [](QWidget* w, float left, float top, float width, float height) {
        HostControls::place(w, static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
                            static_cast<int>(height));
    };
    at(msfDisponibilidad_, g.gridLeft, g.gridTop, g.gridWidth, g.gridHeight);
    at(frNomenclatura_, g.frameLeft, g.frameTop, g.frameWidth, g.frameHeight);
}

void frmRS501::Form_Resize() {
    geometry_ = fitCalendar(geometry_, static_cast<float>(core::pixelsToTwips(width())),
                            static_cast<float>(core::pixelsToTwips(height())));
    applyGeometry(geometry_);
}

void frmRS501::Form_Activate() {
    const auto* toolbar = qobject_cast<shell::IToolbar*>(controles_);
    if (toolbar && !toolbar->EstadoEsc() && txtSalaJunta_->isEnabled()) txtSalaJunta_->setFocus();
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
