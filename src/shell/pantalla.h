#pragma once

#include <QObject>
#include <QVariant>

namespace shell {

// The component's one creatable class: hands the host its calendar screen.
class Pantalla : public QObject {
    Q_OBJECT
    Q_PROPERTY(QObject* GetPantalla READ GetPantalla)
    Q_PROPERTY(QVariant Modulo READ Modulo)
public:
    explicit Pantalla(QObject* parent = nullptr);

    // The shared calendar screen, created on first use; an empty reference
    // when that fails.
    QObject* GetPantalla() const;
    QVariant Modulo() const;
};

}  // namespace shell
