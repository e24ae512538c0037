#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QString>

namespace component {

// One creatable class of a component.
struct ClassEntry {
    QString name;  // e.g. "RS501.Pantalla"
    std::function<QObject*()> create;
};

// What a component library tells the runtime about itself.
struct Registration {
    QString component;  // e.g. "RS501"
    std::vector<ClassEntry> classes;
    // True while the component holds objects of its own that the host can
    // still reach (a screen handed out), which keeps the library loaded.
    std::function<bool()> busy;
};

}  // namespace component
