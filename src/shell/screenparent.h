#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace shell {

// What each screen keeps of its owner: the host object last assigned as
// Padre, and the screen's transaction resolved through it.
class ScreenParent {
public:
    QObject* Padre() const { return padre_.data(); }
    void setPadre(QObject* padre) { padre_ = padre; }

    // Reads Padre's "Transaccion" property by name and has the host resolve
    // it. Throws core::Error without a Padre or without that property.
    QString Transaccion() const;

private:
    QPointer<QObject> padre_;
};

}  // namespace shell
