#include "src/calendar/calendarcontrols.h"

#include "platform/core/fonts.h"
#include "platform/core/units.h"
#include "platform/flexgrid/flexgrid.h"
#include "src/shell/accessiblename.h"
#include "src/shell/hostcontrols.h"
#include "src/shell/iflatbutton.h"
#include "src/shell/ilabel.h"
#include "src/shell/itextbox.h"
#include "src/shell/shownchildrenaccessible.h"

namespace calendar {

using shell::HostControls;

namespace {

QFont franklin() {
    return core::designFont(QStringLiteral("Franklin Gothic Medium"), 8.25);
}

void buildPeriodButtons(QWidget* screen) {
    struct Button {
        const char* name;
        int left, top;
        const char* caption;
    } const buttons[] = {{"cmdAtras", 240, 532, "<<"},   {"cmdAdelante", 1440, 525, ">>"}, {"cmdSemana", 2640, 525, "Semana"},
                         {"cmdMes", 3840, 525, "Mes"}, {"cmdHoy", 5040, 525, "Actual"}};
    for (const Button& b : buttons) {
        QWidget* button = HostControls::createWidget(HostControls::kFlatButton, QString::fromLatin1(b.name), screen);
        HostControls::place(button, b.left, b.top, 1095, 375);
        HostControls::as<shell::IFlatButton>(button)->setCaption(QString::fromLatin1(b.caption));
        button->setProperty("backcolor", 0x8A5300);
        button->setProperty("bordercolor", 0x8A5300);
        button->setProperty("forecolor", 0xFFFFFF);
        button->setProperty("focuscolor", 0x75ACFF);
        button->setProperty("iconsize", 2);
        button->setFont(core::designFont(QStringLiteral("Calibri"), 9));
    }
}

// Two folio labels of the original screen that nothing uses: one above the
// top edge, one under the grid.
void buildUnusedLabels(QWidget* screen) {
    const std::pair<const char*, std::pair<int, int>> unused[] = {{"Etiqueta16", {120, -2280}},
                                                                   {"Etiqueta17", {720, 5040}}};
    for (const auto& [name, at] : unused) {
        QWidget* label = HostControls::createWidget(HostControls::kLabel, QString::fromLatin1(name), screen);
        HostControls::place(label, at.first, at.second, 615, 255);
        label->setProperty("idetiqueta", QStringLiteral("Folio"));
        HostControls::as<shell::ILabel>(label)->setCaption(QStringLiteral("Folio:"));
        label->lower();
        label->hide();  // out of sight as drawn; hidden, so a screen reader leaves it out too
    }
}

// A legend entry: a swatch and its meaning, named alike, for reading only
// (Tab passes it by).
void legendItem(QGroupBox* frame, const char* swatchName, const char* boxName, const char* text, int swatchLeft,
                    int boxLeft, int colour) {
    auto* swatch = new QWidget(frame);
    swatch->setObjectName(QString::fromLatin1(swatchName));
    swatch->setAutoFillBackground(true);
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, core::fromBgr(colour));
    swatch->setPalette(p);
    HostControls::place(swatch, swatchLeft, 360, 375, 255);
    QWidget* box = HostControls::createWidget(HostControls::kTextBox, QString::fromLatin1(boxName), frame);
    HostControls::place(box, boxLeft, 360, 1800, 300);
    box->setProperty("locked", true);
    box->setProperty("maxlength", 100);
    box->setProperty("tabonenter", true);
    box->setProperty("enabledcolor", 0xFFFFFF);
    box->setFont(franklin());
    HostControls::as<shell::ITextBox>(box)->setText(QString::fromUtf8(text));
    box->setProperty("TabStop", false);
    shell::nameControl(swatch, QString::fromUtf8(text));
    shell::nameControl(box, QString::fromUtf8(text));
}

// Names each control that a person reaches, and orders Tab as the screen
// reads: room box, period buttons, grid.
void nameAndOrder(QWidget* screen, const CalendarControls& c) {
    shell::nameControl(c.txtSalaJunta, QStringLiteral("Sala"), screen->findChild<QLabel*>(QStringLiteral("Label1")));
    shell::nameButtons(c.txtSalaJunta, QStringLiteral("Buscar sala"));
    const std::pair<const char*, const char*> buttons[] = {{"cmdAtras", "Periodo anterior"},
                                                           {"cmdAdelante", "Periodo siguiente"},
                                                           {"cmdSemana", "Semana"},
                                                           {"cmdMes", "Mes"},
                                                           {"cmdHoy", "Actual"}};
    QWidget* previous = c.txtSalaJunta;
    for (const auto& [name, spoken] : buttons) {
        QWidget* button = screen->findChild<QWidget*>(QString::fromLatin1(name));
        shell::nameControl(button, QString::fromUtf8(spoken));
        QWidget::setTabOrder(previous, button);
        previous = button;
    }
    QWidget::setTabOrder(previous, c.msfDisponibilidad);
}

}  // namespace

