#pragma once

#include <functional>

#include <QObject>
#include <QVariant>

namespace shell {

// The component's one creatable class: hands the host its screen, which
// the given function creates on first use and shares afterwards.
class Pantalla : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* GetPantalla READ GetPantalla)
    Q_PROPERTY(QVariant Modulo READ Modulo)
public:
    explicit Pantalla(std::function<QObject*()> screen, QObject* parent = nullptr);

    // The shared screen; an empty reference when it cannot be built.
    QObject* GetPantalla() const;
    QVariant Modulo() const;

private:
    std::function<QObject*()> screen_;
};

}  // namespace shell
