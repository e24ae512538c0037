#include "src/shell/pantalla.h"

#include "src/calendar/frmrs501.h"

namespace shell {

Pantalla::Pantalla(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Pantalla"));
}

QObject* Pantalla::GetPantalla() const {
    try {
        return calendar::frmRS501::instance();
    } catch (const std::exception&) {
        return nullptr;  // the host gets an empty reference, nothing is shown
    }
}

QVariant Pantalla::Modulo() const {
    return QString();
}

}  // namespace shell
