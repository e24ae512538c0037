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
    // The signals raised since the last call, once per emission.
    QStringList raised() {
        QStringList out;
        for (const auto& [name, spy] : spies) {
            for (qsizetype i = 0; i < spy->count(); ++i) out << name;
            spy->clear();
        }
        return out;
    }
};

const QString kBrowsing = "Nuevo Modificar Consultar Eliminar Imprimir (Aceptar) (Cancelar) Salir Cerrar";
const QString kUnderWay = "(Nuevo) (Modificar) (Consultar) (Eliminar) (Imprimir) Aceptar Cancelar Salir Cerrar";

// Each button by mouse and its shortcut raise their one signal; Esc is left to the screen.
TEST(ToolbarTest, EachButtonAndItsShortcutRaiseTheirOneSignal) {
    struct Case {
        const char* button;  // nullptr: by key only
        QKeyCombination keys;
        bool underWay;       // a new record is being entered
        const char* signal;  // nullptr: nothing
    } const cases[] = {
        {"Nuevo", Qt::CTRL | Qt::Key_N, false, "Nuevo()"},       {"Modificar", Qt::CTRL | Qt::Key_M, false, "Modificar()"},
        {"Consultar", Qt::CTRL | Qt::Key_K, false, "Consultar()"}, {"Eliminar", Qt::CTRL | Qt::Key_E, false, "Eliminar()"},
        {nullptr, QKeyCombination(Qt::Key_Delete), false, nullptr},  // a stray Delete cancels nothing
        {"Imprimir", Qt::CTRL | Qt::Key_P, false, "Imprimir()"},
        {"Aceptar", QKeyCombination(Qt::Key_F10), true, "Aceptar(bool)"},
        {nullptr, QKeyCombination(Qt::Key_F10), false, nullptr},  // nothing to accept
        {"Cancelar", QKeyCombination(), true, "Cancelar()"},
        {"Salir", Qt::CTRL | Qt::Key_Q, false, "Salir()"},        {"Cerrar", Qt::CTRL | Qt::Key_F4, false, "Cerrar()"},
        {nullptr, QKeyCombination(Qt::Key_Escape), true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.button ? c.button : "") + " " + QKeySequence(c.keys).toString().toStdString());
        for (const bool byKey : {false, true}) {
            if (byKey ? c.keys.key() == Qt::Key_unknown : !c.button) continue;
            Bar b;
            if (c.underWay) b.bar->EjecutarNuevo();
            b.raised();
            byKey ? QTest::keyClick(&b.window, c.keys.key(), c.keys.keyboardModifiers()) : b.click(c.button);
            EXPECT_EQ(b.raised(), c.signal ? QStringList{c.signal} : QStringList{}) << (byKey ? "by key" : "by mouse");
        }
    }
}

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
        {"ImprimirHabilitado", false, true, "Imprimir ", ""},  // hidden, not only disabled
        {"showexitbutton", "NO", "SI", "Salir ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.property);
        Bar b;
        ASSERT_TRUE(b.bar->setProperty(c.property, c.off));
        EXPECT_EQ(b.shown(), QString(kBrowsing).replace(c.button, c.offShows));
        b.bar->setProperty(c.property, c.on);
        EXPECT_EQ(b.shown(), kBrowsing);
    }
}

// Accept and cancel are offered only while an action is under way, and
// accept tells whether the record is new.
TEST(ToolbarTest, AcceptTellsWhetherTheRecordIsNewAndOnlyWhileAnActionIsUnderWay) {
    Bar b;
    EXPECT_EQ(b.shown(), kBrowsing);
    b.click("Nuevo");
    EXPECT_EQ(b.shown(), kUnderWay);
    EXPECT_TRUE(b.bar->EstadoEsc());
    b.click("Aceptar");
    b.bar->RechazaAceptar();  // the screen found a fault: still entering
    EXPECT_EQ(b.shown(), kUnderWay);
    b.click("Aceptar");
    b.bar->ConfirmaAceptar();
    EXPECT_EQ(b.shown(), kBrowsing);
    EXPECT_FALSE(b.bar->EstadoEsc());
    b.click("Modificar");
    EXPECT_EQ(b.shown(), kUnderWay);
    b.click("Aceptar");
    b.bar->ConfirmaAceptar();
    const QSignalSpy& aceptar = *b.spies["Aceptar(bool)"];
    ASSERT_EQ(aceptar.count(), 3);
    EXPECT_EQ(QVariantList({aceptar[0][0], aceptar[1][0], aceptar[2][0]}), QVariantList({true, true, false}));

    // The screen may start a new record with the button switched off; Nuevo
    // arrives before EjecutarNuevo returns, with the action already under way.
    b.bar->setNuevoHabilitado(false);
    bool underWayWhenRaised = false;
    QObject::connect(b.bar, &Toolbar::Nuevo, [&] { underWayWhenRaised = b.bar->EstadoEsc(); });
    b.raised();
    QMetaObject::invokeMethod(b.bar, "EjecutarNuevo");
    EXPECT_EQ(b.raised(), QStringList{"Nuevo()"});
    EXPECT_TRUE(underWayWhenRaised);
    b.click("Aceptar");
    EXPECT_EQ(aceptar.last().at(0), true);
    b.click("Cancelar");
    EXPECT_FALSE(b.bar->EstadoEsc());
    EXPECT_EQ(b.shown(), QString(kBrowsing).replace("Nuevo", "(Nuevo)")) << "switched off stays off";
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

}  // namespace
