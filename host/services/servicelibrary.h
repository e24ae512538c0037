#pragma once

namespace component {
class Runtime;
}

namespace services {

// The host's service library as the component runtime offers it: the
// classes "Quintasistema.Sistema", "Quintasistema.Funciones" and
// "Quintasistema.ConsultaRegistro", each working on the installed session.
class ServiceLibrary {
public:
    static void registerAll(component::Runtime& runtime);
};

}  // namespace services
