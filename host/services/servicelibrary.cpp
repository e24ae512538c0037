#include "host/services/servicelibrary.h"

#include "host/services/consultaregistro.h"
#include "host/services/funciones.h"
#include "host/services/sistema.h"
#include "platform/component/runtime.h"

namespace services {

void ServiceLibrary::registerAll(component::Runtime& runtime) {
    runtime.registerClass(QStringLiteral("Quintasistema.Sistema"), [] { return new Sistema(); });
    runtime.registerClass(QStringLiteral("Quintasistema.Funciones"), [] { return new Funciones(); });
    runtime.registerClass(QStringLiteral("Quintasistema.ConsultaRegistro"), [] { return new ConsultaRegistro(); });
}

}  // namespace services