CalendarControls CalendarControls::build(QWidget* screen) {
    CalendarControls c;
    shell::ShownChildrenAccessible::install(screen);  // before a control's interface is made and kept
    c.buildToolbar(screen);
    buildPeriodButtons(screen);
    c.buildRoomBox(screen);
    c.msfDisponibilidad = new flexgrid::FlexGrid(screen);
    c.msfDisponibilidad->setObjectName(QStringLiteral("msfDisponibilidad"));
    c.msfDisponibilidad->setFont(franklin());
    c.buildLegend(screen);
    c.buildColorScheme(screen);
    buildUnusedLabels(screen);
    nameAndOrder(screen, c);
    c.place(CalendarGeometry());
    return c;
}

void CalendarControls::buildToolbar(QWidget* screen) {
    controles = HostControls::createWidget(HostControls::kToolbar, QStringLiteral("Controles"), screen);
    HostControls::place(controles, 0, 0, 16695, 960);
    const std::pair<const char*, const char*> design[] = {
        {"caption", "Reservación de sala de juntas"}, {"tabwidth", "0"}, {"easyaccessenabled", "NO"},
        {"showmenupopup", "NO"}, {"showwindowslist", "SI"}, {"showexitbutton", "SI"},
        {"opc_table", "Reservacion_Sala_Junta"}, {"opc_key", "Rsj_Folio"}};
    for (const auto& [name, value] : design) controles->setProperty(name, QString::fromUtf8(value));
}

void CalendarControls::buildRoomBox(QWidget* screen) {
    auto* label1 = new QLabel(QStringLiteral("Sala:"), screen);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setFont(franklin());
    HostControls::place(label1, 6360, 570, 1335, 255);

    txtSalaJunta = HostControls::createWidget(HostControls::kTextBox, QStringLiteral("txtSalaJunta"), screen);
    HostControls::place(txtSalaJunta, 7800, 570, 1575, 300);
    txtSalaJunta->setProperty("idconsulta", QStringLiteral("SALA_JUNTA"));
    txtSalaJunta->setProperty("esclave", true);
    txtSalaJunta->setProperty("mayusculas", true);
    txtSalaJunta->setProperty("transaccion", QStringLiteral("KC317"));
    txtSalaJunta->setFont(franklin());

    txtNSalaJunta = new QLabel(screen);
    txtNSalaJunta->setObjectName(QStringLiteral("txtNSalaJunta"));
    txtNSalaJunta->setTextFormat(Qt::PlainText);  // a stored name, never markup
    txtNSalaJunta->setFont(franklin());
    HostControls::place(txtNSalaJunta, 9480, 480, 4815, 300);
}

void CalendarControls::buildLegend(QWidget* screen) {
    frNomenclatura = new QGroupBox(QStringLiteral("Nomenclatura de reservación"), screen);
    frNomenclatura->setObjectName(QStringLiteral("frNomenclatura"));
    frNomenclatura->setFont(franklin());
    frNomenclatura->setAutoFillBackground(true);
    QPalette white = frNomenclatura->palette();
    white.setColor(QPalette::Window, core::fromBgr(0xFFFFFF));
    frNomenclatura->setPalette(white);
    legendItem(frNomenclatura, "Picture1", "txtN1", "Disponible", 240, 720, kGreen);
    legendItem(frNomenclatura, "Picture2", "txtN2", "Reservado", 2640, 3120, kBlue);
    legendItem(frNomenclatura, "Picture5", "txtN5", "Inhábil", 5040, 5520, kSilver);
}

void CalendarControls::buildColorScheme(QWidget* screen) {
    colorQNT = HostControls::create(HostControls::kColorScheme, QStringLiteral("colorQNT"), screen);
    const std::pair<const char*, int> scheme[] = {
        {"backcolor", 0xF5F5F5},          {"calendarbackcolor", 0xC0FFFF},  {"calendarforecolor", 0x800000},
        {"calendartitlebackcolor", 0xC9B189}, {"calendartitleforecolor", 0xFFFFFF},
        {"calendartrailingforecolor", 0x8A5300}, {"dbgridbackcolor", 0xC0FFFF}, {"dbgridbackcoloreven", 0xFFFFFF},
        {"dbgridbackcolorodd", 0xFFFFFF}, {"enablecolor", 0xFFFFFF},     {"disablecolor", 0xE0E0E0},
        {"focuscolor", 0xFFFFFF},         {"menubackcolor", 0xDDCCB3},     {"menufontbackcolor", 0xCBECF5},
        {"menuselbackcolor", 0x9CD5E2}};
    for (const auto& [name, value] : scheme) colorQNT->setProperty(name, value);
    colorQNT->setProperty("labelfontsize", 8.25);
    colorQNT->setProperty("textfontsize", 8.25);
}

void CalendarControls::place(const CalendarGeometry& g) const {
    const auto at = [](QWidget* w, float left, float top, float width, float height) {
        HostControls::place(w, static_cast<int>(left), static_cast<int>(top), static_cast<int>(width),
                            static_cast<int>(height));
    };
    at(msfDisponibilidad, g.gridLeft, g.gridTop, g.gridWidth, g.gridHeight);
    at(frNomenclatura, g.frameLeft, g.frameTop, g.frameWidth, g.frameHeight);
}

}  // namespace calendar
