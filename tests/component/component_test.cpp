#include <gtest/gtest.h>

#include <QWidget>

#include "host/controls/controllibrary.h"
#include "host/schema/schema.h"
#include "host/services/funciones.h"
#include "host/services/hostsession.h"
#include "host/services/sistema.h"
#include "platform/component/runtime.h"
#include "platform/core/error.h"
#include "tests/support/testdatabase.h"

// Each test runs in a process of its own, so each starts with an empty
// runtime and loads the module afresh.
namespace {

class ComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        db = std::make_unique<testsupport::TestDatabase>("sqlite");
        auto c = db->open();
        schema::Schema::ensure(*c);
        session = std::make_unique<services::HostSession>(std::move(c), "ANA", true);
        services::HostSession::install(session.get());
    }

    // The host's service library, counting the objects it hands out.
    void registerServices() {
        runtime().registerClass("Quintasistema.Sistema", [this] {
            ++sistemas;
            return new services::Sistema();
        });
        runtime().registerClass("Quintasistema.Funciones", [this] {
            ++funciones;
            return new services::Funciones();
        });
    }
    void registerControls() { controls::ControlLibrary::registerAll(runtime()); }
    static component::Runtime& runtime() { return component::Runtime::instance(); }
    static QString load() { return runtime().loadLibrary(RS501_MODULE_PATH); }
    static std::unique_ptr<QObject> pantalla() {
        return std::unique_ptr<QObject>(runtime().createObject("RS501.Pantalla"));
    }
    static QObject* screenOf(QObject* p) { return p->property("GetPantalla").value<QObject*>(); }

    std::unique_ptr<testsupport::TestDatabase> db;
    std::unique_ptr<services::HostSession> session;
    int sistemas = 0;
    int funciones = 0;
};

TEST_F(ComponentTest, LoadingRegistersTheOneCreatableClass) {
    EXPECT_EQ(load(), "RS501");
    EXPECT_EQ(runtime().serverOf("RS501.Pantalla"), "RS501");
    EXPECT_THROW(runtime().createObject("RS501.Otra"), core::Error);
    EXPECT_THROW(runtime().loadLibrary("/no/existe/libRS501.so"), core::Error);
}

TEST_F(ComponentTest, PantallaHandsOutOneSharedScreenWhoseTransaccionComesFromPadre) {
    registerServices();
    registerControls();
    load();
    auto first = pantalla();
    auto second = pantalla();
    EXPECT_EQ(sistemas, 1);  // the module starts once per process
    EXPECT_EQ(funciones, 1);
    EXPECT_EQ(first->property("Modulo").toString(), "");
    QObject* screen = screenOf(first.get());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen, screenOf(second.get()));
    EXPECT_EQ(screen->objectName(), "frmRS501");
    EXPECT_NE(screen->findChild<QObject*>("msfDisponibilidad"), nullptr);
    EXPECT_THROW(screen->property("Transaccion"), std::exception);  // no owner yet
    QObject plain;
    screen->setProperty("Padre", QVariant::fromValue<QObject*>(&plain));
    EXPECT_THROW(screen->property("Transaccion"), std::exception);
    QObject owner;
    owner.setProperty("Transaccion", "KC317");
    screen->setProperty("Padre", QVariant::fromValue<QObject*>(&owner));
    EXPECT_EQ(screen->property("Transaccion").toString(), "KC317");
    delete screen;
}

TEST_F(ComponentTest, WithoutTheHostsServicesOrControlsThereIsNoScreen) {
    load();
    EXPECT_THROW(pantalla(), core::Error);  // no services: no Pantalla at all
    registerServices();                     // but no controls: an empty reference
    EXPECT_EQ(screenOf(pantalla().get()), nullptr);
}

TEST_F(ComponentTest, LibraryStaysWhileItsObjectsLive) {
    registerServices();
    registerControls();
    load();
    auto p = pantalla();
    QObject* screen = screenOf(p.get());
    EXPECT_FALSE(runtime().unloadLibrary("RS501"));
    p.reset();
    EXPECT_FALSE(runtime().unloadLibrary("RS501"));  // the screen is still out there
    delete screen;
    EXPECT_TRUE(runtime().unloadLibrary("RS501"));
    auto again = pantalla();  // loaded back on demand
    EXPECT_NE(again, nullptr);
}

}  // namespace
