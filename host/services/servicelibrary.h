#pragma once

#include "host/services/sessionref.h"

namespace component {
class Runtime;
}

namespace services {

// The host's service library as the component runtime offers it: Sistema,
// Funciones and ConsultaRegistro under their class names, each working on
// the given session (by default whichever is installed at each call).
// Sistema and Funciones cannot be created without a session.
class ServiceLibrary {
public:
    static void registerAll(component::Runtime& runtime, SessionRef session = SessionRef::installed());
};

}  // namespace services
