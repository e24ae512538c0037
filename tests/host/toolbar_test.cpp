#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/controls/toolbar.h"

namespace {

using controls::Toolbar;

// The toolbar on a screen of its own, active so that shortcuts reach it.
struct Bar {
    QWidget window;
    Toolbar* bar = new Toolbar(&window);

    Bar() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(bar);
        layout->addStretch();
        window.resize(900, 200);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QToolButton* button(const char* name) const { return bar->button(QString::fromLatin1(name)); }
    bool enabled(const char* name) const { return button(name)->isEnabled(); }
};

const char* const kSignals[] = {"Nuevo()",   "Modificar()", "Consultar()", "Eliminar()", "Imprimir()",
                                "Aceptar(bool)", "Salir()", "Cerrar()",    "Cancelar()"};

// One spy per signal of the bar, by the signal's name.
struct Spies {
    std::map<std::string, std::unique_ptr<QSignalSpy>> spies;
    explicit Spies(Toolbar* bar) {
        for (const char* signal : kSignals)
            spies[signal] = std::make_unique<QSignalSpy>(bar, (QByteArray("2") + signal).constData());
    }
    // Names of the signals raised, with their counts.
    std::map<std::string, int> raised() const {
        std::map<std::string, int> out;
        for (const auto& [name, spy] : spies)
            if (spy->count()) out[name] = static_cast<int>(spy->count());
        return out;
    }
};

TEST(ToolbarTest, EachButtonRaisesItsOneSignal) {
    struct Case {
        const char* button;
        bool underWay;  // a new record is being entered
        const char* signal;
    } const cases[] = {
        {"btnNuevo", false, "Nuevo()"},       {"btnModificar", false, "Modificar()"},
        {"btnConsultar", false, "Consultar()"}, {"btnEliminar", false, "Eliminar()"},
        {"btnImprimir", false, "Imprimir()"}, {"btnAceptar", true, "Aceptar(bool)"},
        {"btnCancelar", true, "Cancelar()"},  {"btnSalir", false, "Salir()"},
        {"btnCerrar", false, "Cerrar()"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Bar b;
        b.bar->setImprimirHabilitado(true);
        if (c.underWay) b.bar->EjecutarNuevo();
        Spies spies(b.bar);
        QTest::mouseClick(b.button(c.button), Qt::LeftButton);
        EXPECT_EQ(spies.raised(), (std::map<std::string, int>{{c.signal, 1}}));
    }
}

TEST(ToolbarTest, SwitchesTurnTheirOwnButtonOffAndOnAgain) {
    struct Case {
        const char* property;
        const char* button;
    } const cases[] = {
        {"NuevoHabilitado", "btnNuevo"},         {"ModificarHabilitado", "btnModificar"},
        {"EliminarHabilitado", "btnEliminar"},   {"ConsultarHabilitado", "btnConsultar"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.property);
        Bar b;
        ASSERT_TRUE(b.bar->setProperty(c.property, false));
        for (const Case& other : cases) EXPECT_EQ(b.enabled(other.button), &other == &c ? false : true) << other.button;
        EXPECT_FALSE(b.bar->property(c.property).toBool());
        b.bar->setProperty(c.property, true);
        EXPECT_TRUE(b.enabled(c.button));
    }
}

TEST(ToolbarTest, DesignedPropertiesShapeTheBar) {
    Bar b;
    EXPECT_EQ(b.bar->height(), 64);
    b.bar->setProperty("caption", "Reservación de salas");
    EXPECT_EQ(b.bar->findChild<QLabel*>("lblCaption")->text(), "Reservación de salas");
    EXPECT_FALSE(b.button("btnImprimir")->isVisible());
    b.bar->setProperty("ImprimirHabilitado", true);
    EXPECT_TRUE(b.button("btnImprimir")->isVisible());
    EXPECT_TRUE(b.enabled("btnImprimir"));
    EXPECT_TRUE(b.button("btnSalir")->isVisible());
    b.bar->setProperty("showexitbutton", "NO");
    EXPECT_FALSE(b.button("btnSalir")->isVisible());
    b.bar->setProperty("showexitbutton", "SI");
    EXPECT_TRUE(b.button("btnSalir")->isVisible());
}

TEST(ToolbarTest, AcceptTellsWhetherTheRecordIsNewAndOnlyWhileAnActionIsUnderWay) {
    Bar b;
    QSignalSpy aceptar(b.bar, SIGNAL(Aceptar(bool)));
    EXPECT_FALSE(b.enabled("btnAceptar"));
    EXPECT_FALSE(b.enabled("btnCancelar"));
    EXPECT_FALSE(b.bar->EstadoEsc());

    QTest::mouseClick(b.button("btnNuevo"), Qt::LeftButton);
    EXPECT_TRUE(b.enabled("btnAceptar"));
    EXPECT_TRUE(b.bar->EstadoEsc());
    EXPECT_FALSE(b.enabled("btnNuevo"));
    EXPECT_FALSE(b.enabled("btnModificar"));
    QTest::mouseClick(b.button("btnAceptar"), Qt::LeftButton);
    b.bar->RechazaAceptar();  // the screen found a fault: still entering
    EXPECT_TRUE(b.enabled("btnAceptar"));
    EXPECT_TRUE(b.bar->EstadoEsc());
    QTest::mouseClick(b.button("btnAceptar"), Qt::LeftButton);
    b.bar->ConfirmaAceptar();
    EXPECT_FALSE(b.enabled("btnAceptar"));
    EXPECT_FALSE(b.bar->EstadoEsc());
    EXPECT_TRUE(b.enabled("btnNuevo"));

    QTest::mouseClick(b.button("btnModificar"), Qt::LeftButton);
    QTest::mouseClick(b.button("btnAceptar"), Qt::LeftButton);
    b.bar->ConfirmaAceptar();

    ASSERT_EQ(aceptar.count(), 3);
    EXPECT_TRUE(aceptar.at(0).at(0).toBool());
    EXPECT_TRUE(aceptar.at(1).at(0).toBool());
    EXPECT_FALSE(aceptar.at(2).at(0).toBool());
}

TEST(ToolbarTest, CancelEndsTheActionAndSwitchedOffNewStaysOffAfterwards) {
    Bar b;
    b.bar->setNuevoHabilitado(false);
    b.bar->EjecutarNuevo();
    EXPECT_TRUE(b.enabled("btnCancelar"));
    QTest::mouseClick(b.button("btnCancelar"), Qt::LeftButton);
    EXPECT_FALSE(b.bar->EstadoEsc());
    EXPECT_FALSE(b.enabled("btnAceptar"));
    EXPECT_FALSE(b.enabled("btnNuevo"));
    EXPECT_TRUE(b.enabled("btnModificar"));
}

TEST(ToolbarTest, EjecutarNuevoRaisesNuevoBeforeItReturns) {
    Bar b;
    bool underWayWhenRaised = false;
    int raised = 0;
    QObject::connect(b.bar, &Toolbar::Nuevo, [&] {
        ++raised;
        underWayWhenRaised = b.bar->EstadoEsc();
    });
    QMetaObject::invokeMethod(b.bar, "EjecutarNuevo");
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(underWayWhenRaised);
    QSignalSpy aceptar(b.bar, SIGNAL(Aceptar(bool)));
    QTest::mouseClick(b.button("btnAceptar"), Qt::LeftButton);
    ASSERT_EQ(aceptar.count(), 1);
    EXPECT_TRUE(aceptar.at(0).at(0).toBool());
}

TEST(ToolbarTest, ShortcutsReachTheBarButEscapeIsLeftToTheScreen) {
    struct Case {
        QKeyCombination keys;
        bool underWay;
        const char* signal;  // nullptr: nothing
    } const cases[] = {
        {Qt::CTRL | Qt::Key_N, false, "Nuevo()"},       {Qt::CTRL | Qt::Key_M, false, "Modificar()"},
        {Qt::CTRL | Qt::Key_K, false, "Consultar()"},   {Qt::CTRL | Qt::Key_E, false, "Eliminar()"},
        {QKeyCombination(Qt::Key_Delete), false, "Eliminar()"},
        {QKeyCombination(Qt::Key_F10), true, "Aceptar(bool)"},
        {QKeyCombination(Qt::Key_F10), false, nullptr},  // nothing to accept
        {Qt::CTRL | Qt::Key_Q, false, "Salir()"},       {Qt::CTRL | Qt::Key_F4, false, "Cerrar()"},
        {QKeyCombination(Qt::Key_Escape), true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.keys).toString().toStdString());
        Bar b;
        if (c.underWay) b.bar->EjecutarNuevo();
        Spies spies(b.bar);
        QTest::keyClick(&b.window, c.keys.key(), c.keys.keyboardModifiers());
        const auto expected = c.signal ? std::map<std::string, int>{{c.signal, 1}} : std::map<std::string, int>{};
        EXPECT_EQ(spies.raised(), expected);
    }
}

}  // namespace
