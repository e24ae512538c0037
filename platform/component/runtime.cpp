#include "platform/component/runtime.h"

#include <dlfcn.h>

#include "platform/component/entrypoints.h"
#include "platform/core/error.h"

namespace component {

struct Runtime::Library {
    QString path;
    void* handle = nullptr;
    DllMainFn main = nullptr;
    DllRegisterServerFn registerServer = nullptr;
    DllUnregisterServerFn unregisterServer = nullptr;
    DllGetClassObjectFn getClassObject = nullptr;
    DllCanUnloadNowFn canUnloadNow = nullptr;
};

namespace {

template <typename Fn>
Fn entry(void* handle, const char* name, const QString& path) {
    auto fn = reinterpret_cast<Fn>(dlsym(handle, name));
    if (!fn) throw core::Error(QStringLiteral("La biblioteca %1 no exporta %2.").arg(path, QLatin1String(name)));
    return fn;
}

// Factories live as long as the process: objects they made may outlive
// every library and still report their end to them.
std::map<QString, ClassFactory*>& factories() {
    static auto* all = new std::map<QString, ClassFactory*>();
    return *all;
}

}  // namespace

Runtime& Runtime::instance() {
    static Runtime* runtime = new Runtime();  // never destroyed, see factories()
    return *runtime;
}

Runtime::Runtime() = default;
Runtime::~Runtime() = default;

void Runtime::registerClass(const QString& className, Factory factory) {
    hostClasses_[className] = std::move(factory);
}

bool Runtime::hasClass(const QString& className) const {
    return hostClasses_.count(className) > 0 || servedBy_.count(className) > 0;
}

QString Runtime::loadLibrary(const QString& path) {
    void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw core::Error(QStringLiteral("No se pudo cargar el componente %1: %2").arg(path, QString::fromLocal8Bit(dlerror())));
    auto library = std::make_unique<Library>();
    library->path = path;
    library->handle = handle;
    try {
        library->main = entry<DllMainFn>(handle, "DllMain", path);
        library->registerServer = entry<DllRegisterServerFn>(handle, "DllRegisterServer", path);
        library->unregisterServer = entry<DllUnregisterServerFn>(handle, "DllUnregisterServer", path);
        library->getClassObject = entry<DllGetClassObjectFn>(handle, "DllGetClassObject", path);
        library->canUnloadNow = entry<DllCanUnloadNowFn>(handle, "DllCanUnloadNow", path);
        if (library->main(kProcessAttach) != kOk)
            throw core::Error(QStringLiteral("El componente %1 rechazó la carga.").arg(path));
        pending_ = library.get();
        const int rc = library->registerServer();
        pending_ = nullptr;
        if (rc != kOk || pendingComponent_.isEmpty())
            throw core::Error(QStringLiteral("El componente %1 no se pudo registrar.").arg(path));
    } catch (...) {
        pending_ = nullptr;
        pendingComponent_.clear();
        dlclose(handle);
        throw;
    }
    const QString name = std::exchange(pendingComponent_, QString());
    libraries_[name] = std::move(library);
    return name;
}

bool Runtime::unloadLibrary(const QString& component) {
    auto it = libraries_.find(component);
    if (it == libraries_.end()) return false;
    Library& library = *it->second;
    if (library.canUnloadNow() != kOk) return false;
    library.main(kProcessDetach);
    dlclose(library.handle);
    libraries_.erase(it);
    return true;
}

Runtime::Library* Runtime::libraryFor(const QString& className) {
    auto served = servedBy_.find(className);
    if (served == servedBy_.end()) return nullptr;
    auto loaded = libraries_.find(served->second);
    if (loaded != libraries_.end()) return loaded->second.get();
    // Registered once and unloaded since: bring it back from its path.
    loadLibrary(paths_.at(served->second));
    return libraries_.at(served->second).get();
}

QObject* Runtime::createObject(const QString& className) {
    if (auto host = hostClasses_.find(className); host != hostClasses_.end()) {
        QObject* object = host->second();
        if (!object) throw core::Error(QStringLiteral("No se pudo crear un objeto de la clase %1.").arg(className));
        return object;
    }
    Library* library = libraryFor(className);
    if (!library) throw core::Error(QStringLiteral("La clase %1 no está registrada.").arg(className));
    ClassFactory* factory = nullptr;
    if (library->getClassObject(className.toUtf8().constData(), &factory) != kOk || !factory)
        throw core::Error(QStringLiteral("El componente no entrega la clase %1.").arg(className));
    return factory->CreateInstance();
}

int Runtime::attach(const Registration& registration, int reason) {
    if (reason == kProcessDetach && !canUnloadNow(registration)) return kFalse;
    return kOk;
}

void Runtime::registerServer(const Registration& registration) {
    for (const ClassEntry& c : registration.classes) servedBy_[c.name] = registration.component;
    if (pending_) {
        paths_[registration.component] = pending_->path;
        pendingComponent_ = registration.component;
    }
}

void Runtime::unregisterServer(const Registration& registration) {
    for (const ClassEntry& c : registration.classes) servedBy_.erase(c.name);
}

ClassFactory* Runtime::getClassObject(const Registration& registration, const QString& className) {
    for (const ClassEntry& c : registration.classes) {
        if (c.name != className) continue;
        ClassFactory*& factory = factories()[className];
        if (!factory) factory = new ClassFactory(className, c.create);
        return factory;
    }
    return nullptr;
}

bool Runtime::canUnloadNow(const Registration& registration) const {
    if (registration.busy && registration.busy()) return false;
    for (const ClassEntry& c : registration.classes) {
        auto it = factories().find(c.name);
        if (it != factories().end() && (it->second->liveObjects() > 0 || it->second->locks() > 0)) return false;
    }
    return true;
}

QString Runtime::serverOf(const QString& className) const {
    auto it = servedBy_.find(className);
    return it == servedBy_.end() ? QString() : it->second;
}

}  // namespace component
