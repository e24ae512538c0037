#include "host/app/modulehost.h"

#include <QCoreApplication>
#include <QDir>
#include <QVariant>

#include "host/controls/controllibrary.h"
#include "host/services/servicelibrary.h"
#include "platform/component/runtime.h"
#include "platform/core/error.h"

namespace app {

QString ModuleHost::modulePath() {
    const QString fromEnv = qEnvironmentVariable("RS501_MODULE");
    if (!fromEnv.isEmpty()) return fromEnv;
    const QDir bin(QCoreApplication::applicationDirPath());
    // The build tree keeps the module beside the executable; an installed
    // (or extracted) tree keeps it in its library folder, relative to bin.
    if (bin.exists(QStringLiteral("libRS501.so"))) return bin.filePath(QStringLiteral("libRS501.so"));
    return QDir::cleanPath(bin.filePath(QStringLiteral(RS501_MODULE_FROM_BIN "/libRS501.so")));
}

ModuleHost::ModuleHost(services::HostSession& session, services::IControlHost& controlHost, const QString& path) {
    component::Runtime& runtime = component::Runtime::instance();
    services::ServiceLibrary::registerAll(runtime, session);
    controls::ControlLibrary::registerAll(runtime, controlHost);
    if (runtime.serverOf(QStringLiteral("RS501.Pantalla")).isEmpty()) runtime.loadLibrary(path);
    pantalla_.reset(runtime.createObject(QStringLiteral("RS501.Pantalla")));
}

ModuleHost::~ModuleHost() = default;

QWidget* ModuleHost::calendarScreen(QObject* owner) {
    auto* screen = qobject_cast<QWidget*>(pantalla_->property("GetPantalla").value<QObject*>());
    if (!screen) throw core::Error(QStringLiteral("El componente RS501 no entregó la pantalla del calendario."));
    screen->setProperty("Padre", QVariant::fromValue<QObject*>(owner));
    return screen;
}

}  // namespace app
