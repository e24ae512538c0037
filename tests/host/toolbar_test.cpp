#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include <QAction>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/controls/toolbar.h"

namespace {

using controls::Toolbar;

const std::vector<const char*> kEverySignal = {"Nuevo()", "Modificar()", "Consultar()", "Eliminar()", "Imprimir()",
                                               "Aceptar(bool)", "Salir()", "Cerrar()", "Cancelar()"};

// The toolbar on a screen of its own, active so that shortcuts reach it,
// with the print button switched on and a spy on each signal the screen handles.
struct Bar {
    QWidget window;
    Toolbar* bar = new Toolbar(&window);
    std::map<QString, std::unique_ptr<QSignalSpy>> spies;

    explicit Bar(const std::vector<const char*>& handled = kEverySignal) {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(bar);
        layout->addStretch();
        window.resize(900, 200);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        bar->setImprimirHabilitado(true);
        for (const char* signal : handled)
            spies[signal] = std::make_unique<QSignalSpy>(bar, (QByteArray("2") + signal).constData());
    }
    void click(const char* name) { QTest::mouseClick(bar->button(QStringLiteral("btn") + name), Qt::LeftButton); }
    // The buttons shown, in bar order, disabled ones in brackets.
    QString shown() const {
        QStringList out;
        for (const QToolButton* b : bar->findChildren<QToolButton*>())
            if (b->isVisible()) out << QString(b->isEnabled() ? "%1" : "(%1)").arg(b->objectName().mid(3));
        return out.join(' ');
    }
    // The signals raised since the last call, once per emission, Aceptar with its argument.
    QStringList raised() {
        QStringList out;
        for (const auto& [name, spy] : spies) {
            for (const QVariantList& args : *spy)
                out << (args.isEmpty() ? name : QString("Aceptar(%1)").arg(int(args[0].toBool())));
            spy->clear();
        }
        return out;
    }
};

const QString kBrowsing = "Nuevo Modificar Consultar Eliminar Imprimir (Aceptar) (Cancelar) Salir Cerrar";
const QString kUnderWay = "(Nuevo) (Modificar) (Consultar) (Eliminar) (Imprimir) Aceptar Cancelar Salir Cerrar";
const QString kModifying = "(Nuevo) (Modificar) (Consultar) Eliminar (Imprimir) Aceptar Cancelar Salir Cerrar";

// One screen's work with the bar, step by step: a button clicked ("btn..."),
// a key pressed, or the screen's answer to Aceptar ("!..."); the signals the
// screen then hears and whether an action is under way. Accept and cancel are
// offered only while it is, accept tells whether the record is new, a stray
// Delete deletes nothing and Esc is left to the screen.
TEST(ToolbarTest, ButtonsAndShortcutsRaiseTheirOneSignalAndAcceptOnlyWhileAnActionIsUnderWay) {
    struct Step {
        const char *press, *raised;
        int underWay;  // 0: no, 1: a new record, 2: a modified one (it may still be deleted)
    } const steps[] = {
        {"btnNuevo", "Nuevo()", true},          {"F10", "Aceptar(1)", true},          {"!RechazaAceptar", "", true},
        {"btnAceptar", "Aceptar(1)", true},     {"Esc", "", true},                    {"!ConfirmaAceptar", "", false},
        {"F10", "", false},                     {"Ctrl+M", "Modificar()", 2},         {"btnAceptar", "Aceptar(0)", 2},
        {"F12", "Cancelar()", false},           {"btnModificar", "Modificar()", 2}, {"!ConfirmaAceptar", "", false},
        {"Ctrl+N", "Nuevo()", true},            {"btnCancelar", "Cancelar()", false}, {"btnConsultar", "Consultar()", false},
        {"Ctrl+K", "Consultar()", false},       {"btnEliminar", "Eliminar()", false}, {"Ctrl+E", "Eliminar()", false},
        {"Del", "", false},                     {"btnImprimir", "Imprimir()", false}, {"Ctrl+P", "Imprimir()", false},
        {"btnSalir", "Salir()", false},         {"Ctrl+Q", "Salir()", false},         {"btnCerrar", "Cerrar()", false},
        {"Ctrl+F4", "Cerrar()", false},
    };
    Bar b;
    for (const Step& step : steps) {
        const QString press = step.press;
        if (press.startsWith("btn"))
            b.click(step.press + 3);
        else if (press.startsWith('!'))
            QMetaObject::invokeMethod(b.bar, step.press + 1);
        else
            QTest::keyClick(&b.window, QKeySequence(press)[0].key(), QKeySequence(press)[0].keyboardModifiers());
        EXPECT_EQ(b.raised(), *step.raised ? QStringList{step.raised} : QStringList{}) << step.press;
        EXPECT_EQ(b.shown(), step.underWay == 2 ? kModifying : step.underWay ? kUnderWay : kBrowsing) << step.press;
        EXPECT_EQ(b.bar->EstadoEsc(), step.underWay != 0) << step.press;
    }
    // The screen may start a new record with the button switched off; Nuevo
    // arrives before EjecutarNuevo returns, with the action already under way.
    b.bar->setNuevoHabilitado(false);
    bool underWayWhenRaised = false;
    QObject::connect(b.bar, &Toolbar::Nuevo, [&] { underWayWhenRaised = b.bar->EstadoEsc(); });
    QMetaObject::invokeMethod(b.bar, "EjecutarNuevo");
    EXPECT_TRUE(underWayWhenRaised);
    b.click("Aceptar");
    EXPECT_EQ(b.raised(), QStringList({"Aceptar(1)", "Nuevo()"}));
    b.click("Cancelar");
    EXPECT_FALSE(b.bar->EstadoEsc());
    EXPECT_EQ(b.shown(), QString(kBrowsing).replace("Nuevo", "(Nuevo)")) << "switched off stays off";
}

// Each switch turns its own button off (print and exit are hidden) and on again.
TEST(ToolbarTest, SwitchesTurnTheirOwnButtonOffAndOnAgain) {
    struct Case {
        const char* property;
        QVariant off, on;
        const char *button, *offShows;
    } const cases[] = {
        {"NuevoHabilitado", false, true, "Nuevo", "(Nuevo)"},
        {"ModificarHabilitado", false, true, "Modificar", "(Modificar)"},
        {"EliminarHabilitado", false, true, "Eliminar", "(Eliminar)"},
        {"ConsultarHabilitado", false, true, "Consultar", "(Consultar)"},
        {"ImprimirHabilitado", false, true, "Imprimir ", ""},
        {"showexitbutton", "NO", "SI", "Salir ", ""},
    };
    for (const Case& c : cases) {
        Bar b;
        ASSERT_TRUE(b.bar->setProperty(c.property, c.off));
        EXPECT_EQ(b.shown(), QString(kBrowsing).replace(c.button, c.offShows)) << c.property;
        b.bar->setProperty(c.property, c.on);
        EXPECT_EQ(b.shown(), kBrowsing) << c.property;
    }
}

// A screen is offered only what it handles: an unhandled command has no
// button, its key is dead and it starts nothing; exit closes a screen that
// only knows how to close.
TEST(ToolbarTest, OnlyTheCommandsTheScreenHandlesAreOffered) {
    struct Case {
        std::vector<const char*> handled;
        const char* shown;
        const char* exitRaises;  // nullptr: no exit button
    } const cases[] = {
        {{"Cerrar()"}, "Salir Cerrar", "Cerrar()"},
        {{"Salir()", "Cerrar()"}, "Salir Cerrar", "Salir()"},
        {{"Nuevo()", "Aceptar(bool)", "Cancelar()", "Cerrar()"}, "Nuevo (Aceptar) (Cancelar) Salir Cerrar", "Cerrar()"},
        {{}, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        Bar b(c.handled);
        EXPECT_EQ(b.shown(), c.shown);
        EXPECT_TRUE(b.bar->findChild<QWidget*>("lblCaption")->isVisible());
        for (const auto& [name, keys] :
             {std::pair{"Nuevo", Qt::CTRL | Qt::Key_N}, std::pair{"Modificar", Qt::CTRL | Qt::Key_M}}) {
            if (b.spies.count(QString(name) + "()")) continue;
            QTest::keyClick(&b.window, keys.key(), keys.keyboardModifiers());
            b.bar->findChild<QAction*>(QString("act") + name)->trigger();
            EXPECT_FALSE(b.bar->EstadoEsc()) << name;
            EXPECT_EQ(b.shown(), c.shown) << name;
        }
        EXPECT_EQ(b.raised(), QStringList{});
        if (c.exitRaises) {
            b.click("Salir");
            EXPECT_EQ(b.raised(), QStringList{c.exitRaises});
        }
        b.spies.clear();  // the screen lets go: nothing is offered any more
        QCoreApplication::processEvents();
        EXPECT_EQ(b.shown(), "");
    }
}

// Each command has a picture of its own and a tip naming its key; names sit
// beside the pictures while the bar has room, those that leave first.
TEST(ToolbarTest, EachCommandHasItsOwnPictureATipWithItsKeyAndItsNameWhereThereIsRoom) {
    const std::pair<const char*, const char*> tips[] = {
        {"Nuevo", "Ctrl+N"},   {"Modificar", "Ctrl+M"}, {"Consultar", "Ctrl+K"}, {"Eliminar", "Ctrl+E"},
        {"Imprimir", "Ctrl+P"}, {"Aceptar", "F10"},     {"Cancelar", "F12"},     {"Salir", "Ctrl+Q"},
        {"Cerrar", "Ctrl+F4"},
    };
    Bar b;
    QList<QImage> pictures;
    for (const auto& [name, key] : tips) {
        const QToolButton* button = b.bar->button(QString("btn") + name);
        EXPECT_EQ(button->toolTip(), QString("%1 (%2)").arg(name, key));
        const QImage picture = button->icon().pixmap(16).toImage();
        EXPECT_FALSE(picture.isNull() || pictures.contains(picture)) << name;
        pictures << picture;
    }
    const std::pair<int, const char*> widths[] = {
        {1200, "Nuevo Modificar Consultar Eliminar Imprimir Aceptar Cancelar Salir Cerrar"},
        {545, "Cancelar Salir"},
        {250, ""},
    };
    for (const auto& [width, named] : widths) {
        b.window.resize(width, 200);
        QCoreApplication::processEvents();
        QStringList withName;
        for (const QToolButton* button : b.bar->findChildren<QToolButton*>())
            if (button->toolButtonStyle() == Qt::ToolButtonTextBesideIcon) withName << button->objectName().mid(3);
        EXPECT_EQ(withName.join(' '), QString(named)) << width;
    }
}

}  // namespace
