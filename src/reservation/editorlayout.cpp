#include "src/reservation/editorlayout.h"

#include <utility>
#include <vector>

#include <QApplication>
#include <QPalette>
#include <QVariant>
#include <QWidget>

#include "platform/core/error.h"
#include "platform/core/fonts.h"
#include "platform/core/units.h"
#include "platform/richtext/richtextbox.h"
#include "src/shell/accessiblename.h"
#include "src/shell/hostcontrols.h"
#include "src/shell/ilabel.h"
#include "src/shell/shownchildrenaccessible.h"

namespace reservation {

using shell::HostControls;

namespace {

using Properties = std::vector<std::pair<const char*, QVariant>>;

// The design gives colours as #RRGGBB; the controls take 0x00BBGGRR.
constexpr int rgb(int rrggbb) {
    return ((rrggbb & 0xFF) << 16) | (rrggbb & 0xFF00) | ((rrggbb >> 16) & 0xFF);
}

constexpr int kLeft = 2400, kRight = 3960, kRowHeight = 300, kMargin = 120;
constexpr float kBoxLeft = kLeft, kPropositoTop = 3360;

struct ControlDesign {
    const char* name;
    const QString* className;  // nullptr: the rich-text box
    int left, top, width, height;
    const char* tag;
    bool tabStop;
    bool enabled;
    Properties properties;
};

const QString kRoomSql =
    QStringLiteral("SELECT Sj_Descripcion FROM  Sala_Junta WHERE Sj_Cve_Sala_Junta = '?' AND Es_Cve_Estado <> 'BA'");
const QString kClientSql =
    QStringLiteral("SELECT Cl_Razon_Social FROM  Cliente WHERE Cl_Cve_Cliente = '?' AND Es_Cve_Estado <> 'BA'");

Properties keyBox(int maxlength, const char* idconsulta, Properties more = {}) {
    Properties p{{"maxlength", maxlength}, {"idconsulta", QString::fromLatin1(idconsulta)}, {"esclave", true},
                 {"mayusculas", true}, {"tabonenter", true}};
    p.insert(p.end(), more.begin(), more.end());
    return p;
}

Properties nameBox() {
    return {{"maxlength", 100}, {"locked", true}, {"tabonenter", true}};
}

Properties picker(bool time) {
    Properties p{{"tabonenter", true},
                 {"calendarbackcolor", rgb(0xFFFFC0)},
                 {"calendarforecolor", rgb(0x000080)},
                 {"calendartitlebackcolor", rgb(0x89B1C9)},
                 {"calendartitleforecolor", rgb(0xFFFFFF)},
                 {"calendartrailingforecolor", rgb(0x000000)}};
    if (time) {
        p.emplace_back("format", 2);
        p.emplace_back("customformat", QStringLiteral("hh:mm:ss"));
    }
    return p;
}

// In tab order.
std::vector<ControlDesign> controls() {
    const QString* box = &HostControls::kTextBox;
    const QString* date = &HostControls::kDatePicker;
    return {
        {"Controles", &HostControls::kToolbar, 0, 0, kFormWidthTwips, 960, "", true, true,
         {{"caption", QStringLiteral("Alta de reservaciones")}, {"tabwidth", QStringLiteral("0")},
          {"easyaccessenabled", QStringLiteral("NO")}, {"showmenupopup", QStringLiteral("NO")},
          {"showwindowslist", QStringLiteral("NO")}, {"showexitbutton", QStringLiteral("SI")},
          {"permitir_mover", true}}},
        {"txtFolio", box, kLeft, 1200, 1455, kRowHeight, "", true, true,
         {{"maxlength", 10}, {"esclave", true}, {"mayusculas", true}, {"disabledcolor", rgb(0x808080)}}},
        {"dpFechaI", date, kLeft, 1560, 1455, kRowHeight, "", true, false, picker(false)},
        {"dpHoraInicio", date, kRight, 1560, 1455, kRowHeight, "2", true, false, picker(true)},
        {"dpFechaF", date, kLeft, 1920, 1455, kRowHeight, "", true, false, picker(false)},
        {"dpHoraFin", date, kRight, 1920, 1455, kRowHeight, "2", true, false, picker(true)},
        {"txtSala_Junta", box, kLeft, 2280, 1455, kRowHeight, "", true, false,
         keyBox(4, "SALA_JUNTA",
                {{"tabonentercancel", true},
                 {"sql", kRoomSql},
                 {"sql_control_resultado", QStringLiteral("txtNSalaJunta")}})},
        {"txt_Cl_Cve_Cliente", box, kLeft, 2640, 1455, kRowHeight, "1", true, false,
         keyBox(4, "CLIENTE",
                {{"tabonentercancel", true}, {"tabonentervacio", true}, {"sql", kClientSql},
                 {"sql_control_resultado", QStringLiteral("txt_Cl_Descripcion")}})},
        {"txtResponsable", box, kLeft, 3000, 5535, kRowHeight, "1", true, false, keyBox(50, "TABLA_GENERAL_VALOR")},
        {"txtProposito", nullptr, kLeft, 3360, 5535, 1695, "1", true, false, {}},
        {"txtNSalaJunta", box, kRight, 2280, 3975, kRowHeight, "1", false, true, nameBox()},
        {"txt_Cl_Descripcion", box, kRight, 2640, 3975, kRowHeight, "1", false, true, nameBox()},
    };
}

struct LabelDesign {
    const char* name;
    int top;
    const char* caption;
    const char* idetiqueta;
};

const LabelDesign kLabels[] = {
    {"Etiqueta1", 1200, "Folio:", "Folio"},           {"Etiqueta13", 1560, "Fecha inicio:", "Fecha"},
    {"Etiqueta2", 1920, "Fecha final:", "HORA INICIO"}, {"Etiqueta6", 2280, "Sala junta:", "SALA JUNTA"},
    {"Etiqueta3", 2640, "Cliente:", "Cliente"},       {"Etiqueta14", 3000, "Responsable:", "RESPONSABLE"},
    {"Etiqueta10", 3360, "Propósito:", "PROPOSITO"},
};

const std::pair<const char*, QVariant> kScheme[] = {
    {"backcolor", rgb(0xF5F5F5)},         {"calendarbackcolor", rgb(0xFFFFC0)},
    {"calendarforecolor", rgb(0x000080)}, {"calendartitlebackcolor", rgb(0x89B1C9)},
    {"calendartitleforecolor", rgb(0xFFFFFF)}, {"calendartrailingforecolor", rgb(0x00538A)},
    {"dbgridbackcolor", rgb(0xFFFFC0)},   {"dbgridbackcoloreven", rgb(0xFFFFFF)},
    {"dbgridbackcolorodd", rgb(0xFFFFFF)}, {"enablecolor", rgb(0xFFFFFF)},
    {"disablecolor", rgb(0xE0E0E0)},      {"focuscolor", rgb(0xFFFFFF)},
    {"labelfontsize", 8.25},              {"textfontsize", 8.25},
    {"menubackcolor", rgb(0xB3CCDD)},     {"menufontbackcolor", rgb(0xF5ECCB)},
    {"menuselbackcolor", rgb(0xE2D59C)},
};

// A designed property the control does not declare is a mismatch between
// the screen and the host's controls, not something to store on the side.
void setDesigned(QObject* control, const char* name, const QVariant& value) {
    if (!control->setProperty(name, value))
        throw core::Error(QStringLiteral("El control %1 no tiene la propiedad %2.")
                              .arg(control->objectName(), QString::fromLatin1(name)));
}

QWidget* createControl(const ControlDesign& d, QWidget* form) {
    const QString name = QString::fromLatin1(d.name);
    if (!d.className) {
        auto* box = new richtext::RichTextBox(form);
        box->setObjectName(name);
        return box;
    }
    return HostControls::createWidget(*d.className, name, form);
}

void buildLabels(QWidget* form) {
    const int buttonText = static_cast<int>(core::toBgr(QApplication::palette().color(QPalette::ButtonText)));
    for (const LabelDesign& l : kLabels) {
        QWidget* label = HostControls::createWidget(HostControls::kLabel, QString::fromLatin1(l.name), form);
        HostControls::place(label, kMargin, l.top, 2175, 255);
        label->setFont(core::designFont(QStringLiteral("Arial"), 8.25));
        HostControls::as<shell::ILabel>(label)->setCaption(QString::fromUtf8(l.caption));
        setDesigned(label, "idetiqueta", QString::fromLatin1(l.idetiqueta));
        setDesigned(label, "alignment", 1);
        setDesigned(label, "backcolor", rgb(0x8080FF));
        setDesigned(label, "forecolor", buttonText);
        label->setFocusPolicy(Qt::NoFocus);
    }
}

// What each box is called where a person reaches it: its row's label, or
// for the boxes beside another on a row, what they hold; look-up buttons by
// what they look up.
void nameControls(QWidget* form) {
    struct Spoken {
        const char* control;
        const char* name;
        const char* label;
        const char* lookUp;
    } const spoken[] = {
        {"txtFolio", "Folio", "Etiqueta1", nullptr},
        {"dpFechaI", "Fecha inicio", "Etiqueta13", nullptr},
        {"dpHoraInicio", "Hora inicio", nullptr, nullptr},
        {"dpFechaF", "Fecha final", "Etiqueta2", nullptr},
        {"dpHoraFin", "Hora final", nullptr, nullptr},
        {"txtSala_Junta", "Sala junta", "Etiqueta6", "Buscar sala"},
        {"txtNSalaJunta", "Nombre de la sala", nullptr, nullptr},
        {"txt_Cl_Cve_Cliente", "Cliente", "Etiqueta3", "Buscar cliente"},
        {"txt_Cl_Descripcion", "Nombre del cliente", nullptr, nullptr},
        {"txtResponsable", "Responsable", "Etiqueta14", "Buscar responsable"},
        {"txtProposito", "Propósito", "Etiqueta10", nullptr},
    };
    for (const Spoken& s : spoken) {
        auto* control = form->findChild<QWidget*>(QString::fromLatin1(s.control));
        QWidget* label = s.label ? form->findChild<QWidget*>(QString::fromLatin1(s.label)) : nullptr;
        shell::nameControl(control, QString::fromUtf8(s.name), label);
        if (s.lookUp) shell::nameButtons(control, QString::fromUtf8(s.lookUp));
    }
}

}  // namespace

void buildEditor(QWidget* form) {
    shell::ShownChildrenAccessible::install(form);  // before a control's interface is made and kept
    QWidget* previous = nullptr;
    for (const ControlDesign& d : controls()) {
        QWidget* w = createControl(d, form);
        HostControls::place(w, d.left, d.top, d.width, d.height);
        if (d.className != &HostControls::kToolbar) w->setFont(core::designFont(QStringLiteral("Arial"), 8.25));
        for (const auto& [property, value] : d.properties) setDesigned(w, property, value);
        if (*d.tag) setDesigned(w, "Tag", QString::fromLatin1(d.tag));
        w->setEnabled(d.enabled);
        if (!d.tabStop) {
            setDesigned(w, "TabStop", false);
            continue;
        }
        if (previous && w->focusPolicy() != Qt::NoFocus) QWidget::setTabOrder(previous, w);
        if (w->focusPolicy() != Qt::NoFocus) previous = w;
    }
    buildLabels(form);
    nameControls(form);
    QObject* scheme = HostControls::create(HostControls::kColorScheme, QStringLiteral("colorQNT"), form);
    for (const auto& [property, value] : kScheme) setDesigned(scheme, property, value);
}

EditorGeometry fitEditor(EditorGeometry g, float width, float height) {
    if (const float w = width - kBoxLeft - kMargin; w >= 0) {
        g.responsableWidth = w;
        g.propositoWidth = w;
    }
    if (const float h = height - kPropositoTop - kMargin; h >= 0) g.propositoHeight = h;
    return g;
}

}  // namespace reservation
