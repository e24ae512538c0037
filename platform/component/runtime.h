#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

#include "platform/component/classfactory.h"
#include "platform/component/registration.h"

namespace component {

// The process's component runtime: a registry of which class is served by
// whom, for classes the host provides itself (its service library, its
// controls) and for classes of component libraries loaded with dlopen.
// Objects are created by class name, as a late-bound client would.
class Runtime {
public:
    using Factory = std::function<QObject*()>;

    static Runtime& instance();

    // Host-provided classes, e.g. "Quintasistema.Sistema", "textoQNT.txtQNT".
    void registerClass(const QString& className, Factory factory);
    bool hasClass(const QString& className) const;

    // Loads a component library (dlopen), runs its load entry and its
    // registration entry. Returns the component's name. Throws core::Error
    // with the loader's reason when the library or an entry is missing.
    QString loadLibrary(const QString& path);
    // Asks the library whether it can go and closes it if so.
    bool unloadLibrary(const QString& component);

    // Creates an object of a registered class; the caller owns it. Throws
    // core::Error when the class is unknown or its factory fails.
    QObject* createObject(const QString& className);

    // Called by a component's exported entry points. attach answers the
    // load entry: a library may not be detached while its objects live.
    int attach(const Registration& registration, int reason);
    void registerServer(const Registration& registration);
    void unregisterServer(const Registration& registration);
    ClassFactory* getClassObject(const Registration& registration, const QString& className);
    bool canUnloadNow(const Registration& registration) const;

    // The component that serves a class, empty when none.
    QString serverOf(const QString& className) const;

private:
    struct Library;
    Runtime();
    ~Runtime();
    Library* libraryFor(const QString& className);

    std::map<QString, Factory> hostClasses_;
    std::map<QString, QString> servedBy_;  // class name -> component
    std::map<QString, std::unique_ptr<Library>> libraries_;  // component -> loaded library
    std::map<QString, QString> paths_;  // component -> library path, kept after unloading
    Library* pending_ = nullptr;  // the library whose registration runs now
    QString pendingComponent_;
};

}  // namespace component
