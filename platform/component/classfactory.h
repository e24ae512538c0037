#pragma once

#include <functional>

#include <QObject>
#include <QString>

namespace component {

// Creates the objects of one class and keeps count of those alive and of
// the locks held on it, which decides whether its library may be unloaded.
class ClassFactory {
public:
    ClassFactory(QString className, std::function<QObject*()> create);

    // Throws core::Error when the class's creation fails.
    QObject* CreateInstance();
    void LockServer(bool lock);

    const QString& className() const { return className_; }
    int liveObjects() const { return live_; }
    int locks() const { return locks_; }

private:
    QString className_;
    std::function<QObject*()> create_;
    int live_ = 0;
    int locks_ = 0;
};

}  // namespace component
