#include "host/services/servicelibrary.h"

#include "host/services/consultaregistro.h"
#include "host/services/funciones.h"
#include "host/services/sistema.h"
#include "platform/component/runtime.h"
#include "src/shell/controlnames.h"

namespace services {

void ServiceLibrary::registerAll(component::Runtime& runtime, SessionRef session) {
    using shell::ControlNames;
    runtime.registerClass(ControlNames::kSistema, [session] { return new Sistema(session.checked()); });
    runtime.registerClass(ControlNames::kFunciones, [session] { return new Funciones(session.checked()); });
    runtime.registerClass(ControlNames::kConsultaRegistro, [session] { return new ConsultaRegistro(session); });
}

}  // namespace services
