#include "src/shell/screenparent.h"

#include <QVariant>

#include "platform/core/error.h"
#include "src/shell/publico.h"

namespace shell {

QString ScreenParent::Transaccion() const {
    if (!padre_) throw core::Error(QStringLiteral("La pantalla no tiene Padre asignado."));
    const QVariant value = padre_->property("Transaccion");
    if (!value.isValid())
        throw core::Error(QStringLiteral("El objeto Padre no tiene la propiedad \"Transaccion\"."));
    return Publico::Funciones()->ObtenerTransaccion(value.toString(), QStringLiteral("Quintasistema"));
}

}  // namespace shell
