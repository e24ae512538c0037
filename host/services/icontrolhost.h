#pragma once

#include "src/shell/isistema.h"

namespace services {

// What the host's controls ask of the session they work in: the service
// object the module sees, plus how the session wants them to behave.
class IControlHost : public shell::ISistema {
public:
    // Every text box upper-cases what is typed (ForzarMayusculas).
    virtual bool forceUpperCase() = 0;
    // Nobody watches: nothing may wait for a person.
    virtual bool unattended() = 0;
};

}  // namespace services
