#include "src/shell/pantalla.h"

#include <exception>

namespace shell {

Pantalla::Pantalla(std::function<QObject*()> screen, QObject* parent) : QObject(parent), screen_(std::move(screen)) {
    setObjectName(QStringLiteral("Pantalla"));
}

QObject* Pantalla::GetPantalla() const {
    try {
        return screen_();
    } catch (const std::exception&) {
        return nullptr;  // the host gets an empty reference, nothing is shown
    }
}

QVariant Pantalla::Modulo() const {
    return QString();
}

}  // namespace shell
